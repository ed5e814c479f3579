#pragma once

#include <QFont>

// The fonts of the information dialogs, 8 point at 96 dots per inch (11
// pixels, not scaled with the screen's text size, like the rest of the
// layout). Each falls back to Liberation Sans, which has Arial's metrics, so
// the texts keep fitting their boxes where the named font is missing.
namespace dialogfonts {

QFont tahoma8();
QFont arial8();
QFont msSansSerif8();

} // namespace dialogfonts
