#include "dialogs/frmoption.h"

#include "dialogs/dialoghosts.h"
#include "ui/fonts.h"
#include "ui/settingkeys.h"
#include "ui/settingsstore.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

struct OptionCaptions {
    QString form = QStringLiteral("オプション");
    QString chkcolor = QStringLiteral("入力文字に指で押さえるところの色を表示する");
    QString chkspace = QStringLiteral("スペース(空白文字）を飛ばす");
    QString cmdok = QStringLiteral("OK");
    QString cmdcnacel = QStringLiteral("Cancel");
    QString cmdset = QStringLiteral("設定を記憶");
};
const OptionCaptions& captions()
{
    static const OptionCaptions c;
    return c;
}

using twips::Box;

struct OptionGeometry {
    double clientWidth = 4680, clientHeight = 2100;
    Box chkcolor{120, 480, 4275, 255};
    Box chkspace{120, 960, 4275, 255};
    Box cmdok{1200, 1560, 855, 375};
    Box cmdcnacel{2160, 1560, 975, 375};
    Box cmdset{3240, 1560, 1215, 375};
    double points = 9;
};
constexpr OptionGeometry optionGeometry;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const Box& box)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(box.pixels());
    // No default and no cancel button: Enter and Escape go to the form's key handler.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& caption, const Box& box)
{
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(QString::fromLatin1(name));
    check->setGeometry(box.pixels());
    return check;
}

} // namespace

OptionWindow::OptionWindow()
{
    const OptionCaptions& c = captions();
    const OptionGeometry& g = optionGeometry;
    setWindowTitle(c.form);
    formsupport::fixDialogFrame(this, g.clientWidth, g.clientHeight);
    setFont(fonts::design(fonts::proportionalGothic, g.points));

    chkcolor = makeCheck(this, "chkcolor", c.chkcolor, g.chkcolor);
    chkspace = makeCheck(this, "chkspace", c.chkspace, g.chkspace);
    for (QCheckBox* check : {chkcolor, chkspace})
        formsupport::fitToText(check, size());
    cmdok = makeButton(this, "cmdok", c.cmdok, g.cmdok);
    cmdcnacel = makeButton(this, "cmdcnacel", c.cmdcnacel, g.cmdcnacel);
    cmdset = makeButton(this, "cmdset", c.cmdset, g.cmdset);

    setTabOrder(chkcolor, chkspace);
    setTabOrder(chkspace, cmdok);
    setTabOrder(cmdok, cmdcnacel);
    setTabOrder(cmdcnacel, cmdset);
    chkcolor->setFocus();
}

frmoption::frmoption(OptionHost& host, SettingsStore& settings) : host_(host), settings_(settings)
{
}

void frmoption::open()
{
    OptionWindow* w = build();
    if (!w) return;
    QObject::connect(w->cmdok, &QPushButton::clicked, w, [this] { cmdok_Click(); });
    QObject::connect(w->cmdcnacel, &QPushButton::clicked, w, [this] { cmdcnacel_Click(); });
    QObject::connect(w->cmdset, &QPushButton::clicked, w, [this] { cmdset_Click(); });
    // Enter applies without storing and Escape cancels, whichever control has the focus.
    formsupport::onEnterAndEscape(
        w, [this] { cmdok_Click(); }, [this] { cmdcnacel_Click(); });
    Form_Load();
    w->show();
    formsupport::bringForward(w);
}

void frmoption::Form_Load()
{
    window_->chkcolor->setChecked(flgcolor);
    window_->chkspace->setChecked(flgspace);
}

void frmoption::apply()
{
    flgcolor = window_->chkcolor->isChecked();
    flgspace = window_->chkspace->isChecked();
    host_.applyColourTag(flgcolor);
}

void frmoption::cmdok_Click()
{
    if (!isOpen()) return;
    apply();
    close();
}

void frmoption::cmdset_Click()
{
    if (!isOpen()) return;
    apply();
    const SettingsStore::Batch batch(settings_);
    settings_.writeFlag(settingkeys::options, settingkeys::skipspace, flgspace);
    settings_.writeFlag(settingkeys::options, settingkeys::color, flgcolor);
    close();
}

void frmoption::cmdcnacel_Click()
{
    close();
}
