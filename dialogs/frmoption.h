#pragma once

#include "ui/formsupport.h"

#include <QDialog>

class OptionHost;
class QCheckBox;
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
class frmoption : public FormHolder<OptionWindow> {
public:
    frmoption(OptionHost& host, SettingsStore& settings);

    bool flgcolor = false; // show the finger-colour tag
    bool flgspace = false; // spaces in the practice text need not be typed

    // Shows the window, not modal and without an owner; only brings it forward when open.
    void open();

    void cmdok_Click();
    void cmdcnacel_Click();
    void cmdset_Click();

private:
    void Form_Load();
    void apply();

    OptionHost& host_;
    SettingsStore& settings_;
};
