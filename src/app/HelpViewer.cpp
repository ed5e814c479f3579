#include "HelpViewer.h"

#include "HelpWindow.h"

#include <utility>

namespace {

bool windowsEnabled = true;

} // namespace

HelpViewer::HelpViewer(QObject *parent)
    : QObject(parent)
{
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::setHelpFile(const QString &path)
{
    if (path == m_helpFile)
        return;
    m_helpFile = path;
    // A window over the old file would go on showing it.
    m_window.reset();
}

void HelpViewer::setWindowEnabled(bool enabled)
{
    windowsEnabled = enabled;
}

bool HelpViewer::isWindowEnabled()
{
    return windowsEnabled;
}

void HelpViewer::showTopic(int context)
{
    m_requested.append(context);
    Q_EMIT topicRequested(context);
    schedule(Pending::Topic, context);
}

void HelpViewer::showContents()
{
    ++m_contentsRequests;
    Q_EMIT contentsRequested();
    schedule(Pending::Contents);
}

void HelpViewer::closeAll()
{
    Q_EMIT closeAllRequested();
    m_pending = Pending::Nothing;
    if (m_window)
        m_window->close();
}

void HelpViewer::schedule(Pending what, int context)
{
    if (!windowsEnabled)
        return;
    // The latest request wins when several come before the window opens.
    m_pending = what;
    m_pendingContext = context;
    if (m_openScheduled)
        return;
    m_openScheduled = true;
    QMetaObject::invokeMethod(this, &HelpViewer::openPending, Qt::QueuedConnection);
}

void HelpViewer::openPending()
{
    m_openScheduled = false;
    const Pending what = std::exchange(m_pending, Pending::Nothing);
    if (what == Pending::Nothing)
        return;
    if (!m_window)
        m_window = std::make_unique<HelpWindow>(m_helpFile);
    if (what == Pending::Topic)
        m_window->showTopic(m_pendingContext);
    else
        m_window->showContents();
}
