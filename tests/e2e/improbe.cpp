// A plain line edit that reports what the input method does in it, one line per event: the
// end-to-end test's proof that the input method of its session really composes.
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <cstdio>

class Probe : public QLineEdit {
protected:
    void inputMethodEvent(QInputMethodEvent* event) override
    {
        std::printf("preedit=%s commit=%s\n", qPrintable(event->preeditString()),
                    qPrintable(event->commitString()));
        std::fflush(stdout);
        QLineEdit::inputMethodEvent(event);
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Probe probe;
    probe.setWindowTitle(QStringLiteral("improbe"));
    probe.show();
    return app.exec();
}
