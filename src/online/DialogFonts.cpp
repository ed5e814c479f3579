#include "DialogFonts.h"

#include <QStringList>

namespace dialogfonts {
namespace {

constexpr int eightPointPixels = 11;

QFont font(const QString &family)
{
    QFont f;
    f.setFamilies({family, QStringLiteral("Liberation Sans")});
    f.setPixelSize(eightPointPixels);
    return f;
}

} // namespace

QFont tahoma8()
{
    return font(QStringLiteral("Tahoma"));
}

QFont arial8()
{
    return font(QStringLiteral("Arial"));
}

QFont msSansSerif8()
{
    return font(QStringLiteral("MS Sans Serif"));
}

} // namespace dialogfonts
