#include "dialogs/appicon.h"
#include "dialogs/supportpage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSupport : public QObject {
    Q_OBJECT
private slots:
    void supportPageChoice_data()
    {
        // Which copies exist below a folder holding work/, bin/ (the program), share/, data/.
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("expected");
        const QString work = "work/help/index.html", installed = "share/dovanel/help/index.html",
                      source = "data/help/index.html";
        QTest::newRow("working folder first") << QStringList{work, installed, source} << work;
        QTest::newRow("installed before source") << QStringList{installed, source} << installed;
        QTest::newRow("build tree") << QStringList{source} << source;
        QTest::newRow("none: the working folder's") << QStringList{} << work;
        QTest::newRow("a folder is no page") << QStringList{work + '/', source} << source;
    }
    void supportPageChoice()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QDir dir(root.path());
        QVERIFY(root.isValid() && dir.mkpath("work") && dir.mkpath("bin"));
        for (const QString& path : present) {
            QVERIFY(dir.mkpath(path.endsWith('/') ? path : QFileInfo(path).path()));
            QFile page(dir.filePath(path));
            QVERIFY(path.endsWith('/') || page.open(QIODevice::WriteOnly));
        }
        const QUrl url = supportpage::address(dir.filePath("work"), dir.filePath("bin"));
        QVERIFY(url.isLocalFile());
        QCOMPARE(url.toLocalFile(), QDir::cleanPath(dir.filePath(expected)));
    }

    void iconIsAKeyCap()
    {
        const QIcon icon = dovanelIcon();
        for (int size : {16, 32, 48}) {
            const QImage image = icon.pixmap(size, size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            // Rounded corners stay see-through; the key top is drawn.
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
        }
    }
};

int runSupportTests(int argc, char** argv)
{
    TestSupport t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_support.moc"
