#pragma once

#include <QLatin1StringView>
#include <QList>
#include <QString>

// Every address the program links to. Host names are kept under the reserved
// .example domain, so no link points at somebody else's site.
namespace web {

inline constexpr char supportAddress[] = "support@vendalo.example";

// Where an entry of the link table is offered in the main window.
enum class Place {
    OnlineResourcesMenu, // the "&Online Resources" menu
    TryCalculatorsMenu,  // its submenu mnuInternetTry
    Toolbar,             // a toolbar button; the caption is the button's hint
    HelpMenu,            // the "&Help" menu
};

// One menu entry or button that opens a web page through GoOnline.
struct WebLink
{
    QLatin1StringView objectName;
    QString caption; // with its access key where it has one
    QString address;
    Place place;
};

// The links in menu order: Online Resources entries first, then the
// calculators of the submenu, the update button, the Help menu entries.
const QList<WebLink> &webLinks();

// The row of `objectName`, or nullptr when no link has that name.
const WebLink *findWebLink(QStringView objectName);

// The product site's home page, opened by mnuWOApplicationInformation, the
// status bar link and the About dialog's pictures.
QString productHomePage();

// The product site's name, the text of the status bar link.
QString productSiteName();

// The status bar link: the product site's name linked to its home page.
QString statusBarLinkHtml();

// The support mailbox as a mail link.
QString supportMailLink();

// The maker's ownership notice: the status bar's version line, the
// checklists' footers and the About dialog carry it.
QString ownershipNotice();

// Caption of the submenu that holds the other calculators.
QString tryCalculatorsMenuCaption();

} // namespace web
