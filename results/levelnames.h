#pragma once

#include <QString>
#include <array>

// Levels 1 to 4 as the windows name them, level 1 first.
inline const std::array<QString, 4> levelNames{QStringLiteral("初級"), QStringLiteral("中級"),
                                               QStringLiteral("上級"), QStringLiteral("数字")};

// The level practised until the learner chooses one.
inline constexpr int defaultLevel = 2;
