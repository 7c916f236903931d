#pragma once

#include "keyboard/colourguide.h"
#include "keyboard/keytable.h"

#include <QObject>
#include <QString>
#include <QWidget>
#include <array>

class KeyCap;
class KeyGuide;
class QPushButton;

// Draws the visible lines of a KeyGuide's frames over the whole window. It lets every mouse
// click through and must stay above the key buttons, or the frames vanish behind them.
class FrameOverlay : public QWidget {
    Q_OBJECT
public:
    FrameOverlay(const KeyGuide& guide, QWidget* parent);

    // Repaints after the frames moved.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRegion linesRegion() const;

    const KeyGuide& guide_;
    QRegion painted_;
};

// The on-screen keyboard and its helpers, built as children of the main window's client area
// and owned by it. Every part stays out of the keyboard focus chain so typing goes on in the
// input boxes whatever is clicked.
class KeyboardWidgets : public QObject {
    Q_OBJECT
public:
    // `guide` must outlive the widgets.
    KeyboardWidgets(QWidget* parent, const KeyGuide& guide);

    QPushButton* cmd(int i) const { return cmd_.at(i); }
    QPushButton* lblyubi(int i) const { return lblyubi_.at(i); }
    QPushButton* cmdcolor() const;
    FrameOverlay* overlay() const { return overlay_; }

    // Redraw the frames after KeyGuide::round().
    void refreshFrames();

    // Colour, caption and place of the finger tag from Color().
    void applyColour(const ColourTag& tag);
    void setColourTagVisible(bool on);

    // Put the tag above the input boxes and the frames above everything. Call again after
    // the window adds widgets of its own.
    void raiseOverlays();

signals:
    void keyClicked(int index);
    void cmdcolorClicked();

private:
    std::array<QPushButton*, keyCount> cmd_{};
    std::array<QPushButton*, 4> lblyubi_{};
    KeyCap* cmdcolor_ = nullptr;
    FrameOverlay* overlay_ = nullptr;
};
