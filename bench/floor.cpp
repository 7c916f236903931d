// dovanel_floor: what a bare Qt Widgets window holding the main window's controls costs.
// The same menus, labels, line edits, keys, legend and time label in the same places, with
// Qt's default fonts and style and no logic: the benchmarks compare dovanel with it.

#include "app/mainlayout.h"
#include "keyboard/fingercolours.h"
#include "keyboard/keytable.h"
#include "ui/placement.h"
#include "ui/twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

namespace {

// Where the legend's frame stands, in twips of the main window.
constexpr int frameLeft = 120, frameTop = 5280, frameWidth = 1335, frameHeight = 2895;

void addMenus(QMainWindow& window)
{
    QMenu* menu = nullptr;
    for (const mainlayout::MenuItem& item : mainlayout::menuItems) {
        if (item.menu) menu = window.menuBar()->addMenu(QString::fromUtf8(item.menu));
        menu->addAction(QString::fromUtf8(item.caption))->setShortcut(Qt::CTRL | item.ctrlKey);
    }
}

void addControls(QWidget* client)
{
    using namespace mainlayout;
    QLineEdit* first = nullptr;
    for (int i = 0; i < blockLines; ++i) {
        auto* label = new QLabel(client);
        label->setGeometry(
            twips::rect(lblinLeft, lblinTop + linePitch * i, lblinWidth, lblinHeight));
        auto* edit = new QLineEdit(client);
        edit->setGeometry(
            twips::rect(txtinLeft(i), txtinTop(i), txtinLayout.width, txtinLayout.height));
        if (!first) first = edit;
    }
    for (const KeyDef& k : keyTable) {
        auto* key = new QPushButton(QString::fromUtf8(k.legend), client);
        key->setGeometry(twips::rect(k.left, k.top, k.width, k.height));
        key->setFocusPolicy(Qt::NoFocus);
    }
    auto* frame = new QGroupBox(QStringLiteral("どの指か"), client);
    frame->setGeometry(twips::rect(frameLeft, frameTop, frameWidth, frameHeight));
    for (const FingerStyle& s : fingerStyles) {
        auto* legend = new QPushButton(QString::fromUtf8(s.caption), frame);
        legend->setGeometry(twips::rect(lblyubiLayout.left - frameLeft, s.legendTop - frameTop,
                                        lblyubiLayout.width, lblyubiLayout.height));
        legend->setFocusPolicy(Qt::NoFocus);
    }
    auto* time = new QLabel(client);
    time->setGeometry(twips::rect(lbltimeLeft, lbltimeTop, lbltimeWidth, lbltimeHeight));
    first->setFocus();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("dovanel floor"));
    auto* client = new QWidget(&window);
    client->setFixedSize(twips::toPixels(mainlayout::clientWidth),
                         twips::toPixels(mainlayout::clientHeight));
    window.setCentralWidget(client);
    addMenus(window);
    addControls(client);
    centreOnScreen(&window);
    window.show();
    return app.exec();
}
