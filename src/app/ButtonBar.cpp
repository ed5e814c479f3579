#include "ButtonBar.h"

#include <QPainter>
#include <qdrawutil.h>

ButtonBar::ButtonBar(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("pnlButtonBar"));
    setFixedHeight(barHeight);
    // It covers the upper part of the title label below it.
    setAutoFillBackground(true);
}

void ButtonBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect outer = rect();
    qDrawShadePanel(&painter, outer, palette(), true, 1);                      // lowered
    qDrawShadePanel(&painter, outer.adjusted(1, 1, -1, -1), palette(), false, 1); // raised
}
