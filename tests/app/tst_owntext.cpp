#include "app/owntext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using owntext::Refusal;

class OwnTextTest : public QObject {
    Q_OBJECT
private slots:
    void encodingsAreToldApart_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addRow("UTF-8") << QByteArray("ab \xE6\x97\xA5\xE6\x9C\xAC") << u"ab 日本"_qs;
        QTest::addRow("UTF-8, mark") << QByteArray("\xEF\xBB\xBF"
                                                   "a\xC3\xA9")
                                     << u"aé"_qs;
        QTest::addRow("UTF-16 LE") << QByteArray("\xFF\xFE"
                                                 "a\0\x42\x30",
                                                 6)
                                   << u"aあ"_qs;
        QTest::addRow("UTF-16 BE") << QByteArray("\xFE\xFF\0a\x30\x42", 6) << u"aあ"_qs;
        QTest::addRow("CP932 kanji, full-width")
            << QByteArray("\x8A\xBF\x8E\x9A\x82\x60 x\\~") << u"漢字Ａ x\\~"_qs;
        QTest::addRow("CP932 half-width katakana") << QByteArray("\xB6\xC0\xB6\xC5") << u"ｶﾀｶﾅ"_qs;
        // NEC row 13 (①, №), NEC-selected IBM (纊) and IBM (ⅰ) extensions.
        QTest::addRow("CP932 extensions")
            << QByteArray("\x87\x40\x87\x82\xED\x40\xFA\x40") << u"①№纊ⅰ"_qs;
        // The rare CP932 text that is valid UTF-8 ("ﾃｽ" is C3 BD) reads as UTF-8: only its
        // kana change, and their lines are left out either way.
        QTest::addRow("CP932 valid as UTF-8") << QByteArray("\xC3\xBD") << u"ý"_qs;
    }
    void encodingsAreToldApart()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(owntext::decode(bytes), text);
    }

    void fullWidthFormsQuotesAndDashesBecomeKeys()
    {
        QString text = u"Ａｚ０９＠！～＼　“q” ‘q’ a—b–c―d−e ￥¥‾ あ"_qs;
        owntext::toHalfWidth(text);
        QCOMPARE(text, u"Az09@!~\\ \"q\" 'q' a-b-c-d-e \\\\~ あ"_qs);
    }

    void longLinesAreCutAtSpacesHidingNothing_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("pieces");
        QTest::addRow("fits") << u"aaa bbb cc"_qs << QStringList{"aaa bbb cc"};
        QTest::addRow("at the last space")
            << u"aaa bbb ccc ddd"_qs << QStringList{"aaa bbb", "ccc ddd"};
        QTest::addRow("space right after the width")
            << u"aaaaaaaaaa bb"_qs << QStringList{"aaaaaaaaaa", "bb"};
        QTest::addRow("spaces at the break go")
            << u"aaaa bbbb     cc"_qs << QStringList{"aaaa bbbb", "cc"};
        QTest::addRow("a word wider than the box")
            << u"abcdefghijklmnopqrstuvw x"_qs << QStringList{"abcdefghij", "klmnopqrst", "uvw x"};
        QTest::addRow("indent kept, nothing blank")
            << u"           abcdefghijkl"_qs << QStringList{"abcdefghij", "kl"};
    }
    void longLinesAreCutAtSpacesHidingNothing()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, pieces);
        QCOMPARE(owntext::fit(line, 10), pieces);
    }

    void onlyLinesEveryKeyTypesAreKept()
    {
        const owntext::Text text = owntext::parse(
            "  Good day. \r\n\r\n\xE6\x97\xA5\xE6\x9C\xAC\r\nTab\there\r\n \xE3\x80\x80\r\n"
            "\xEF\xBC\xA1\xEF\xBC\xA2 c;\rEnd~|_",
            8);
        QCOMPARE(text.lines, (QStringList{"  Good", "day.", "AB c;", "End~|_"}));
        QCOMPARE(text.leftOut, 2);
        QCOMPARE(text.refusal, Refusal::None);
    }

    void filesThatCannotBePractisedAreRefusedByName()
    {
        QTemporaryDir dir;
        const auto write = [&](const char* name, const QByteArray& bytes) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        };
        write("empty.txt", "");
        write("blank.txt", " \r\n\t\r\n");
        write("image.png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        write("wide.txt", QByteArray("\xFF\xFE"
                                     "a\0\0\0",
                                     6));
        write("kanji.txt", "\x8A\xBF\x8E\x9A\r\n");
        QFile big(dir.filePath("big.txt"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(owntext::sizeLimit + 1));
        QVERIFY(QDir(dir.path()).mkdir("texts"));
        QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe.txt")).constData(), 0600) == 0);
        const std::pair<const char*, Refusal> cases[] = {
            {"missing.txt", Refusal::Missing},      {"texts", Refusal::Folder},
            {"pipe.txt", Refusal::Unreadable},      {"big.txt", Refusal::TooLarge},
            {"empty.txt", Refusal::Empty},          {"blank.txt", Refusal::Empty},
            {"image.png", Refusal::Binary},         {"wide.txt", Refusal::Binary},
            {"kanji.txt", Refusal::NothingTypeable}};
        for (const auto& [name, refusal] : cases) {
            const QString path = dir.filePath(name);
            const owntext::Text text = owntext::read(path, 80);
            QVERIFY2(text.refusal == refusal && text.lines.isEmpty(), name);
            QVERIFY2(owntext::refusalText(refusal, path).contains(QDir(path).dirName()), name);
        }
    }
};

QTEST_GUILESS_MAIN(OwnTextTest)

#include "tst_owntext.moc"
