#pragma once

#include "keyboard/colourguide.h"
#include "typing/runstate.h"

#include <QString>
#include <array>

// The main window's design, in twips.
namespace mainlayout {

inline constexpr int clientWidth = 15240;
inline constexpr int clientHeight = 10710;

// Practice line i and, directly under it, its input box.
inline constexpr int lblinLeft = 525, lblinTop = 120, lblinWidth = 14055, lblinHeight = 375;
// The input boxes' measures live with the colour tag that rides on them (txtinLayout).
inline constexpr int linePitch = txtinLayout.pitch;
static_assert(cmdcolorLayout.lastLine == blockLines - 1, "the colour tag rides on every line");

// A half-width character of the practice font advances one colour-tag step, 165 twips.
inline constexpr int linePixelSize = 22;
// Characters a practice line shows whole: the label above the box is the narrower of the two.
inline constexpr int lineChars = lblinWidth / cmdcolorLayout.step;
static_assert(lblinWidth < txtinLayout.width);

inline constexpr int lbltimeLeft = 120, lbltimeTop = 8400, lbltimeWidth = 1335, lbltimeHeight = 495;
inline constexpr double lbltimePoints = 20.25;

inline constexpr int timer1Interval = 100;
inline constexpr int timercountInterval = 1000;

// The menu in order: an item that names a menu opens it, the items after it follow in it.
// Every item has a Ctrl shortcut.
struct MenuItem {
    const char* menu;
    const char* caption;
    Qt::Key ctrlKey;
};
inline constexpr std::array<MenuItem, 8> menuItems{{
    {"ﾌｧｲﾙ(&F)", "テキストを開く...", Qt::Key_T},
    {nullptr, "終了(&X)", Qt::Key_Q},
    {"ﾂｰﾙ(&T)", "もう一度最初から", Qt::Key_R},
    {nullptr, "レベルを変更", Qt::Key_L},
    {nullptr, "苦手キーの練習", Qt::Key_K},
    {nullptr, "ｵﾌﾟｼｮﾝ(&O)...", Qt::Key_O},
    {nullptr, "練習の記録...", Qt::Key_J},
    {"ﾍﾙﾌﾟ(&H)", "ﾊﾞｰｼﾞｮﾝ情報(&A)", Qt::Key_H},
}};

} // namespace mainlayout

namespace maintext {
inline const QString blankLinesQuestion =
    QStringLiteral("空白の行が続いています。もう一度読み直しますか？");
inline const QString openTextTitle = QStringLiteral("テキストを開く");
inline const QString textFilter =
    QStringLiteral("テキストファイル (*.txt *.text);;すべてのファイル (*)");
// The window's title over a weak-key block, each of its keys in quotes: 「:」 reads as a key.
inline const QString weakKeysTitle = QStringLiteral("苦手キー「%1」");
inline const QString weakKeysApart = QStringLiteral("」「");
inline const QString tooFewRuns = QStringLiteral("苦手なキーを選ぶには、まだ記録が足りません。"
                                                 "あと%1回、練習を最後まで終えてください。");
inline const QString noWeakKeys =
    QStringLiteral("最近の記録には、このレベルで練習できる苦手なキーが見当たりません。");
} // namespace maintext
