#include "BevelPanel.h"

#include <QPainter>

namespace {

// One-pixel frame just inside `r`: `topLeft` on the top and left edges,
// `bottomRight` on the bottom and right edges.
void frame3D(QPainter &p, const QRect &r, const QColor &topLeft, const QColor &bottomRight)
{
    p.setPen(topLeft);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(bottomRight);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

BevelPanel::BevelPanel(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
}

void BevelPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    const QRect outer = rect();
    frame3D(p, outer, shadow, light);
    frame3D(p, outer.adjusted(1, 1, -1, -1), light, shadow);
}
