#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

class QWidget;

// The few places where Vendalo talks to the operating system. Everything else
// in the program goes through here, and tests replace the parts that would
// block, make noise or depend on the machine.
namespace platform {

// An information box titled "Information" with one OK button.
using InformationFn = std::function<void(QWidget *parent, const QString &text)>;
void showInformation(QWidget *parent, const QString &text);
void setInformationHandler(InformationFn handler); // empty restores the real box

// The local date and time.
using ClockFn = std::function<QDateTime()>;
QDateTime now();
void setClock(ClockFn clock); // empty restores the system clock

// Width of the primary screen in pixels (0 when there is no screen).
using ScreenWidthFn = std::function<int()>;
int primaryScreenWidth();
void setScreenWidthProvider(ScreenWidthFn provider); // empty restores the real screen

// Asks the desktop to open `address` (a web page, a mail link or a local
// file) in the program the user chose for it. False when nothing took it.
using OpenUrlFn = std::function<bool(const QString &address)>;
bool openUrl(const QString &address);
void setOpenUrlHandler(OpenUrlFn handler); // empty restores the desktop's own

// The default system beep.
using BeepFn = std::function<void()>;
void beep();
void setBeepHandler(BeepFn handler); // empty restores the real beep

// The folder under which the program keeps its value file, without a trailing
// separator: $XDG_CONFIG_HOME, else ~/.config. Read per user on purpose: a
// folder shared by all users would let one user rewrite another's figures.
QString sharedDataFolder();

// The product's own folder text, joined to sharedDataFolder().
inline constexpr char productFolder[] = "/Vendalo/";

} // namespace platform
