#pragma once

#include "keyboard/colorguide.h"
#include "keyboard/keytable.h"

#include <QObject>
#include <QString>
#include <QWidget>
#include <array>

class KeyCap;
class KeyGuide;
class QFrame;
class QGroupBox;
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
    // `guide` must outlive the widgets. The key font family is looked up through the
    // application's font substitutions.
    KeyboardWidgets(QWidget* parent, const KeyGuide& guide,
                    const QString& keyFontFamily = QStringLiteral("ＭＳ ゴシック"));

    QPushButton* cmd(int i) const { return cmd_.at(i); }
    QPushButton* lblyubi(int i) const { return lblyubi_.at(i); }
    QPushButton* cmdcolor() const;
    QGroupBox* Frame1() const { return frame1_; }
    QFrame* Line1() const { return line1_; }
    QFrame* Shape1() const { return shape1_; }
    QFrame* Shape2() const { return shape2_; }
    FrameOverlay* overlay() const { return overlay_; }

    // Redraw the frames after KeyGuide::round().
    void refreshFrames();

    // Colour, caption and place of the finger tag from Color().
    void applyColor(const ColorTag& tag);
    void setColorTagVisible(bool on);

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
    QGroupBox* frame1_ = nullptr;
    QFrame* line1_ = nullptr;
    QFrame* shape1_ = nullptr;
    QFrame* shape2_ = nullptr;
    FrameOverlay* overlay_ = nullptr;
};
