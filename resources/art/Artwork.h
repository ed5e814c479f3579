#pragma once

#include <QIcon>
#include <QPixmap>

// Vendalo's own pictures, compiled into the program. All are SVG, drawn so
// that they stay sharp at any scale of the screen.
namespace art {

inline constexpr char banner[] = ":/art/banner.svg";         // 438 x 76
inline constexpr char programIcon[] = ":/art/vendalo.svg";   // 16, 32, 48, 256
inline constexpr char okButton[] = ":/art/ok.svg";           // 16 x 16
inline constexpr char licenseButton[] = ":/art/license.svg"; // 16 x 16

// The picture at `path` (one of the above, or a menu or toolbar picture),
// read when it is first drawn, not when the icon is made.
QIcon icon(const char *path);

// `path` drawn at `size` (in device-independent pixels) for a screen with
// `devicePixelRatio`.
QPixmap pixmap(const char *path, QSize size, qreal devicePixelRatio);

} // namespace art
