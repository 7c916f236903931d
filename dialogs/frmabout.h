#pragma once

#include "ui/formsupport.h"

#include <QDialog>
#include <QUrl>

class Browser;
class MessageBoxes;
class QPushButton;

// The support address: looks like a link and answers a click.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The controls of one opening of the About box; discarded when it closes.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(QWidget* owner, const QString& address);

    QLabel* picIcon;
    CaptionLabel* lblTitle;
    CaptionLabel* lblVersion;
    CaptionLabel* lblDescription;
    LinkLabel* Label1;
    QPushButton* cmdOK;
};

// "ﾊﾞｰｼﾞｮﾝ情報": the program's name, version and support address.
class frmAbout : public FormHolder<AboutWindow> {
public:
    frmAbout(Browser& browser, MessageBoxes& messages);

    // Modal over `owner` and centred on it; returns when the box is closed. When it is
    // already open it is only brought forward.
    void open(QWidget* owner);

    void Label1_Click();
    void cmdOK_Click();

private:
    void Form_Load();

    Browser& browser_;
    MessageBoxes& messages_;
    QUrl address_;
};
