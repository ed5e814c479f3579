#include "Platform.h"

#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

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

} // namespace

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
