#include "WebAddresses.h"

namespace web {
namespace {

// The sites. Every address is a plain http address: scheme, host and path.
constexpr char productSite[] = "http://www.vendalo.example";
constexpr char productSiteNameText[] = "www.vendalo.example";
constexpr char brandSite[] = "http://www.brantel.example";
constexpr char brandSiteName[] = "Brantel Financial Calculators";

// The update page carries the product initials and the version digits.
constexpr char updatePage[] = "/updates/VDL2210.htm";

// Brantel Software's other calculators, each on a site of its own.
struct Sibling
{
    const char *objectName;
    const char *productName;
    const char *site;
};

constexpr Sibling siblings[] = {
    {"mnuTry1", "Amortivo Loan Amortizer", "http://www.amortivo.example"},
    {"mnuTry2", "Refinora Refinance Analyzer", "http://www.refinora.example"},
    {"mnuTry3", "Rentavo Rent or Buy Calculator", "http://www.rentavo.example"},
    {"mnuTry4", "Savora Savings Planner", "http://www.savora.example"},
    {"mnuTry5", "Leasaro Car Lease Calculator", "http://www.leasaro.example"},
};

QString text(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

QString page(const char *site, const char *path)
{
    return text(site) + text(path);
}

QList<WebLink> makeLinks()
{
    const auto online = Place::OnlineResourcesMenu;
    QList<WebLink> links = {
        {QLatin1StringView("mnuWOApplicationInformation"),
         QStringLiteral("Information About This &Program ..."), page(productSite, "/"), online},
        {QLatin1StringView("mnuWOBlog"), QStringLiteral("Read Our Financial &BLOG ..."),
         page(brandSite, "/wp/"), online},
        {QLatin1StringView("mnuWOFreeware"), QStringLiteral("Free Financial &Utilities ..."),
         page(brandSite, "/freeware.htm"), online},
        {QLatin1StringView("mnuWOFerncroft"), text(brandSiteName) + QStringLiteral(" ..."),
         page(brandSite, "/"), online},
    };
    for (const Sibling &s : siblings) {
        links.append({QLatin1StringView(s.objectName), text(s.productName) + QStringLiteral(" ..."),
                      page(s.site, "/"), Place::TryCalculatorsMenu});
    }
    links.append({QLatin1StringView("mnuWOCheckForUpdate"),
                  QStringLiteral("Check for a &New Version of this Software ..."),
                  page(productSite, updatePage), online});
    links.append({QLatin1StringView("btnUpdate"),
                  QStringLiteral("Check for Update| Check for New Version ..."),
                  page(productSite, updatePage), Place::Toolbar});
    links.append({QLatin1StringView("mnuWOSupport"), QStringLiteral("&Online Support ..."),
                  page(productSite, "/faq.htm"), Place::HelpMenu});
    links.append({QLatin1StringView("mnuWOSuggestionBox"), QStringLiteral("&Suggestion Box ..."),
                  page(productSite, "/suggest.htm"), Place::HelpMenu});
    return links;
}

} // namespace

const QList<WebLink> &webLinks()
{
    static const QList<WebLink> links = makeLinks();
    return links;
}

const WebLink *findWebLink(QStringView objectName)
{
    for (const WebLink &link : webLinks()) {
        if (link.objectName == objectName)
            return &link;
    }
    return nullptr;
}

QString ownershipNotice()
{
    return QStringLiteral("Copyright \u00a9 2010-2026 Brantel Software");
}

QString productHomePage()
{
    return page(productSite, "/");
}

QString productSiteName()
{
    return text(productSiteNameText);
}

QString statusBarLinkHtml()
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(productHomePage(), productSiteName());
}

QString supportMailLink()
{
    return QStringLiteral("mailto:") + text(supportAddress);
}

QString tryCalculatorsMenuCaption()
{
    return QStringLiteral("Try These &Financial Calculators");
}

} // namespace web
