#include "keyboard/fingercolours.h"
#include "keyboard/keytable.h"

#include <QTest>

class TestKeyTable : public QObject {
    Q_OBJECT
private slots:
    void keyMap_data();
    void keyMap();
    void everyKeyByItsOwnCharacter();
    void shiftedCharacters();
    void codePage_data();
    void codePage();
    void layoutGrid();
    void fingerColours();
};

void TestKeyTable::keyMap_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("shifted");
    QTest::newRow("a") << int('a') << 25 << false;
    QTest::newRow("A") << int('A') << 25 << true;
    QTest::newRow("backslash on the yen key") << 92 << 12 << false;
    QTest::newRow("|") << int('|') << 12 << true;
    QTest::newRow("_ is the only way to key 47") << int('_') << 47 << true;
    QTest::newRow("0 has no shifted partner") << int('0') << 9 << false;
    QTest::newRow("space") << 32 << 50 << false;
    QTest::newRow("~") << int('~') << 11 << true;
    QTest::newRow("^") << int('^') << 11 << false;
    QTest::newRow("=") << int('=') << 10 << true;
    QTest::newRow("quote") << int('\'') << 6 << true;
    QTest::newRow("`") << int('`') << 23 << true;
    QTest::newRow("*") << int('*') << 35 << true;
    QTest::newRow("?") << int('?') << 46 << true;
    QTest::newRow("tab") << 9 << -1 << false;
    QTest::newRow("half-width katakana A") << 0xB1 << -1 << false;
    QTest::newRow("the table's no-character marker") << -1 << -1 << false;
    QTest::newRow("double-byte") << charCode(QChar(0x3042)) << -1 << false;
}

void TestKeyTable::keyMap()
{
    QFETCH(int, code);
    QFETCH(int, key);
    QFETCH(bool, shifted);
    QCOMPARE(keyForCode(code), key);
    QCOMPARE(isShiftedCode(code), shifted);
}

void TestKeyTable::everyKeyByItsOwnCharacter()
{
    // Legends of the letter keys are capitals; they must map back to their own key by the
    // lower case too. The lower backslash key is the one exception: the yen key takes 92.
    for (int i = 0; i <= 46; ++i) {
        QCOMPARE(keyForCode(keyTable[i].unshifted), i);
        if (keyTable[i].shifted != noChar) QCOMPARE(keyForCode(keyTable[i].shifted), i);
    }
    QCOMPARE(keyForCode(keyTable[47].unshifted), 12);
    QCOMPARE(keyForCode(charCode(QChar(0x00A5))), 12);
    QCOMPARE(keyForCode(charCode(QChar(0x203E))), 11);
    for (int code = -5; code < 256; ++code)
        QVERIFY(keyForCode(code) != 48 && keyForCode(code) != 49);
}

void TestKeyTable::shiftedCharacters()
{
    const QByteArray expected = "ABCDEFGHIJKLMNOPQRSTUVWXYZ!\"#$%&'()=~|`{+*}<>?_";
    QCOMPARE(expected.size(), 47);
    QByteArray found;
    for (int code = 0; code < 256; ++code) {
        if (isShiftedCode(code)) found.append(char(code));
    }
    QByteArray sortedExpected = expected;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    QCOMPARE(found, sortedExpected);
}

void TestKeyTable::codePage_data()
{
    QTest::addColumn<int>("unicode");
    QTest::addColumn<int>("code"); // -1 here: any negative value
    QTest::newRow("a") << 0x61 << 0x61;
    QTest::newRow("DEL") << 0x7F << 0x7F;
    QTest::newRow("yen sign") << 0xA5 << 92;
    QTest::newRow("overline") << 0x203E << 126;
    QTest::newRow("first half-width kana") << 0xFF61 << 0xA1;
    QTest::newRow("half-width A") << 0xFF71 << 0xB1;
    QTest::newRow("last half-width kana") << 0xFF9F << 0xDF;
    QTest::newRow("fullwidth paren before the kana") << 0xFF60 << -1;
    QTest::newRow("halfwidth hangul filler after") << 0xFFA0 << -1;
    QTest::newRow("hiragana a") << 0x3042 << -1;
    QTest::newRow("e acute") << 0xE9 << -1;
}

