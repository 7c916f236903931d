#include "ui/fonts.h"

#include <QApplication>

int runStartupTests(int argc, char** argv);
int runTypingTests(int argc, char** argv);
int runFlowTests(int argc, char** argv);
int runJournalTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    fonts::installSubstitutions();
    int failed = 0;
    for (auto run : {runStartupTests, runTypingTests, runFlowTests, runJournalTests})
        failed += run(argc, argv);
    return failed;
}
