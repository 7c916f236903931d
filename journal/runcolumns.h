#pragma once

#include "journal/journalentry.h"

#include <QString>
#include <array>

// The columns a level's runs are listed in, on screen and in the CSV file alike.
namespace runcolumns {

enum Column {
    Finished,
    Seconds,
    Characters,
    Keystrokes,
    Misses,
    MissRate,
    Speed,
    Score,
    Kind,
    count
};

inline const std::array<QString, count> captions{QStringLiteral("日時"),
                                                 QStringLiteral("入力時間(秒)"),
                                                 QStringLiteral("文字数"),
                                                 QStringLiteral("打鍵数"),
                                                 QStringLiteral("ミス数"),
                                                 QStringLiteral("ミス率(％)"),
                                                 QStringLiteral("入力速度(文字/分)"),
                                                 QStringLiteral("点数"),
                                                 QStringLiteral("種類")};

// What each kind of run is called, in the order of RunKind.
inline const std::array<QString, 3> kindNames{QStringLiteral("通常"), QStringLiteral("苦手キー"),
                                              QStringLiteral("テキスト")};

// The figure as text: the full ISO date-time, the seconds with their two decimals, the kind
// by name.
QString text(const RunFigures& run, int column);

// The date-time as a table cell: "2026/12/06 15:04".
QString shortDate(const QString& iso);

// A number to sort by: for the date, the moment the run finished.
double sortKey(const RunFigures& run, int column);
double finishedKey(const QString& finished);
// The journal's name for the column's figure.
QString storedName(int column);

// A level's name, "未選択" for runs made before a level was chosen.
QString levelName(int level);
// What the run practised by name: its level's, or its text's file name.
QString sourceName(const RunFigures& run);

} // namespace runcolumns
