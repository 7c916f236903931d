#include "keyboard/keytable.h"
#include "tests/support/namedrow.h"
#include "typing/typingengine.h"
#include "typing/typingview.h"

#include <QTest>

namespace {

// Records what the judging asks of the window.
class RecordingView : public TypingView {
public:
    float now() const override { return clock; }
    qint64 steadyMs() const override { return ms; }
    bool flgspace() const override { return skip; }
    void beep() override { ++beeps; }
    void runTimeDisplay(bool on) override { ++(on ? clockStarts : ends); }
    void focusLine(int line) override { focus << line; }
    void round(int code) override { guided << code; }
    void Color() override { ++colors; }
    void openResults() override { ++results; }
    void skipSpace(int line) override { boxes[line] = TypingEngine::Skipspace(boxes[line]); }

    float clock = 100.0f;
    qint64 ms = 0;
    bool skip = false;
    int beeps = 0, clockStarts = 0, colors = 0, ends = 0, results = 0;
    QList<int> focus, guided;
    QString boxes[6];
};

struct Fixture {
    explicit Fixture(const QStringList& lines, bool skip = false)
    {
        for (int k = 0; k < lines.size(); ++k) {
            run.linetext[k] = lines[k];
            run.linelen[k] = qint16(lines[k].size());
            run.mojicnt = qint16(run.mojicnt + lines[k].size());
        }
        view.skip = skip;
    }
    // Types like the input box does: a kept character enters the current box.
    bool type(QChar c)
    {
        const int line = run.nowcnt;
        const bool kept = engine.txtin_KeyPress(c);
        if (kept) view.boxes[line] += codePageCharacter(c);
        engine.txtin_KeyUp();
        return kept;
    }
    void type(const QString& text)
    {
        for (QChar c : text)
            type(c);
    }
    RunState run;
    RecordingView view;
    TypingEngine engine{run, view};
};

} // namespace

class TypingEngineTest : public QObject {
    Q_OBJECT
private slots:
    void blankLinesToTheEndFinishTheRun()
    {
        Fixture f({"ab", "c", "", ""});
        f.type("abc");
        QCOMPARE(f.view.ends, 1);
        QCOMPARE(f.view.results, 1);
        QCOMPARE(f.view.focus, QList<int>{1});
        // After the end nothing is counted; the results come forward again.
        const qint16 before = f.run.inputcnt;
        QVERIFY(!f.type(u'x'));
        QCOMPARE(f.run.inputcnt, before);
        QCOMPARE(f.view.results, 2);
        QCOMPARE(f.view.ends, 1);
        QCOMPARE(f.run.finishedRuns, 1u);
    }

    void spacesAreSkippedOnReleaseOneAtATime()
    {
        Fixture f({"ab cd", "e"}, true);
        f.type(u'a');
        const int colorsBefore = f.view.colors;
        QVERIFY(f.engine.txtin_KeyPress(u'b'));
        f.view.boxes[0] += u'b';
        // The press leaves the guide on b; the release passes the space.
        QCOMPARE(f.view.guided.last(), int('b'));
        QCOMPARE(f.view.colors, colorsBefore);
        f.engine.txtin_KeyUp();
        QCOMPARE(f.view.boxes[0], QString("ab "));
        QCOMPARE(f.view.guided.last(), int('c'));
        QCOMPARE(f.run.mojicnt, qint16(5)); // 6 characters less the skipped space

        // Of two spaces the second is due: typed it counts, a Shift's release skips it. The
        // guide on the Space bar, then on b; the characters counted.
        QStringList guided;
        for (bool typed : {true, false}) {
            Fixture g({"a  b", "c"}, true);
            g.type(u'a');
            const int before = g.view.guided.last();
            typed ? void(g.type(u' ')) : g.engine.txtin_KeyUp();
            guided << namedRow(typed ? "typed" : "released", before, g.view.guided.last(),
                               g.run.mojicnt);
        }
        QCOMPARE(guided, (QStringList{"typed: 32 98 4", "released: 32 98 3"}));
    }

