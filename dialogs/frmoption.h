#pragma once

#include <QDialog>
#include <QPointer>

class OptionHost;
class QCheckBox;
class QKeyEvent;
class QPushButton;
class SettingsStore;

// The controls of one opening of the options window; discarded when it closes.
class OptionWindow : public QDialog {
    Q_OBJECT
public:
    OptionWindow();

    QCheckBox* chkcolor;
    QCheckBox* chkspace;
    QPushButton* cmdok;
    QPushButton* cmdcnacel;
    QPushButton* cmdset;
};

// "オプション": finger colours on the typed characters, and skipping spaces. Lives for the
// whole program and keeps the two flags; its controls come and go with each opening.
class frmoption {
public:
    frmoption(OptionHost& host, SettingsStore& settings);
    ~frmoption();
    frmoption(const frmoption&) = delete;
    frmoption& operator=(const frmoption&) = delete;

    bool flgcolor = false; // show the finger-colour tag
    bool flgspace = false; // spaces in the practice text need not be typed

    // Shows the window, not modal and without an owner; only brings it forward when open.
    void open();
    void close();
    bool isOpen() const;
    OptionWindow* window() const; // null while closed

    void cmdok_Click();
    void cmdcnacel_Click();
    void cmdset_Click();

private:
    void Form_Load();
    bool Form_KeyDown(QKeyEvent* event);
    void apply();

    OptionHost& host_;
    SettingsStore& settings_;
    QPointer<OptionWindow> window_;
};
