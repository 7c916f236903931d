#pragma once

#include "journal/weakkeys.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QWidget>
#include <vector>

// The keys the learner typed on, drawn large enough to read from the chair, each tinted by
// its miss rate in bands, with a legend of the bands beneath.
class WeakKeyboard : public QWidget {
    Q_OBJECT
public:
    // The JIS keyboard of the main window, or the numeric keypad for runs typed there.
    enum class Board { Full, Keypad };

    explicit WeakKeyboard(QWidget* parent = nullptr);

    void setTallies(const QList<CharTally>& tallies, Board board);
    Board board() const { return board_; }

    // The keys drawn: for the full board in the key table's order.
    int keys() const { return int(keys_.size()); }
    QString legend(int key) const;
    // Its band's colour; none for a key that never came up, a hatch when struck too rarely.
    QBrush keyFill(int key) const;
    // Where a key is drawn, in the widget's pixels.
    QRectF keyRect(int key) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Key {
        QString legend;
        QRectF place; // in the board's own units
        weakkeys::KeyCounts counts;
    };
    QRectF boardArea() const;
    // A band of weakkeys, or a shade for a key without a rate.
    int shade(int key) const;

    Board board_ = Board::Full;
    std::vector<Key> keys_;
    QRectF bounds_; // of all places
};
