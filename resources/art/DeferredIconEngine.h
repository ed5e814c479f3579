#pragma once

#include <QIcon>
#include <QIconEngine>

// An icon whose picture file is read only when the icon is first drawn or
// measured. Reading an SVG picture means parsing it, which the menus' many
// pictures would otherwise all pay for at start-up though none is seen
// until a menu opens. From its first use on it behaves as QIcon(path).
class DeferredIconEngine : public QIconEngine
{
public:
    explicit DeferredIconEngine(QString path);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    bool isNull() override;
    QString key() const override;
    QIconEngine *clone() const override;

    // Whether the picture file has been read (by this engine or a clone made
    // after the reading).
    bool isLoaded() const { return !m_icon.isNull(); }

private:
    const QIcon &loaded();

    QString m_path;
    QIcon m_icon;
};
