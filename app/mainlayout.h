#pragma once

#include "keyboard/colorguide.h"

#include <QString>

// The main window's design, in twips.
namespace mainlayout {

inline constexpr int clientWidth = 15240;
inline constexpr int clientHeight = 10710;

// Practice line i and, directly under it, its input box.
inline constexpr int lblinLeft = 525, lblinTop = 120, lblinWidth = 14055, lblinHeight = 375;
// The colour tag rides on the input boxes, so their measures live with it.
inline constexpr int txtinLeft = txtinLayout.left, txtinTop = txtinLayout.firstTop,
                     txtinWidth = txtinLayout.width, txtinHeight = txtinLayout.height;
inline constexpr int linePitch = txtinLayout.pitch;

// A half-width character of the practice font advances one colour-tag step, 165 twips.
inline constexpr int linePixelSize = 22;

inline constexpr int lbltimeLeft = 120, lbltimeTop = 8400, lbltimeWidth = 1335, lbltimeHeight = 495;
inline constexpr double lbltimePoints = 20.25;

inline constexpr int timer1Interval = 100;
inline constexpr int timercountInterval = 1000;

} // namespace mainlayout

// Menu captions and the settings the window keeps.
namespace maintext {
inline const QString mnuFile = QStringLiteral("ﾌｧｲﾙ(&F)");
inline const QString mnuFileExit = QStringLiteral("終了(&X)");
inline const QString mnuTools = QStringLiteral("ﾂｰﾙ(&T)");
inline const QString retry = QStringLiteral("もう一度最初から");
inline const QString changeleve = QStringLiteral("レベルを変更");
inline const QString mnuToolsOptions = QStringLiteral("ｵﾌﾟｼｮﾝ(&O)...");
inline const QString mnuToolsJournal = QStringLiteral("練習の記録...");
inline const QString mnuHelp = QStringLiteral("ﾍﾙﾌﾟ(&H)");
inline const QString mnuHelpAbout = QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)");

inline const QString blankLinesQuestion =
    QStringLiteral("空白の行が続いています。もう一度読み直しますか？");
} // namespace maintext
