#include "Platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>

namespace platform {
namespace {

InformationFn &informationHandler()
{
    static InformationFn handler;
    return handler;
}

ClockFn &clock()
{
    static ClockFn fn;
    return fn;
}

ScreenWidthFn &screenWidthProvider()
{
    static ScreenWidthFn fn;
    return fn;
}

OpenUrlFn &openUrlHandler()
{
    static OpenUrlFn fn;
    return fn;
}

BeepFn &beepHandler()
{
    static BeepFn fn;
    return fn;
}

} // namespace

bool openUrl(const QString &address)
{
    if (openUrlHandler())
        return openUrlHandler()(address);
    const QUrl url = address.contains(QLatin1String("://")) || address.startsWith(QLatin1String("mailto:"))
                         ? QUrl(address)
                         : QUrl::fromLocalFile(address);
    return url.isValid() && QDesktopServices::openUrl(url);
}

void setOpenUrlHandler(OpenUrlFn handler)
{
    openUrlHandler() = std::move(handler);
}

void beep()
{
    if (beepHandler())
        beepHandler()();
    else
        QApplication::beep();
}

void setBeepHandler(BeepFn handler)
{
    beepHandler() = std::move(handler);
}

void showInformation(QWidget *parent, const QString &text)
{
    if (informationHandler()) {
        informationHandler()(parent, text);
        return;
    }
    QMessageBox::information(parent, QStringLiteral("Information"), text, QMessageBox::Ok);
}

void setInformationHandler(InformationFn handler)
{
    informationHandler() = std::move(handler);
}

QDateTime now()
{
    return clock() ? clock()() : QDateTime::currentDateTime();
}

void setClock(ClockFn fn)
{
    clock() = std::move(fn);
}

int primaryScreenWidth()
{
    if (screenWidthProvider())
        return screenWidthProvider()();
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

void setScreenWidthProvider(ScreenWidthFn provider)
{
    screenWidthProvider() = std::move(provider);
}

QString sharedDataFolder()
{
    QString folder = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (folder.isEmpty() || QDir::isRelativePath(folder))
        folder = QDir::homePath() + QStringLiteral("/.config");
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

} // namespace platform
