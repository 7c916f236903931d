#include "ui/fonts.h"

namespace fonts {

void installSubstitutions()
{
    QFont::insertSubstitution(gothic, QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(proportionalGothic, QStringLiteral("IPAPGothic"));
}

QFont design(const QString& family, double points, bool bold)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace fonts