void TestKeyTable::codePage()
{
    QFETCH(int, unicode);
    QFETCH(int, code);
    const int got = charCode(QChar(char16_t(unicode)));
    if (code < 0)
        QVERIFY2(got < 0, qPrintable(QString::number(got)));
    else
        QCOMPARE(got, code);
}

void TestKeyTable::layoutGrid()
{
    // Rows 840 twips apart, each starting 360 further right, keys 840 apart along a row.
    struct RowSpan {
        int first, last, top, left;
    };
    const RowSpan rows[] = {
        {0, 12, 5280, 2160}, {13, 24, 6120, 2520}, {25, 36, 6960, 2880}, {37, 47, 7800, 3240}};
    for (const RowSpan& r : rows) {
        for (int i = r.first; i <= r.last; ++i) {
            int left = r.left + 840 * (i - r.first);
            if (i == 6) left = 7202;
            if (i == 15) left = 4206;
            QCOMPARE(keyTable[i].left, left);
            QCOMPARE(keyTable[i].top, r.top);
            QCOMPARE(keyTable[i].width, 735);
            QCOMPARE(keyTable[i].height, 615);
        }
    }
    const int wide[3][4] = {
        {48, 1680, 7800, 1455}, {49, 12480, 7800, 1455}, {50, 5760, 8640, 2175}};
    for (const auto& w : wide) {
        QCOMPARE(keyTable[w[0]].left, w[1]);
        QCOMPARE(keyTable[w[0]].top, w[2]);
        QCOMPARE(keyTable[w[0]].width, w[3]);
    }
    QCOMPARE(QString::fromUtf8(keyTable[12].legend), QString(QChar(0x00A5)));
    QCOMPARE(QString::fromUtf8(keyTable[47].legend), QStringLiteral("\\"));
}

void TestKeyTable::fingerColours()
{
    const QColor magenta(255, 0, 255), yellow(255, 255, 0), green(0, 255, 0),
        paleCyan(128, 255, 255);
    const struct {
        QList<int> keys;
        std::optional<QColor> colour;
    } sets[] = {
        {{3, 4, 5, 6, 16, 17, 18, 19, 28, 29, 30, 31, 40, 41, 42, 43}, magenta},
        {{2, 7, 15, 20, 27, 32, 39, 44}, yellow},
        {{1, 8, 14, 21, 26, 33, 38, 45}, green},
        {{0, 9, 10, 13, 22, 25, 34, 37, 46}, paleCyan},
        {{11, 12, 23, 24, 35, 36, 47, 48, 49, 50}, std::nullopt},
    };
    int covered = 0;
    for (const auto& s : sets) {
        for (int k : s.keys) {
            QCOMPARE(keyColour(k), s.colour);
            ++covered;
        }
    }
    QCOMPARE(covered, keyCount);

    // Legend order is index, middle, ring, little; only the little finger's keys differ
    // from its legend, being paler.
    QCOMPARE(QString::fromUtf8(fingerStyles[0].caption), QStringLiteral("人差し指"));
    QCOMPARE(QString::fromUtf8(fingerStyles[3].caption), QStringLiteral("小指"));
    QCOMPARE(QColor(fingerStyles[3].legendColour), QColor(0, 255, 255));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(fingerStyles[i].legendColour, fingerStyles[i].keyColour);
    QVERIFY(QColor(fingerStyles[3].keyColour).lightness() >
            QColor(fingerStyles[3].legendColour).lightness());
}

int runKeyTableTests(int argc, char** argv)
{
    TestKeyTable t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_keytable.moc"
