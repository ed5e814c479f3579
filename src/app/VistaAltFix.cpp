#include "VistaAltFix.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWidget>

#include <algorithm>

TFormObj::TFormObj(QWidget *form)
    : m_form(form)
{
    form->installEventFilter(this);
}

TFormObj::~TFormObj()
{
    if (m_form)
        m_form->removeEventFilter(this);
}

bool TFormObj::eventFilter(QObject *watched, QEvent *event)
{
    // The form handles every event as before; the watcher only takes note.
    if (watched == m_form && event->type() == TVistaAltFix::uiStateUpdateEvent())
        m_repaintPending = true;
    return false;
}

void TFormObj::repaint()
{
    if (!m_repaintPending)
        return;
    m_repaintPending = false;
    if (m_form)
        repaintTree(m_form);
}

void TFormObj::repaintTree(QWidget *widget)
{
    widget->repaint();
    const QObjectList children = widget->children();
    for (QObject *child : children) {
        auto *control = qobject_cast<QWidget *>(child);
        // A child window is a form of its own, watched by its own watcher.
        if (control && !control->isWindow())
            repaintTree(control);
    }
}

TVistaAltFix::TVistaAltFix(QObject *owner, Activation activation)
    : QObject(owner)
{
    setObjectName(QStringLiteral("VistaAltFix"));
    m_active = activation == Activation::Always || platformNeedsFix();
    if (!m_active)
        return;
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance(thread())) {
        m_idleSubscription = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                                     &TVistaAltFix::idlePass);
    }
}

TVistaAltFix::~TVistaAltFix()
{
    disconnect(m_idleSubscription);
    m_watchers.clear();
}

bool TVistaAltFix::platformNeedsFix()
{
    // Only Windows hides the cues until the user presses Alt and then tells
    // each window through a message; Qt on this desktop draws the cues from
    // its own state, so they never go stale.
    return false;
}

QEvent::Type TVistaAltFix::uiStateUpdateEvent()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QList<QWidget *> TVistaAltFix::watchedForms() const
{
    QList<QWidget *> watched;
    for (const auto &watcher : m_watchers)
        watched.append(watcher->form());
    return watched;
}

QList<QWidget *> TVistaAltFix::forms()
{
    QList<QWidget *> found;
    const QWidgetList topLevels = QApplication::topLevelWidgets();
    for (QWidget *w : topLevels) {
        const Qt::WindowType type = w->windowType();
        if (type == Qt::Window || type == Qt::Dialog)
            found.append(w);
    }
    return found;
}

void TVistaAltFix::idlePass()
{
    if (!m_active)
        return;
    for (const auto &watcher : m_watchers)
        watcher->setSeen(false);

    for (QWidget *form : forms()) {
        // A destroyed form's watcher holds null, so a new form that happens
        // to take the old one's address never passes for it.
        const auto found = std::find_if(m_watchers.begin(), m_watchers.end(),
                                        [form](const auto &w) { return w->form() == form; });
        if (found != m_watchers.end())
            (*found)->setSeen(true);
        else
            m_watchers.push_back(std::make_unique<TFormObj>(form));
    }

    for (auto i = m_watchers.size(); i-- > 0;) {
        if (!m_watchers[i]->seen())
            m_watchers.erase(m_watchers.begin() + static_cast<std::ptrdiff_t>(i));
        else
            m_watchers[i]->repaint();
    }
}
