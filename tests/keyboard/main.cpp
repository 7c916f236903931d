#include <QApplication>

int runKeyTableTests(int argc, char** argv);
int runKeyGuideTests(int argc, char** argv);
int runColorGuideTests(int argc, char** argv);
int runWidgetTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    for (auto run : {runKeyTableTests, runKeyGuideTests, runColorGuideTests, runWidgetTests})
        failed += run(argc, argv);
    return failed;
}
