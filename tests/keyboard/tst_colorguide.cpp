#include "keyboard/colorguide.h"
#include "keyboard/keytable.h"

#include <QTest>

class TestColorGuide : public QObject {
    Q_OBJECT
private slots:
    void tagForCharacter_data();
    void tagForCharacter();
    void tagKeepsMovingAlongLongLines_data();
    void tagKeepsMovingAlongLongLines();
    void tagLeftAlone();
};

void TestColorGuide::tagForCharacter_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("background"); // invalid: button face
    QTest::newRow("space") << 32 << "SP" << QColor();
    QTest::newRow("backslash") << 92 << QString(QChar(0x00A5)) << QColor();
    QTest::newRow("q") << int('q') << "Q" << QColor(128, 255, 255);
    QTest::newRow("Q") << int('Q') << "Q" << QColor(128, 255, 255);
    QTest::newRow("f") << int('f') << "F" << QColor(255, 0, 255);
    QTest::newRow("8") << int('8') << "8" << QColor(255, 255, 0);
    QTest::newRow(">") << int('>') << "." << QColor(0, 255, 0);
    QTest::newRow("_") << int('_') << "\\" << QColor();
}

void TestColorGuide::tagForCharacter()
{
    QFETCH(int, code);
    QFETCH(QString, caption);
    QFETCH(QColor, background);
    const auto tag = Color(keyForCode(code), 0, 1, txtinLeft(0), txtinTop(0));
    QVERIFY(tag);
    QCOMPARE(tag->caption, caption);
    QCOMPARE(tag->background.value_or(QColor()), background);
    QCOMPARE(tag->left, 480 + 50 + 165);
    QCOMPARE(tag->top, 600);
}

void TestColorGuide::tagKeepsMovingAlongLongLines_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("left");
    QTest::newRow("last before the sum passes 32767") << 195 << 32705;
    QTest::newRow("sum past 32767") << 196 << 32870;
    QTest::newRow("product past 32767") << 199 << 33365;
    QTest::newRow("250") << 250 << 41780;
}

void TestColorGuide::tagKeepsMovingAlongLongLines()
{
    QFETCH(int, pos);
    QFETCH(int, left);
    const auto tag = Color(keyForCode('j'), 2, pos, txtinLeft(2), txtinTop(2));
    QVERIFY(tag);
    QCOMPARE(tag->left, left);
    QCOMPARE(tag->top, 2520);
    const auto next = Color(keyForCode('j'), 2, pos + 1, txtinLeft(2), txtinTop(2));
    QCOMPARE(next->left - tag->left, 165);
}

void TestColorGuide::tagLeftAlone()
{
    // The fifth line (nowcnt 4) still gets a tag; beyond it, or for a keyless character, the
    // tag stays as it was.
    const auto last = Color(keyForCode('a'), 4, 3, txtinLeft(4), txtinTop(4));
    QVERIFY(last);
    QCOMPARE(last->top, 4440);
    QCOMPARE(last->left, 480 + 50 + 495);
    QVERIFY(!Color(keyForCode('a'), 5, 3, 480, 5400));
    QVERIFY(!Color(-1, 0, 1, 480, 600));
}

int runColorGuideTests(int argc, char** argv)
{
    TestColorGuide t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_colorguide.moc"
