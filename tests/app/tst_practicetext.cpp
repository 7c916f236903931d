#include "app/owntext.h"
#include "app/practicetext.h"
#include "app/weakblock.h"
#include "keyboard/keytable.h"
#include "tests/support/doubles.h"
#include "tests/support/namedrow.h"
#include "ui/randomsource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <random>
#include <sys/stat.h>

namespace {

QStringList numbered(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << QStringLiteral("line %1").arg(i);
    return lines;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Draws from a fixed seed: the same sequence in every run of the test.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(unsigned seed) : engine_(seed) {}
    float next() override { return float(engine_() >> 8) / float(1u << 24); }

private:
    std::mt19937 engine_;
};

} // namespace

class PracticeTextTest : public QObject {
    Q_OBJECT
private slots:
    void blockChoiceNeverShowsTheLastLine()
    {
        // Five lines: the whole file. Six: lines 0..4 every time. Twenty: any but the last.
        QStringList drawn;
        for (const char* r : {"0", "0.5", "0.9999"})
            for (int n : {5, 6, 20}) {
                const PracticeBlock block =
                    practicetext::pickBlock(numbered(n), QString(r).toFloat());
                drawn << namedRow(QStringLiteral("%1 of %2").arg(r).arg(n), block.linetext[0],
                                  block.linetext[4]);
            }
        QCOMPARE(drawn, (QStringList{"0 of 5: line 0 line 4", "0 of 6: line 0 line 4",
                                     "0 of 20: line 0 line 4", "0.5 of 5: line 0 line 4",
                                     "0.5 of 6: line 0 line 4", "0.5 of 20: line 7 line 11",
                                     "0.9999 of 5: line 0 line 4", "0.9999 of 6: line 0 line 4",
                                     "0.9999 of 20: line 14 line 18"}));
        // An opened text's last line can be drawn.
        QCOMPARE(practicetext::pickBlock(numbered(20), 0.9999f, practicetext::LastLine::Drawn)
                     .linetext[4],
                 QString("line 19"));
    }

    void linesBeyond16BitsAreCutNotWrapped()
    {
        const QString huge(40000, u'a');
        const PracticeBlock block = practicetext::pickBlock({huge, huge}, 0.0f);
        QCOMPARE(block.linelen[0], qint16(32766));
        QCOMPARE(block.mojicnt, qint16(32767));
        // Cut where a space stands, the line still ends in a character to type.
        const QString spaced = QString(32765, u'a') + QStringLiteral(" bcd");
        const PracticeBlock cut = practicetext::pickBlock({spaced}, 0.0f);
        QCOMPARE(cut.linelen[0], qint16(32765));
        QVERIFY(!cut.linetext[0].endsWith(u' '));
    }

