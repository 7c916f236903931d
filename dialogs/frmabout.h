#pragma once

#include "dialogs/formsupport.h"

#include <QDialog>
#include <QPointer>
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
class frmAbout {
public:
    frmAbout(Browser& browser, MessageBoxes& messages);
    ~frmAbout();
    frmAbout(const frmAbout&) = delete;
    frmAbout& operator=(const frmAbout&) = delete;

    // Modal over `owner` and centred on it; returns when the box is closed. When it is
    // already open it is only brought forward.
    void open(QWidget* owner);
    void close();
    bool isOpen() const;
    AboutWindow* window() const; // null while closed

    void Label1_Click();
    void cmdOK_Click();

private:
    void Form_Load();

    Browser& browser_;
    MessageBoxes& messages_;
    QPointer<AboutWindow> window_;
    QUrl address_;
};
