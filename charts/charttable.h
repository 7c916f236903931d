#pragma once

#include <QtGlobal>
#include <array>

// What the results chart shows: ten rows of two bars, [row][series].
inline constexpr int chartRows = 10;
inline constexpr int chartSeries = 2;
using ChartTable = std::array<std::array<qint16, chartSeries>, chartRows>;
