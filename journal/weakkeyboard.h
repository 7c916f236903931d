#pragma once

#include "keyboard/keytable.h"

#include <QColor>
#include <QWidget>
#include <array>
#include <optional>

// The JIS keyboard of the main window, drawn small, each key tinted by how often it was
// missed.
class WeakKeyboard : public QWidget {
    Q_OBJECT
public:
    using Rates = std::array<std::optional<double>, keyCount>;

    explicit WeakKeyboard(QWidget* parent = nullptr);

    void setRates(const Rates& rates);
    // The fill of a key: its tint, or the plain face when none of its characters came up.
    QColor keyFill(int key) const;
    // Where a key is drawn, in the widget's pixels.
    QRectF keyRect(int key) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Rates rates_{};
};
