#include "UrlLauncher.h"

#include "Platform.h"

#include <QMouseEvent>

UrlLauncher::UrlLauncher(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QPalette blue = palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    setPalette(blue);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
}

void UrlLauncher::click()
{
    QString handed = m_address.left(maxAddressLength);
    // Never hand over half of a character that needs two UTF-16 units.
    if (handed.size() < m_address.size() && !handed.isEmpty() && handed.back().isHighSurrogate())
        handed.chop(1);
    if (!platform::openUrl(handed))
        platform::beep();
}

void UrlLauncher::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void UrlLauncher::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clicked = m_pressed && event->button() == Qt::LeftButton &&
                         rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (clicked)
        click();
}
