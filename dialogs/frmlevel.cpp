#include "dialogs/frmlevel.h"

#include "dialogs/dialoghosts.h"
#include "practice/sources.h"
#include "ui/directkeyedit.h"
#include "ui/fonts.h"
#include "ui/messagebox.h"
#include "ui/programidentity.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPushButton>

namespace {

struct LevelCaptions {
    QString form = QStringLiteral("レベルの選択");
    QString Label6 = QStringLiteral("数字の1～４を下のボックスに入力してください");
    QString Label1 = QStringLiteral("1  初級");
    QString Label2 = QStringLiteral("2　中級");
    QString Label3 = QStringLiteral("3　上級");
    QString Label4 = QStringLiteral("4  数字の練習（テンキーの練習）");
    QString Label5 = QStringLiteral("(1-4)");
    QString cmdok = QStringLiteral("OK");
    QString noEntry = QStringLiteral("レベルを選択してください");
    QString notALevel = QStringLiteral("半角の数字の1から4を入力してください");
};
const LevelCaptions& captions()
{
    static const LevelCaptions c;
    return c;
}

using twips::Box;

struct LevelGeometry {
    double clientWidth = 5460, clientHeight = 3300;
    Box Label6{360, 240, 4815, 375};
    Box Label1{930, 840, 3495, 375};
    Box Label2{930, 1320, 3495, 375};
    Box Label3{930, 1800, 3495, 375};
    Box Label4{930, 2280, 3495, 375};
    Box Text1{923, 2760, 615, 375};
    Box Label5{1770, 2760, 735, 255};
    Box cmdok{3323, 2760, 1095, 375};
    double points = 12;
    double Label5Points = 14.25;
};
constexpr LevelGeometry levelGeometry;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, const Box& box)
{
    auto* label = new QLabel(formsupport::labelText(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(box.pixels());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

LevelWindow::LevelWindow()
{
    const LevelCaptions& c = captions();
    const LevelGeometry& g = levelGeometry;
    setWindowTitle(c.form);
    formsupport::fixDialogFrame(this, g.clientWidth, g.clientHeight);
    setFont(fonts::design(fonts::proportionalGothic, g.points));

    Label6 = makeLabel(this, "Label6", c.Label6, g.Label6);
    QPalette red = Label6->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label6->setPalette(red);
    Label1 = makeLabel(this, "Label1", c.Label1, g.Label1);
    Label2 = makeLabel(this, "Label2", c.Label2, g.Label2);
    Label3 = makeLabel(this, "Label3", c.Label3, g.Label3);
    Label4 = makeLabel(this, "Label4", c.Label4, g.Label4);

    Text1 = new DirectKeyEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(g.Text1.pixels());

    Label5 = makeLabel(this, "Label5", c.Label5, g.Label5);
    Label5->setFont(fonts::design(fonts::proportionalGothic, g.Label5Points));
    for (QLabel* label : {Label6, Label1, Label2, Label3, Label4, Label5})
        formsupport::fitToText(label, size());

    cmdok = new QPushButton(c.cmdok, this);
    cmdok->setObjectName(QStringLiteral("cmdok"));
    cmdok->setGeometry(g.cmdok.pixels());
    // Enter belongs to the form's key handler, never to a default button.
    cmdok->setAutoDefault(false);
    cmdok->setDefault(false);

    setTabOrder(Text1, cmdok);
    Text1->setFocus();
}

frmlevel::frmlevel(LevelHost& host, MessageBoxes& messages) : host_(host), messages_(messages) {}

void frmlevel::open()
{
    LevelWindow* w = build();
    if (!w) return;
    QObject::connect(w->cmdok, &QPushButton::clicked, w, [this] { cmdok_Click(); });
    // Enter confirms and Escape closes and keeps the level, whichever control has the focus.
    formsupport::onEnterAndEscape(
        w, [this] { cmdok_Click(); }, [this] { close(); });
    Form_Load();
    w->show();
    formsupport::bringForward(w);
}

void frmlevel::Form_Load()
{
    if (level == 0) level = practice::defaultLevel;
}

void frmlevel::cmdok_Click()
{
    if (!isOpen()) return;
    const QString text = window_->Text1->text();
    if (text.isEmpty()) {
        messages_.inform(captions().noEntry, identity::title);
        return;
    }
    // Exact texts only: a full-width digit, a sign or a stray space is no level.
    bool number = false;
    const int chosen = text.toInt(&number);
    if (!number || !practice::isLevel(chosen) || text != QString::number(chosen)) {
        messages_.inform(captions().notALevel, identity::title);
        if (isOpen()) {
            formsupport::bringForward(window_);
            window_->Text1->setFocus();
        }
        return;
    }
    level = static_cast<qint16>(chosen);
    close();
    host_.startLevelRun();
}
