#include "ui/fonts.h"

#include <QApplication>

int runLevelTests(int argc, char** argv);
int runOptionTests(int argc, char** argv);
int runAboutTests(int argc, char** argv);
int runSupportTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    fonts::installSubstitutions(); // widths of the real fonts, for the readability checks
    int failed = 0;
    for (auto run : {runLevelTests, runOptionTests, runAboutTests, runSupportTests})
        failed += run(argc, argv);
    return failed;
}
