#pragma once

#include <QFrame>
#include <QPushButton>
#include <optional>

// A key of the on-screen keyboard, a finger legend or the colour tag: a flat face in the
// finger's own colour, a thin border and the caption. One painting serves every key, where a
// style sheet per key cost start-up time and memory, and a style would shade the colour into
// a gradient that learners could not match to the legend.
class KeyCap : public QPushButton {
    Q_OBJECT
public:
    explicit KeyCap(const QString& text = {}, QWidget* parent = nullptr);

    // No colour: the ordinary button face, so the board looks of a piece.
    void setFace(const std::optional<QColor>& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<QColor> face_;
};

// The rounded outline round a home-position key.
class HomeMarker : public QFrame {
    Q_OBJECT
public:
    explicit HomeMarker(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
