#pragma once

#include <QString>

// Every section and key the program keeps in the settings store. The store matches them
// without regard to case.
namespace settingkeys {

// The two options of the options dialog, "1" or "0".
inline const QString options = QStringLiteral("Setting");
inline const QString skipspace = QStringLiteral("skipspace");
inline const QString color = QStringLiteral("color");

// The main window's outer bounds at quit, in twips; written, never read.
inline const QString placement = QStringLiteral("Settings");
inline const QString mainLeft = QStringLiteral("MainLeft");
inline const QString mainTop = QStringLiteral("MainTop");
inline const QString mainWidth = QStringLiteral("MainWidth");
inline const QString mainHeight = QStringLiteral("MainHeight");

// The last ten results, a slot key each, and the best score of each level ("1".."4") with
// its date.
inline const QString scores = QStringLiteral("tokuten");
inline const QString misses = QStringLiteral("miss");
inline const QString speeds = QStringLiteral("sokudo");
inline const QString bests = QStringLiteral("maxtokuten");
inline const QString dates = QStringLiteral("date");

// "3回目" for slot 3.
inline QString slotKey(int slot)
{
    return QString::number(slot) + QStringLiteral("回目");
}

} // namespace settingkeys
