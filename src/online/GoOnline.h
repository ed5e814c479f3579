#pragma once

class QObject;
class QString;
class UrlLauncher;

namespace web {

// Opens the page of `sender`'s row in the link table: sets the launcher's
// address to it and clicks the launcher, which beeps when nothing opens it.
// A sender that has no row opens nothing.
void GoOnline(const QObject *sender, UrlLauncher *urlOnline);

// The status bar link's opener, for a press of any mouse button on the link.
// Only web and mail addresses are opened; a failure is not signalled.
void openStatusBarLink(const QString &address);

} // namespace web
