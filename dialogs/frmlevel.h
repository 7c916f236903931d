#pragma once

#include "ui/directkeyedit.h"
#include "ui/formsupport.h"

#include <QDialog>

class LevelHost;
class MessageBoxes;
class QLabel;
class QPushButton;

// The controls of one opening of the level window; discarded when it closes.
class LevelWindow : public QDialog {
    Q_OBJECT
public:
    LevelWindow();

    QLabel* Label6;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    DirectKeyEdit* Text1; // a digit key, never an input method's full-width digit
    QLabel* Label5;
    QPushButton* cmdok;
};

// "レベルの選択": the user types 1 to 4 to pick the practice level. Lives for the whole
// program; its controls come and go with each opening.
class frmlevel : public FormHolder<LevelWindow> {
public:
    frmlevel(LevelHost& host, MessageBoxes& messages);

    qint16 level = 0; // 1 beginner, 2 intermediate, 3 advanced, 4 ten-key

    // Shows the window, not modal and without an owner; only brings it forward when open.
    void open();

    void cmdok_Click();

private:
    void Form_Load();

    LevelHost& host_;
    MessageBoxes& messages_;
};
