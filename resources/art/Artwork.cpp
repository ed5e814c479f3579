#include "Artwork.h"

#include "DeferredIconEngine.h"

namespace art {

QIcon icon(const char *path)
{
    return QIcon(new DeferredIconEngine(QString::fromLatin1(path)));
}

QPixmap pixmap(const char *path, QSize size, qreal devicePixelRatio)
{
    return icon(path).pixmap(size, devicePixelRatio);
}

} // namespace art
