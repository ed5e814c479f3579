#pragma once

#include <QApplication>

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

    void setErrorHandler(ErrorHandler handler) { m_errorHandler = std::move(handler); }
    static Application *instance();

    bool notify(QObject *receiver, QEvent *event) override;

    // How long the pointer rests on a control before its pop-up tip shows,
    // and how long the tip then stays.
    void setTipDelays(int showAfterMs, int hideAfterMs);
    int tipHideDelay() const { return m_tipHideDelay; }

    // Hands an error to the installed handler, or to the default one when
    // none is installed yet. Also used by code that catches errors itself.
    void reportError(QObject *sender, std::exception_ptr error);

private:
    bool showTip(QObject *receiver, QEvent *event);

    ErrorHandler m_errorHandler;
    int m_tipHideDelay = -1; // -1: Qt's own timing
};
