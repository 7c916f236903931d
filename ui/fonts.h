#pragma once

#include <QFont>
#include <QString>

// The window designs name Windows' Japanese gothic fonts; Debian's IPA fonts stand in.
namespace fonts {

inline const QString gothic = QStringLiteral("ＭＳ ゴシック");               // fixed pitch
inline const QString proportionalGothic = QStringLiteral("ＭＳ Ｐゴシック"); // proportional

void installSubstitutions();

// A font of the design, in points.
QFont design(const QString& family, double points, bool bold = false);

} // namespace fonts
