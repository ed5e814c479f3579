#include "Application.h"

#include "Artwork.h"
#include "ErrorMessages.h"

#include <QEventLoopLocker>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QToolTip>
#include <QWidget>

namespace {

// The platform's style with the pop-up tips' delay of our choice; -1 keeps
// the style's own.
class TipDelayStyle : public QProxyStyle
{
public:
    void setWakeUpDelay(int delay) { m_wakeUpDelay = delay; }

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay && m_wakeUpDelay >= 0)
            return m_wakeUpDelay;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    int m_wakeUpDelay = -1;
};

} // namespace

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // Every window of the program shows its icon unless it sets another:
    // dialogs, the help, the print preview and the message boxes.
    setWindowIcon(art::icon(art::programIcon));
    // In place before any widget exists: a style set once the main window is
    // made sends every one of its widgets a style change and polishes them
    // again, a few per cent of the start.
    setStyle(new TipDelayStyle);
}

Application *Application::instance()
{
    return qobject_cast<Application *>(QCoreApplication::instance());
}

void Application::setTipDelays(int showAfterMs, int hideAfterMs)
{
    auto *tipStyle = dynamic_cast<TipDelayStyle *>(style());
    if (!tipStyle) { // another style has been set since the start
        tipStyle = new TipDelayStyle;
        setStyle(tipStyle);
    }
    tipStyle->setWakeUpDelay(showAfterMs);
    m_tipHideDelay = hideAfterMs;
    // Tips are small: Tahoma at 11 pixels, or the metric twin of Arial.
    QFont tipFont;
    tipFont.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans")});
    tipFont.setPixelSize(11);
    QToolTip::setFont(tipFont);
}

bool Application::showTip(QObject *receiver, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(receiver);
    if (m_tipHideDelay < 0 || !widget || widget->toolTip().isEmpty())
        return false;
    const auto *help = static_cast<QHelpEvent *>(event);
    QToolTip::showText(help->globalPos(), widget->toolTip(), widget, QRect(), m_tipHideDelay);
    return true;
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        if (event->type() == QEvent::ToolTip && showTip(receiver, event))
            return true;
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportError(receiver, std::current_exception());
    }
    return false;
}

void Application::setErrorHandler(QObject *context, ErrorHandler handler)
{
    m_errorContext = context;
    m_errorHandler = std::move(handler);
    m_errorHandlerInstalled = true;
}

void Application::reportError(QObject *sender, std::exception_ptr error)
{
    if (!m_errorHandlerInstalled) {
        showErrorMessage(nullptr, error);
        return;
    }
    if (!m_errorContext)
        return; // the window that showed errors is gone: the program is ending
    // Held until the message has been shown: closing the last window would
    // otherwise quit the event loop with the message still queued, or end the
    // message box's own loop as soon as it opens.
    auto keepRunning = std::make_shared<QEventLoopLocker>();
    QMetaObject::invokeMethod(
        m_errorContext,
        [handler = m_errorHandler, origin = QPointer<QObject>(sender), error, keepRunning] {
            handler(origin.data(), error);
        },
        Qt::QueuedConnection);
}

void reportError(QObject *sender, std::exception_ptr error)
{
    if (Application *app = Application::instance())
        app->reportError(sender, error);
    else
        showErrorMessage(nullptr, error);
}