    void decodingKeepsEveryLine()
    {
        // CP932: 0x5C is the backslash and 0x7E the tilde; 82 A0 is "あ".
        const QStringList cp932 = practicetext::decodeLines("c:\\dir ~x\r\n\x82\xa0\r\n");
        QCOMPARE(cp932, (QStringList{"c:\\dir ~x", QString::fromUtf8("あ")}));
        // LF-only ends, a last line without an end, a lone CR.
        QCOMPARE(practicetext::decodeLines("a\nb\rc\r\nd"), (QStringList{"a", "b", "c", "d"}));
        QCOMPARE(practicetext::decodeLines("a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}));
        // Bytes that are no Shift-JIS become a typeable "?" and nothing after them is lost.
        const QStringList broken = practicetext::decodeLines("ab\xff\xfd"
                                                             "cd\r\nnext");
        QVERIFY(broken.size() == 2 && broken[1] == "next");
        QVERIFY(broken[0].startsWith("ab") && broken[0].endsWith("cd") && broken[0].contains(u'?'));
        // A lead and trail byte that map to no character are one "?", and take nothing after.
        QCOMPARE(practicetext::decodeLines("x\x85\x41y\xeb\x9f\x41"), QStringList{"x?y?A"});
        // Control characters no key types become "?"; Backspace, Tab and Escape are keys.
        QCOMPARE(practicetext::decodeLines("a\x01\x0b\x1f\x7f\x1a\x08\t\x1b"),
                 QStringList{"a?????\b\t\x1b"});
        QCOMPARE(practicetext::decodeLines("\x82\xa0\x0c"), QStringList{"あ?"});
    }

    void ownTextsAreDecodedMadeHalfWidthAndFittedToTheBox()
    {
        // CP932 with NEC row 13 (①, №), NEC-selected IBM (纊) and IBM (ⅰ) extensions and
        // half-width katakana. The rare CP932 text that is valid UTF-8 ("ﾃｽ" is C3 BD) reads as
        // UTF-8: only its kana change, and their lines are left out either way.
        const std::tuple<const char*, QByteArray, QString> encodings[]{
            {"UTF-8", "ab \xE6\x97\xA5\xE6\x9C\xAC", u"ab 日本"_qs},
            {"UTF-8, marked", "\xEF\xBB\xBF\x61\xC3\xA9", u"aé"_qs},
            {"UTF-16LE", QByteArray("\xFF\xFE\x61\0\x42\x30", 6), u"aあ"_qs},
            {"UTF-16BE", QByteArray("\xFE\xFF\0a\x30\x42", 6), u"aあ"_qs},
            {"CP932", "\x8A\xBF\x8E\x9A\x82\x60 x\\~\xB6\xC0", u"漢字Ａ x\\~ｶﾀ"_qs},
            {"CP932 extensions", "\x87\x40\x87\x82\xED\x40\xFA\x40", u"①№纊ⅰ"_qs},
            {"CP932, valid UTF-8", "\xC3\xBD", u"ý"_qs}};
        for (const auto& [name, bytes, text] : encodings)
            QCOMPARE(namedRow(name, owntext::decode(bytes)), namedRow(name, text));

        QString wide = u"Ａｚ０９＠！～＼　“q” ‘q’ a—b–c―d−e ￥¥‾ あ"_qs;
        owntext::toHalfWidth(wide);
        QCOMPARE(wide, u"Az09@!~\\ \"q\" 'q' a-b-c-d-e \\\\~ あ"_qs);

        // Cut at the last space that fits, the spaces there dropped; a word wider than the box
        // where it must be; an indent kept, but never as a piece of its own.
        const std::pair<QString, QStringList> fits[] = {
            {"aaa bbb cc", {"aaa bbb cc"}},
            {"aaa bbb ccc ddd", {"aaa bbb", "ccc ddd"}},
            {"aaaaaaaaaa bb", {"aaaaaaaaaa", "bb"}},
            {"aaaa bbbb     cc", {"aaaa bbbb", "cc"}},
            {"abcdefghijklmnopqrstuvw x", {"abcdefghij", "klmnopqrst", "uvw x"}},
            {"           abcdefghijkl", {"abcdefghij", "kl"}}};
        for (const auto& [line, pieces] : fits)
            QCOMPARE(namedRow(line, owntext::fit(line, 10).join('|')),
                     namedRow(line, pieces.join('|')));

        // Only lines every key types, blank ones skipped; the others counted.
        const owntext::Text text =
            owntext::parse("  Good day. \r\n\r\n\xE6\x97\xA5\r\nTab\there\r\n"
                           " \xE3\x80\x80\r\n\xEF\xBC\xA1 c;\rEnd~|_",
                           8);
        QCOMPARE(text.lines, (QStringList{"  Good", "day.", "A c;", "End~|_"}));
        QVERIFY(text.leftOut == 2 && text.refusal == owntext::Refusal::None);
    }

    void ownTextsThatCannotBePractisedAreRefusedByName()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("empty.txt"), "");
        writeFile(dir.filePath("blank.txt"), " \r\n\t\r\n");
        writeFile(dir.filePath("image.png"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        writeFile(dir.filePath("wide.txt"), QByteArray("\xFF\xFE\x61\0\0\0", 6));
        writeFile(dir.filePath("kanji.txt"), "\x8A\xBF\x8E\x9A\r\n");
        QFile big(dir.filePath("big.txt"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(owntext::sizeLimit + 1));
        QVERIFY(QDir(dir.path()).mkdir("texts"));
        QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe.txt")).constData(), 0600) == 0);
        using owntext::Refusal;
        const std::pair<const char*, Refusal> cases[] = {
            {"missing.txt", Refusal::Missing},      {"texts", Refusal::Folder},
            {"pipe.txt", Refusal::Unreadable},      {"big.txt", Refusal::TooLarge},
            {"empty.txt", Refusal::Empty},          {"blank.txt", Refusal::Empty},
            {"image.png", Refusal::Binary},         {"wide.txt", Refusal::Binary},
            {"kanji.txt", Refusal::NothingTypeable}};
        for (const auto& [name, refusal] : cases) {
            const owntext::Text text = owntext::read(dir.filePath(name), 80);
            QVERIFY2(text.refusal == refusal && text.lines.isEmpty(), name);
            QVERIFY2(owntext::refusalText(refusal, dir.filePath(name)).startsWith(name), name);
        }
    }

    void numericLevelWritesFreshDigitGroups()
    {
        // Written anew, in place of a link rather than through it, and read back: five lines of
        // fifteen groups of four digits (the last space trimmed), 370 characters in all.
        QTemporaryDir dir;
        const QString victim = dir.filePath("precious.txt");
        writeFile(victim, "keep me\r\n");
        QVERIFY(QFile::link(victim, dir.filePath("tenkey.txt")));
        SystemRandom random;
        const LoadResult result = practicetext::load(4, dir.path(), random);
        QCOMPARE(result.problem, LoadProblem::None);
        QVERIFY(!QFileInfo(dir.filePath("tenkey.txt")).isSymLink());
        QCOMPARE(QFileInfo(victim).size(), 9);
        QCOMPARE(QFileInfo(dir.filePath("tenkey.txt")).size(), 5 * 77);
        const QRegularExpression groups("^([0-9]{4} ){14}[0-9]{4}$");
        for (int k = 0; k < 5; ++k)
            QVERIFY2(
                groups.match(result.block.linetext[k]).hasMatch(),
                qPrintable(namedRow(QStringLiteral("line %1").arg(k), result.block.linetext[k])));
        QCOMPARE(result.block.mojicnt, qint16(370));
        // One generator for the whole file: its lines are not copies of one another.
        QVERIFY(result.block.linetext[0] != result.block.linetext[1]);
    }

    void weakKeyBlocksAreDenseInTheirKeysTypeableAndNeverTheSameTwice()
    {
        // Keys common in the file, keys it never holds, keys in a few lines, and digits.
        QStringList sentences, homeRow, symbols;
        for (int i = 0; i < 40; ++i) {
            sentences << QStringLiteral("Line %1: the train was a little late today.").arg(i);
            homeRow << QStringLiteral("asdf jkl; fjfj dkdk");
            symbols << (i % 10 ? QStringLiteral("Config line %1 is plain").arg(i)
                               : QStringLiteral("Mail taro@example.jp by 17:30 [%1]").arg(i));
        }
        const struct {
            const char* name;
            int level;
            QStringList lines;
            QString keys;
            int fromFile; // lines of the file in the block, at least
        } rows[]{{"common keys", 2, sentences, "eta", 1},
                 {"keys the file never holds", 1, homeRow, "@:]", 0},
                 {"keys in a few lines", 3, symbols, "@:", 1},
                 {"digits", 4, {}, "70", 0}};
        SeededRandom random(18);
        for (const auto& r : rows) {
            const PracticeBlock block = weakblock::make(r.level, r.lines, r.keys, random, 85);
            int fromFile = 0, all = 0, ours = 0; // lines from the file; characters, of the keys
            for (const QString& line :
                 QList<QString>(block.linetext.begin(), block.linetext.end() - 1)) {
                QVERIFY2(!line.isEmpty() && line.size() <= 85, r.name);
                QVERIFY2(std::all_of(line.begin(), line.end(), onAKey), r.name);
                fromFile += r.lines.contains(line);
                all += line.size();
                ours += std::count_if(line.begin(), line.end(),
                                      [&](QChar c) { return r.keys.contains(c); });
                if (r.level == 4)
                    QVERIFY2(QRegularExpression("^([0-9]{4} ){14}[0-9]{4}$").match(line).hasMatch(),
                             r.name);
            }
            QVERIFY2(fromFile >= r.fromFile, r.name);
            QVERIFY2(ours >= weakblock::leastShare * all, r.name);
            QVERIFY2(weakblock::share(block, r.keys) == double(ours) / all, r.name);
            QVERIFY2(weakblock::make(r.level, r.lines, r.keys, random, 85).linetext !=
                         block.linetext,
                     r.name);
        }
    }

    void problemsAreReportedByName()
    {
        QTemporaryDir dir;
        FixedRandom random;
        LoadResult missing = practicetext::load(3, dir.path(), random);
        QCOMPARE(missing.problem, LoadProblem::FileMissing);
        QCOMPARE(practicetext::problemText(missing),
                 QString::fromUtf8("advance.txtファイルが見つかりません"));
        QCOMPARE(QStringList(missing.block.linetext.begin(), missing.block.linetext.end()),
                 QStringList(missing.block.linetext.size(), QString()));

        // A directory under the practice file's name reads like a missing file.
        QVERIFY(QDir(dir.path()).mkdir("middle.txt"));
        QCOMPARE(practicetext::load(2, dir.path(), random).problem, LoadProblem::FileMissing);

        const LoadResult unwritable = practicetext::load(4, dir.filePath("no/such/dir"), random);
        QCOMPARE(unwritable.problem, LoadProblem::TenkeyUnwritable);
        QCOMPARE(practicetext::problemText(unwritable),
                 QString::fromUtf8("tenkey.txtを書き込めません"));
    }
};

QTEST_GUILESS_MAIN(PracticeTextTest)

#include "tst_practicetext.moc"
