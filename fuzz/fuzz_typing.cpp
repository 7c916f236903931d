// A practice block and a stream of keystrokes through the program's own load, first tick and
// judging. Whatever is typed, the cursor stays inside the block, the boxes hold exactly what
// was typed right, and the counters agree with one another.
//
// Input: a flags byte, a line count and per line a length and characters (a length byte of
// 255 repeats its character into a line past 16-bit lengths), then one byte per event.

#include "app/practicetext.h"
#include "fuzz/fuzzsupport.h"
#include "keyboard/keytable.h"
#include "typing/typingengine.h"
#include "typing/typingview.h"

#include <QStringList>
#include <array>
#include <iterator>

namespace {

// What a file can hold once decoded: controls, kana and full-width characters among them.
constexpr char16_t lineAlphabet[] = {u' ', u'a', u'f', u'j', u'A', u'1',  u'\\',  u'|',
                                     u'~', u'_', u'@', u';', u'?', u'\t', 0xFF71, 0x3042};
// What an input box passes on: Backspace, Enter, Escape, the JIS yen and overline keys.
constexpr char16_t typedAlphabet[] = {8,    13,   27,   0x00A5, 0x203E, 0x3042, u' ',
                                      u'a', u'f', u'A', u'1',   u'\\',  u'|',   u'\t'};

struct View : TypingView {
    explicit View(RunState& r) : run(r) {}
    float now() const override { return 1.0f; }
    qint64 steadyMs() const override { return 1000; }
    bool flgspace() const override { return skip; }
    void beep() override { ++beeps; }
    void runTimeDisplay(bool) override {}
    void focusLine(int line) override
    {
        FUZZ_CHECK(line == run.nowcnt && !run.isDone());
        focus = line;
    }
    void round(int code) override
    {
        const QChar next = run.expected();
        FUZZ_CHECK(code == (next.isNull() ? -1 : charCode(next)));
    }
    void Color() override {}
    void openResults() override { FUZZ_CHECK(run.isDone()); }
    void skipSpace(int line) override { boxes[line] = TypingEngine::Skipspace(boxes[line]); }

    RunState& run;
    bool skip = false;
    int focus = 0;
    int beeps = 0;
    std::array<QString, blockLines> boxes;
};

QStringList readLines(fuzz::Bytes& in)
{
    QStringList lines;
    for (int count = in.u8() % 8; count > 0; --count) {
        const int length = in.u8();
        QString line;
        if (length == 255) // long: one character many times over
            line.fill(QChar(lineAlphabet[in.u8() % std::size(lineAlphabet)]), 30000 + in.u16());
        for (int i = 0; i < length % 64; ++i)
            line += QChar(lineAlphabet[in.u8() % std::size(lineAlphabet)]);
        lines << line;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes in(data, size);
    RunState run;
    View view(run);
    TypingEngine engine(run, view);
    view.skip = in.u8() & 1;
    static_cast<PracticeBlock&>(run) = practicetext::pickBlock(readLines(in), 0.0f);
    const qint16 characters = run.mojicnt;
    // Keys may come before the first tick; after it a block of blank lines only asks whether
    // to read again, so no key follows.
    if ((in.u8() & 1) && !engine.guideFirstLine()) return 0;
    int judged = 0;
    int right = 0;
    int finished = 0;

    for (int events = 0; !in.empty() && events < 20000; ++events) {
        const uint8_t op = in.u8();
        if (op < 16) { // Shift or any key let go
            engine.txtin_KeyUp();
        } else {
            // Mostly the key the guide asks for, as a learner types; sometimes any key.
            const QChar wanted = run.expected();
            const QChar typed = op < 200 && !wanted.isNull()
                                    ? wanted
                                    : QChar(typedAlphabet[op % std::size(typedAlphabet)]);
            const bool done = run.isDone();
            const int box = view.focus;
            if (engine.txtin_KeyPress(typed)) {
                view.boxes[box] += codePageCharacter(typed);
                ++right;
            }
            judged += !done;
        }
        // The cursor stays in the block and on a character of a line that is not blank.
        FUZZ_CHECK(run.nowcnt >= 0 && run.nowcnt <= blockLines);
        if (!run.isDone() && !run.linetext[run.nowcnt].isEmpty())
            FUZZ_CHECK(run.pos >= 1 && run.pos <= run.linelen[run.nowcnt]);
        // Every line the cursor left is in its box; the current one up to the cursor.
        for (; finished < run.nowcnt; ++finished)
            FUZZ_CHECK(view.boxes[finished] == run.linetext[finished]);
        if (!run.isDone()) {
            const QString& box = view.boxes[run.nowcnt];
            FUZZ_CHECK(box.size() == run.pos - 1);
            FUZZ_CHECK(box.isEmpty() || box.back() == run.linetext[run.nowcnt].at(box.size() - 1));
        }
        // Counters: every judged key once, every miss beeped, no count below zero or above
        // where it started.
        FUZZ_CHECK(run.inputcnt == std::min(judged, 32767));
        FUZZ_CHECK(run.misscnt == std::min(view.beeps, 32767));
        FUZZ_CHECK(run.mojicnt >= 0 && run.mojicnt <= characters);
        int due = 0;
        for (const CharTally& t : run.tally.tallies())
            due += t.due;
        FUZZ_CHECK(due == right);
        FUZZ_CHECK(run.finishedRuns == (run.isDone() ? 1u : 0u));
    }
    return 0;
}
