#include "Application.h"
#include "FirstPaintProbe.h"
#include "TfrmMain.h"

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("Vendalo"));
    Application::setApplicationVersion(QStringLiteral("2.2.10"));
    // Ties the window to the installed desktop entry and its icon.
    Application::setDesktopFileName(QStringLiteral("example.vendalo.Vendalo"));

    TfrmMain window;
    installFirstPaintProbe(&window); // off unless a start-up timing asks for it
    window.show();
    // Without a window manager nobody else gives the window the keyboard.
    window.activateWindow();
    return app.exec();
}
