#include "dialogs/frmabout.h"

#include "dialogs/appicon.h"
#include "dialogs/programidentity.h"
#include "dialogs/supportpage.h"
#include "ui/browser.h"
#include "ui/fonts.h"
#include "ui/messagebox.h"

#include <QMouseEvent>
#include <QPushButton>

namespace {

struct AboutCaptions {
    QString formPrefix = QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 ");
    QString lblTitle = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ ﾀｲﾄﾙ");
    QString lblVersion = QStringLiteral("ﾊﾞｰｼﾞｮﾝ");
    QString lblDescription = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの説明");
    QString cmdOK = QStringLiteral("OK");
    QString versionPrefix = QStringLiteral("ﾊﾞｰｼﾞｮﾝ ");
    QString whatItIs = QStringLiteral("キーボードの練習ソフトです");
    QString support =
        QStringLiteral("サーポートは以下のアドレスで受け付けます。バグの報告はありがたいです。");
    QString noBrowser = QStringLiteral("ブラウザーを起動できませんでした。");
};
const AboutCaptions& captions()
{
    static const AboutCaptions c;
    return c;
}

using formsupport::Box;

struct AboutGeometry {
    double clientWidth = 5580, clientHeight = 3525;
    Box picIcon{120, 240, 780, 780};
    Box lblTitle{1080, 240, 4095, 480};
    Box lblVersion{1050, 780, 4092, 225};
    Box lblDescription{1050, 1125, 4095, 1050};
    Box Label1{1080, 2400, 3975, 375};
    Box cmdOK{3600, 3000, 1467, 345};
    int iconPixels = 48;
    double titlePoints = 18;
    double points = 9;
    double linkPoints = 9;
};
constexpr AboutGeometry aboutGeometry;

CaptionLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, const Box& box)
{
    auto* label = new CaptionLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(box.pixels());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The path of the help page the way a user reads it.
QString readablePath(const QUrl& url)
{
    return url.isLocalFile() ? url.toLocalFile() : url.toDisplayString();
}

} // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

AboutWindow::AboutWindow(QWidget* owner) : QDialog(owner)
{
    const AboutCaptions& c = captions();
    const AboutGeometry& g = aboutGeometry;
    setWindowTitle(c.formPrefix + identity::title);
    formsupport::fixDialogFrame(this, g.clientWidth, g.clientHeight);
    setFont(fonts::design(fonts::proportionalGothic, g.points));

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(g.picIcon.pixels());
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(dovanelIcon().pixmap(g.iconPixels, g.iconPixels));

    lblTitle = makeLabel(this, "lblTitle", c.lblTitle, g.lblTitle);
    lblTitle->setFont(fonts::design(fonts::proportionalGothic, g.titlePoints, true));
    formsupport::fitToText(lblTitle, size());
    lblVersion = makeLabel(this, "lblVersion", c.lblVersion, g.lblVersion);
    lblDescription = makeLabel(this, "lblDescription", c.lblDescription, g.lblDescription);
    lblDescription->setWordWrap(true);

    Label1 = new LinkLabel(supportpage::caption(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(g.Label1.pixels());
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont link = fonts::design(fonts::proportionalGothic, g.linkPoints);
    link.setUnderline(true);
    Label1->setFont(link);
    QPalette blue = Label1->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(blue);

    for (QLabel* label : {static_cast<QLabel*>(lblVersion), static_cast<QLabel*>(Label1)})
        formsupport::fitToText(label, size());

    cmdOK = new QPushButton(c.cmdOK, this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(g.cmdOK.pixels());
    cmdOK->setDefault(true); // Enter; Escape reaches QDialog's own cancel
    cmdOK->setFocus();
}

frmAbout::frmAbout(Browser& browser, MessageBoxes& messages)
    : browser_(browser), messages_(messages)
{
}

frmAbout::~frmAbout()
{
    delete window_.data();
}

void frmAbout::open(QWidget* owner)
{
    if (isOpen()) {
        formsupport::bringForward(window_);
        return;
    }
    window_ = new AboutWindow(owner);
    window_->setAttribute(Qt::WA_DeleteOnClose);
    window_->Label1->setToolTip(readablePath(supportpage::address()));
    QObject::connect(window_->Label1, &LinkLabel::clicked, window_, [this] { Label1_Click(); });
    QObject::connect(window_->cmdOK, &QPushButton::clicked, window_, [this] { cmdOK_Click(); });
    Form_Load();
    window_->exec(); // deletes the window afterwards, as it is marked to go on closing
}

void frmAbout::close()
{
    if (isOpen()) window_->close();
}

bool frmAbout::isOpen() const
{
    return window_ && window_->isVisible();
}

AboutWindow* frmAbout::window() const
{
    return isOpen() ? window_.data() : nullptr;
}

void frmAbout::Form_Load()
{
    const AboutCaptions& c = captions();
    AboutWindow& w = *window_;
    w.lblVersion->setCaption(c.versionPrefix + identity::versionText());
    w.lblTitle->setCaption(identity::title);
    w.lblDescription->setCaption(w.lblDescription->caption() + QStringLiteral("\n\n\r") +
                                 c.whatItIs + QStringLiteral("\n\r") + c.support);

    // The description is longer than the design's box in these fonts; it may take the room
    // down to the address.
    const int bottom = aboutGeometry.Label1.pixels().top() - 2;
    QLabel* d = w.lblDescription;
    const int needed = d->heightForWidth(d->width());
    if (needed > d->height()) d->resize(d->width(), qMin(needed, bottom - d->y()));
}

void frmAbout::Label1_Click()
{
    const QUrl address = supportpage::address();
    if (!browser_.open(address))
        messages_.inform(captions().noBrowser + QLatin1Char('\n') + readablePath(address),
                         identity::title);
}

void frmAbout::cmdOK_Click()
{
    close();
}
