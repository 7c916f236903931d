#include <QCoreApplication>

int runSettingsStoreTests(int argc, char** argv);
int runPracticeTextTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int failed = 0;
    for (auto run : {runSettingsStoreTests, runPracticeTextTests})
        failed += run(argc, argv);
    return failed;
}
