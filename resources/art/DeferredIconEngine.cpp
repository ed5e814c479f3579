#include "DeferredIconEngine.h"

#include <QFile>

DeferredIconEngine::DeferredIconEngine(QString path)
    : m_path(std::move(path))
{
}

const QIcon &DeferredIconEngine::loaded()
{
    if (m_icon.isNull())
        m_icon = QIcon(m_path);
    return m_icon;
}

void DeferredIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
                               QIcon::State state)
{
    loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QSize DeferredIconEngine::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return loaded().actualSize(size, mode, state);
}

QPixmap DeferredIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    // QIcon asks here for screens of device pixel ratio 1 only.
    return loaded().pixmap(size, 1.0, mode, state);
}

QPixmap DeferredIconEngine::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                                         qreal scale)
{
    // `size` is in device pixels; QIcon::pixmap() takes device-independent ones.
    return loaded().pixmap(size / scale, scale, mode, state);
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    return loaded().availableSizes(mode, state);
}

bool DeferredIconEngine::isNull()
{
    // Asked before anything is drawn (whether a menu leaves room for
    // pictures, for one): a picture that exists counts, unread.
    return m_icon.isNull() ? !QFile::exists(m_path) : false;
}

QString DeferredIconEngine::key() const
{
    return QStringLiteral("DeferredIconEngine");
}

QIconEngine *DeferredIconEngine::clone() const
{
    return new DeferredIconEngine(*this);
}