    void aLineStartingWithASpace()
    {
        Fixture f({"a", " b", "c"}, true);
        QVERIFY(f.engine.txtin_KeyPress(u'a'));
        QCOMPARE(f.view.focus, QList<int>{1});
        QVERIFY(f.view.guided.isEmpty()); // held back for the space
        f.engine.txtin_KeyUp();
        QCOMPARE(f.view.boxes[1], QString(" "));
        QCOMPARE(f.view.guided.last(), int('b'));
        // After blank lines the space itself is framed at once.
        Fixture g({"a", "", " b", "c"}, true);
        g.engine.txtin_KeyPress(u'a');
        QCOMPARE(g.view.guided.last(), 32);
        QCOMPARE(g.view.colors, 0);
    }

    void tallyPerExpectedCharacter()
    {
        // A key against the blank first line, a miss on b, a wrong key on a space that its
        // release then skips (the miss of the c meant), a wrong case, a character beyond ASCII.
        Fixture f({"", "ab  c", "Ab\uFF71"}, true);
        f.type(QString::fromUtf8("zaxbqcaAbx\uFF71"));
        QCOMPARE(f.view.ends, 1);
        QCOMPARE(f.run.misscnt, qint16(5));
        // Every key at one moment: each but a line's first is timed, at no time at all.
        const QList<CharTally> expected{{u'A', 1, 1},
                                        {u'a', 1, 0},
                                        {u'b', 2, 1, 0, 2},
                                        {u'c', 1, 1, 0, 1},
                                        {QChar(0xFF71), 1, 1, 0, 1}};
        QCOMPARE(f.run.tally.tallies(), expected);

        // Rolled over: the right key, pressed before the last was let go, is no one's miss.
        Fixture g({"a b"}, true);
        g.engine.txtin_KeyPress(u'a');
        g.engine.txtin_KeyPress(u'b', true);
        g.engine.txtin_KeyUp();
        g.type(u'b');
        QCOMPARE(g.run.tally.tallies(), (QList<CharTally>{{u'a', 1, 0}, {u'b', 1, 0, 0, 1}}));
        QCOMPARE(g.run.tally.keypadKeys(), 1);
        g.run.resetForLoad();
        QVERIFY(g.run.tally.tallies().isEmpty() && g.run.tally.keypadKeys() == 0);
    }

    void aKeyIsTimedFromTheRightKeyBeforeItWithinItsLine()
    {
        // A wrong key before b is part of b's time; c comes after a rest; d starts a line.
        Fixture f({"abc", "de"});
        const qint64 at[] = {1000, 1200, 1450, 6451, 6500, 6900};
        const QString keys = "axbcde";
        for (int i = 0; i < keys.size(); ++i)
            f.view.ms = at[i], f.type(keys[i]);
        QCOMPARE(f.run.tally.tallies(), (QList<CharTally>{{u'a', 1, 0},
                                                          {u'b', 1, 1, 450, 1},
                                                          {u'c', 1, 0},
                                                          {u'd', 1, 0},
                                                          {u'e', 1, 0, 400, 1}}));
    }

    void countersStopAtTheirLimit()
    {
        Fixture f({"a", "b"});
        f.run.inputcnt = 32767;
        f.run.misscnt = 32767;
        f.type(u'z');
        QCOMPARE(f.run.inputcnt, qint16(32767));
        QCOMPARE(f.run.misscnt, qint16(32767));
        // A character count held at its limit may have fewer left than spaces to skip.
        Fixture g({"a b"}, true);
        g.run.mojicnt = 0;
        g.type(u'a');
        QCOMPARE(g.run.mojicnt, qint16(0));
    }
};

QTEST_GUILESS_MAIN(TypingEngineTest)
#include "tst_typingengine.moc"
