#include "HintRouter.h"

#include "Hints.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

HintRouter::HintRouter(QObject *parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

HintRouter::~HintRouter()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool HintRouter::eventFilter(QObject *watched, QEvent *event)
{
    // Entering a control enters its parents first; leaving one for its parent
    // sends no new Enter, so the parent is taken from the Leave.
    if (event->type() == QEvent::Enter && watched->isWidgetType()) {
        m_under = static_cast<QWidget *>(watched);
        scheduleUpdate();
    } else if (event->type() == QEvent::Leave && watched == m_under) {
        m_under = m_under->parentWidget();
        scheduleUpdate();
    }
    return false;
}

void HintRouter::scheduleUpdate()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_scheduled = false;
        update();
    });
}

void HintRouter::update()
{
    const QString hint = hints::longPart(hints::nearestHint(m_under));
    if (hint == m_current)
        return;
    m_current = hint;
    Q_EMIT hintChanged(m_current);
}
