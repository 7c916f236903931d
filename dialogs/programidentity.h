#pragma once

#include <QString>

// Who the program is, as the About box and message titles show it.
namespace identity {

inline const QString title = QStringLiteral("dovanel");
inline constexpr int major = 1;
inline constexpr int minor = 0;
inline constexpr int revision = 0;

inline QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

} // namespace identity
