#include "ui/fonts.h"

#include <QApplication>

int runScoringTests(int argc, char** argv);
int runHistoryTests(int argc, char** argv);
int runBarChartTests(int argc, char** argv);
int runFrmendTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    fonts::installSubstitutions();
    int failed = 0;
    for (auto run : {runScoringTests, runHistoryTests, runBarChartTests, runFrmendTests})
        failed += run(argc, argv);
    return failed;
}
