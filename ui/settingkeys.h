#pragma once

#include <QString>
#include <array>

// Every section and key the program keeps in the settings store. The store matches them
// without regard to case.
namespace settingkeys {

// The two options of the options dialog, "1" or "0".
inline const QString options = QStringLiteral("Setting");
inline const QString skipspace = QStringLiteral("skipspace");
inline const QString color = QStringLiteral("color");

// The text file practised on, by absolute path, continued with at the next start; empty while
// the levels are practised.
inline const QString text = QStringLiteral("Text");
inline const QString textPath = QStringLiteral("path");

// The main window's outer bounds at quit (left, top, width, height) in twips; never read.
inline const QString placement = QStringLiteral("Settings");
inline const std::array<QString, 4> bounds{QStringLiteral("MainLeft"), QStringLiteral("MainTop"),
                                           QStringLiteral("MainWidth"),
                                           QStringLiteral("MainHeight")};

// The last ten results, a section per figure (score, miss rate, speed) and a slot key each,
// and the best score of each level ("1".."4") with its date.
inline const std::array<QString, 3> figures{QStringLiteral("tokuten"), QStringLiteral("miss"),
                                            QStringLiteral("sokudo")};
inline const QString bests = QStringLiteral("maxtokuten");
inline const QString dates = QStringLiteral("date");

// "3回目" for slot 3.
inline QString slotKey(int slot)
{
    return QString::number(slot) + QStringLiteral("回目");
}

} // namespace settingkeys
