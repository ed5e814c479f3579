#include "Commands.h"

#include "Artwork.h"
#include "ButtonBar.h"
#include "Hints.h"
#include "Icons.h"
#include "TfrmMain.h"
#include "WebAddresses.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include <span>

namespace commands {
namespace {

using Handler = void (TfrmMain::*)(QObject *sender);

struct Item
{
    const char *objectName; // nullptr: a separator
    const char *caption;
    const char *icon; // nullptr: none
    bool enabled;
    Handler handler;
};

struct Menu
{
    const char *objectName;
    const char *caption;
    std::span<const Item> items;
};

constexpr Item separator{nullptr, nullptr, nullptr, true, nullptr};

constexpr Item fileItems[] = {
    {"MnuFilePrintSetup", "Print Setup ...", icons::printSetup, true, &TfrmMain::MnuFilePrintSetupClick},
    {"MnuFilePrint", "&Print Preview ...", icons::printPreview, false, &TfrmMain::Print},
    separator,
    {"MnuFileExit", "E&xit", icons::exit, true, &TfrmMain::MnuFileExitClick},
};

constexpr Item formsItems[] = {
    {"mnuFormsInspection", "&Home Inspection Form ...", icons::inspectionForm, true, &TfrmMain::PrintHomeInspectionForm},
    {"mnuFormsToDoListForMovers", "&To Do List for Movers ...", icons::todoList, true, &TfrmMain::PrintToDoList},
};

constexpr Item helpItems[] = {
    {"MnuHelpContents", "&Contents", icons::helpContents, true, &TfrmMain::MnuHelpContentsClick},
    separator,
    {"mnuWOSupport", nullptr, icons::support, true, &TfrmMain::GoOnline},
    {"mnuWOSuggestionBox", nullptr, icons::suggestion, true, &TfrmMain::GoOnline},
    separator,
    {"MnuHelpDisclaimer", "&Disclaimer ...", icons::disclaimer, true, &TfrmMain::MnuHelpDisclaimerClick},
    {"MnuHelpAbout", "&About ...", icons::about, true, &TfrmMain::MnuHelpAboutClick},
};

// The Online Resources menu: its links come from the link table, which keeps
// their captions and addresses; here they get their place and picture.
constexpr Item onlineItems[] = {
    {"mnuWOApplicationInformation", nullptr, icons::webInfo, true, &TfrmMain::GoOnline},
    {"mnuWOBlog", nullptr, icons::blog, true, &TfrmMain::GoOnline},
    {"mnuWOFreeware", nullptr, icons::utilities, true, &TfrmMain::GoOnline},
    separator,
    {"mnuWOFerncroft", nullptr, icons::brand, true, &TfrmMain::GoOnline},
    separator,
    {"mnuInternetTry", nullptr, icons::calculators, true, nullptr}, // the submenu
    separator,
    {"mnuWOCheckForUpdate", nullptr, icons::update, true, &TfrmMain::GoOnline},
};

constexpr Menu mainMenus[] = {
    {"MnuFile", "&File", fileItems},
    {"mnuForms", "&Real Estate Forms", formsItems},
    {"mnuInternet", "&Online Resources", onlineItems},
    {"MnuHelp", "&Help", helpItems},
};

constexpr Item popupItems[] = {
    {"mnuPopMain", "Main Menu", nullptr, false, &TfrmMain::gotoChosenCalculator},
    separator,
    {"MnuPopDisclaimer", "&Disclaimer...", icons::disclaimer, true, &TfrmMain::MnuHelpDisclaimerClick},
    separator,
    {"MnuPopHelp", "Help", icons::help, true, &TfrmMain::btnHelpClick},
    separator,
    {"MnuPopExit", "E&xit", icons::exit, true, &TfrmMain::MnuFileExitClick},
};

constexpr Item resetItems[] = {
    {"mnuResetThisZero", "&Reset to ZERO Values", nullptr, true, &TfrmMain::ResetCalculators},
    {"mnuResetSamples", "Reset to &Sample Values", nullptr, true, &TfrmMain::ResetCalculators},
};

struct Button
{
    const char *objectName;
    int left;
    const char *hint; // pop-up tip | status bar text
    const char *icon;
    Handler handler;
};

constexpr Button buttons[] = {
    {"btnPrint", 4, "Print Preview| Display Print Preview ...", icons::printPreview, &TfrmMain::Print},
    {"btnReset", 29, "Reset values| Reset values", icons::reset, &TfrmMain::btnResetClick},
    {"btnUpdate", 54, "Check for Update| Check for New Version ...", icons::update, &TfrmMain::GoOnline},
    {"btnAbout", 79, "About| Display About ...", icons::about, &TfrmMain::MnuHelpAboutClick},
    {"btnHelp", 104, "Help| Display Help ...", icons::help, &TfrmMain::btnHelpClick},
    {"btnExit", 751, "Close Vendalo ...| Close Vendalo ...", icons::exit, &TfrmMain::MnuFileExitClick},
};

QString captionOf(const Item &item)
{
    if (item.caption)
        return QString::fromLatin1(item.caption);
    if (const web::WebLink *link = web::findWebLink(QString::fromLatin1(item.objectName)))
        return link->caption;
    return web::tryCalculatorsMenuCaption();
}

// Runs `handler` for `sender`; whatever it raises takes the program's one
// error route instead of unwinding through the toolkit.
void connectHandler(TfrmMain &window, QAction *action, Handler handler)
{
    QObject::connect(action, &QAction::triggered, &window,
                     [&window, action, handler] { window.runHandler(handler, action); });
}

QAction *makeAction(TfrmMain &window, const Item &item)
{
    auto *action = new QAction(captionOf(item), &window);
    action->setObjectName(QLatin1StringView(item.objectName));
    if (item.icon)
        action->setIcon(art::icon(item.icon));
    action->setEnabled(item.enabled);
    connectHandler(window, action, item.handler);
    return action;
}

QMenu *tryCalculatorsMenu(TfrmMain &window, QWidget *parent)
{
    auto *menu = new QMenu(web::tryCalculatorsMenuCaption(), parent);
    menu->setObjectName(QStringLiteral("mnuInternetTry"));
    menu->setIcon(art::icon(icons::calculators));
    for (const web::WebLink &link : web::webLinks()) {
        if (link.place != web::Place::TryCalculatorsMenu)
            continue;
        auto *action = new QAction(link.caption, &window);
        action->setObjectName(link.objectName);
        action->setIcon(art::icon(icons::calculators));
        connectHandler(window, action, &TfrmMain::GoOnline);
        menu->addAction(action);
    }
    return menu;
}

void fill(TfrmMain &window, QMenu *menu, std::span<const Item> items)
{
    for (const Item &item : items) {
        if (!item.objectName)
            menu->addSeparator();
        else if (qstrcmp(item.objectName, "mnuInternetTry") == 0)
            menu->addMenu(tryCalculatorsMenu(window, menu));
        else
            menu->addAction(makeAction(window, item));
    }
}

QMenu *popupMenu(TfrmMain &window, const char *objectName, std::span<const Item> items)
{
    auto *menu = new QMenu(&window);
    menu->setObjectName(QLatin1StringView(objectName));
    fill(window, menu, items);
    return menu;
}

} // namespace

void build(TfrmMain &window, ButtonBar &buttonBar)
{
    auto *bar = new QMenuBar(&window);
    bar->setObjectName(QStringLiteral("MnuMain"));
    for (const Menu &entry : mainMenus) {
        QMenu *menu = bar->addMenu(QString::fromLatin1(entry.caption));
        menu->setObjectName(QLatin1StringView(entry.objectName));
        fill(window, menu, entry.items);
    }
    window.setMenuBar(bar);

    popupMenu(window, "MnuPopup", popupItems);
    popupMenu(window, "mnuPopReset", resetItems);

    for (const Button &entry : buttons) {
        auto *button = new QToolButton(&buttonBar);
        button->setObjectName(QLatin1StringView(entry.objectName));
        button->setGeometry(entry.left, ButtonBar::buttonTop, ButtonBar::buttonSize,
                            ButtonBar::buttonSize);
        button->setIcon(art::icon(entry.icon));
        button->setIconSize(QSize(16, 16));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        const QString hint = QString::fromLatin1(entry.hint);
        hints::setHint(button, hint);
        button->setToolTip(hints::shortPart(hint));
        button->setAccessibleName(hints::shortPart(hint));
        button->setAccessibleDescription(hints::longPart(hint).trimmed());
        const Handler handler = entry.handler;
        QObject::connect(button, &QToolButton::clicked, &window,
                         [&window, button, handler] { window.runHandler(handler, button); });
    }
}

} // namespace commands
