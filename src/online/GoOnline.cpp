#include "GoOnline.h"

#include "Platform.h"
#include "UrlLauncher.h"
#include "WebAddresses.h"

namespace web {

void GoOnline(const QObject *sender, UrlLauncher *urlOnline)
{
    if (!sender || !urlOnline)
        return;
    const WebLink *link = findWebLink(sender->objectName());
    if (!link)
        return;
    urlOnline->setAddress(link->address);
    urlOnline->click();
}

void openStatusBarLink(const QString &address)
{
    if (address.contains(QLatin1String("://")) || address.contains(QLatin1String("mailto:")))
        platform::openUrl(address);
}

} // namespace web
