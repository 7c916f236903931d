#pragma once

#include <QString>

// Who the program is, as its windows, messages and settings name it. The version comes from
// the build (the project's version in CMakeLists.txt).
namespace identity {

inline const QString title = QStringLiteral("dovanel");
inline constexpr int major = DOVANEL_VERSION_MAJOR;
inline constexpr int minor = DOVANEL_VERSION_MINOR;
inline constexpr int revision = DOVANEL_VERSION_PATCH;

inline QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

} // namespace identity
