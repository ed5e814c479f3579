#pragma once

#include <QApplication>
#include <QPointer>

#include <exception>
#include <functional>

// The application object. Whatever an event handler lets escape is caught
// here and handed to the installed error handler; the event loop goes on.
class Application : public QApplication
{
    Q_OBJECT

public:
    using ErrorHandler = std::function<void(QObject *sender, std::exception_ptr error)>;

    Application(int &argc, char **argv);

    // Every error the program catches goes to `handler`, which runs from the
    // event loop once the failing handler has been left, with `context` as the
    // receiver: when `context` is destroyed, errors still waiting for it are
    // dropped, and so are later ones.
    void setErrorHandler(QObject *context, ErrorHandler handler);
    static Application *instance();

    bool notify(QObject *receiver, QEvent *event) override;

    // How long the pointer rests on a control before its pop-up tip shows,
    // and how long the tip then stays.
    void setTipDelays(int showAfterMs, int hideAfterMs);
    int tipHideDelay() const { return m_tipHideDelay; }

    // The one route for errors: what notify() catches and what any part of
    // the program catches itself. Before a handler is installed the default
    // message is shown at once. The program does not quit while an error is
    // waiting to be shown.
    void reportError(QObject *sender, std::exception_ptr error);

private:
    bool showTip(QObject *receiver, QEvent *event);

    ErrorHandler m_errorHandler;
    QPointer<QObject> m_errorContext;
    bool m_errorHandlerInstalled = false;
    int m_tipHideDelay = -1; // -1: Qt's own timing
};

// Application::reportError() where the application object is ours; the
// default message at once where it is not (some tests run a plain QApplication).
void reportError(QObject *sender, std::exception_ptr error);
