#include "ui/barchart.h"

#include <QSet>
#include <QTest>

class BarChartTest : public QObject {
    Q_OBJECT

    static BarChart::Table column(std::array<qint16, BarChart::rows> values)
    {
        BarChart::Table table{};
        for (int r = 0; r < BarChart::rows; ++r)
            table[r] = {values[r], values[r]};
        return table;
    }

private slots:
    void keepsWhatItWasGiven()
    {
        BarChart chart;
        BarChart::Table table{};
        table[0] = {5, 6};
        table[9] = {-7, 8};
        chart.setData(table);
        chart.setTitle("最近10回のミス率");
        QCOMPARE(chart.data(), table);
        QCOMPARE(chart.title(), QString("最近10回のミス率"));
    }

    void emptyAndRepeatedRowLabels()
    {
        BarChart chart;
        const QStringList labels{"2回前", "1回前", "今回", "", "", "", "", "", "今回", ""};
        for (int r = 1; r <= 10; ++r)
            chart.setRowLabel(r, labels[r - 1]);
        for (int r = 1; r <= 10; ++r)
            QCOMPARE(chart.rowLabel(r), labels[r - 1]);

        const QStringList categories = chart.categories();
        QCOMPARE(categories.size(), 10); // the axis dropped none of the rows
        QCOMPARE(QSet<QString>(categories.begin(), categories.end()).size(), 10);
        for (int r = 0; r < 10; ++r) {
            QString seen = categories[r];
            seen.remove(QChar(0x200B));
            QCOMPARE(seen, labels[r]);
        }

        chart.setRowLabel(0, "x");
        chart.setRowLabel(11, "x");
        QCOMPARE(chart.rowLabel(0), QString());
        QCOMPARE(chart.categories(), categories);
    }

    void valueAxisFollowsTheFigures()
    {
        BarChart chart;
        QVERIFY(chart.valueAxisMax() > chart.valueAxisMin()); // a scale even with no figures

        chart.setData(column({-75, 120, 0, 0, 0, 0, 0, 0, 0, 0}));
        QVERIFY(chart.valueAxisMin() <= -75 && chart.valueAxisMin() > -150);
        QVERIFY(chart.valueAxisMax() >= 120 && chart.valueAxisMax() < 240);

        // Bars grow from zero, so an all-positive chart starts at zero.
        chart.setData(column({300, 310, 320, 330, 340, 350, 360, 370, 380, 390}));
        QCOMPARE(chart.valueAxisMin(), 0.0);
        QVERIFY(chart.valueAxisMax() >= 390 && chart.valueAxisMax() < 780);

        chart.setData(column({-30000, 32767, 0, 0, 0, 0, 0, 0, 0, 0}));
        QVERIFY(chart.valueAxisMin() <= -30000);
        QVERIFY(chart.valueAxisMax() >= 32767);
    }
};

int runBarChartTests(int argc, char** argv)
{
    BarChartTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_barchart.moc"
