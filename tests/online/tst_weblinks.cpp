#include "GoOnline.h"
#include "Platform.h"
#include "UrlLauncher.h"
#include "WebAddresses.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

class TestWebLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void everyEntryOpensItsPage_data();
    void everyEntryOpensItsPage();
    void tableIsCompleteAndInMenuOrder();
    void updateButtonAndMenuOpenTheSamePage();
    void statusBarLinkOpensTheSameHomePageAsTheMenu();
    void statusBarLinkTextFitsItsPanel();
    void senderWithoutARowOpensNothing();
    void failedOpenBeepsOnceAndKeepsTheAddress();
    void longAddressIsCut_data();
    void longAddressIsCut();
    void clickingAVisibleLinkOpensIt();
    void statusBarOpensOnlyWebAndMailAddresses_data();
    void statusBarOpensOnlyWebAndMailAddresses();

private:
    QStringList m_opened;
    int m_beeps = 0;
    bool m_openSucceeds = true;
};

void TestWebLinks::initTestCase()
{
    platform::setOpenUrlHandler([this](const QString &address) {
        m_opened << address;
        return m_openSucceeds;
    });
    platform::setBeepHandler([this] { ++m_beeps; });
}

void TestWebLinks::init()
{
    m_opened.clear();
    m_beeps = 0;
    m_openSucceeds = true;
}

void TestWebLinks::cleanupTestCase()
{
    platform::setOpenUrlHandler({});
    platform::setBeepHandler({});
}

void TestWebLinks::everyEntryOpensItsPage_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("address");

    const QString product = QStringLiteral("http://www.vendalo.example");
    const QString brand = QStringLiteral("http://www.brantel.example");
    auto row = [](const char *name, const QString &caption, const QString &address) {
        QTest::newRow(name) << QString::fromLatin1(name) << caption << address;
    };
    row("mnuWOApplicationInformation", QStringLiteral("Information About This &Program ..."),
        product + QStringLiteral("/"));
    row("mnuWOBlog", QStringLiteral("Read Our Financial &BLOG ..."),
        brand + QStringLiteral("/wp/"));
    row("mnuWOFreeware", QStringLiteral("Free Financial &Utilities ..."),
        brand + QStringLiteral("/freeware.htm"));
    row("mnuWOFerncroft", QStringLiteral("Brantel Financial Calculators ..."),
        brand + QStringLiteral("/"));
    row("mnuTry1", QStringLiteral("Amortivo Loan Amortizer ..."),
        QStringLiteral("http://www.amortivo.example/"));
    row("mnuTry2", QStringLiteral("Refinora Refinance Analyzer ..."),
        QStringLiteral("http://www.refinora.example/"));
    row("mnuTry3", QStringLiteral("Rentavo Rent or Buy Calculator ..."),
        QStringLiteral("http://www.rentavo.example/"));
    row("mnuTry4", QStringLiteral("Savora Savings Planner ..."),
        QStringLiteral("http://www.savora.example/"));
    row("mnuTry5", QStringLiteral("Leasaro Car Lease Calculator ..."),
        QStringLiteral("http://www.leasaro.example/"));
    row("mnuWOCheckForUpdate", QStringLiteral("Check for a &New Version of this Software ..."),
        product + QStringLiteral("/updates/VDL2210.htm"));
    row("btnUpdate", QStringLiteral("Check for Update| Check for New Version ..."),
        product + QStringLiteral("/updates/VDL2210.htm"));
    row("mnuWOSupport", QStringLiteral("&Online Support ..."),
        product + QStringLiteral("/faq.htm"));
    row("mnuWOSuggestionBox", QStringLiteral("&Suggestion Box ..."),
        product + QStringLiteral("/suggest.htm"));
}

void TestWebLinks::everyEntryOpensItsPage()
{
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    QFETCH(QString, address);

    const web::WebLink *link = web::findWebLink(objectName);
    QVERIFY(link);
    QCOMPARE(link->caption, caption);

    // The menus hand their actions to GoOnline as the sender.
    QAction entry(link->caption);
    entry.setObjectName(objectName);
    UrlLauncher urlOnline;
    web::GoOnline(&entry, &urlOnline);
    QCOMPARE(m_opened, QStringList{address});
    QCOMPARE(urlOnline.address(), address);
    QCOMPARE(m_beeps, 0);
}

void TestWebLinks::tableIsCompleteAndInMenuOrder()
{
    using web::Place;
    const QList<web::WebLink> &links = web::webLinks();
    QStringList names;
    QList<Place> places;
    for (const web::WebLink &link : links) {
        names << QString(link.objectName);
        places << link.place;
        // Every page is a plain http address on a reserved .example host.
        const QUrl url(link.address);
        QCOMPARE(url.scheme(), QStringLiteral("http"));
        QVERIFY2(url.host().endsWith(QLatin1String(".example")), qPrintable(link.address));
        QVERIFY(url.path().startsWith(QLatin1Char('/')));
        QVERIFY(url.query().isEmpty() && url.fragment().isEmpty());
    }
    QCOMPARE(names, QStringList({"mnuWOApplicationInformation", "mnuWOBlog", "mnuWOFreeware",
                                 "mnuWOFerncroft", "mnuTry1", "mnuTry2", "mnuTry3", "mnuTry4",
                                 "mnuTry5", "mnuWOCheckForUpdate", "btnUpdate", "mnuWOSupport",
                                 "mnuWOSuggestionBox"}));
    QCOMPARE(places, QList<Place>({Place::OnlineResourcesMenu, Place::OnlineResourcesMenu,
                                   Place::OnlineResourcesMenu, Place::OnlineResourcesMenu,
                                   Place::TryCalculatorsMenu, Place::TryCalculatorsMenu,
                                   Place::TryCalculatorsMenu, Place::TryCalculatorsMenu,
                                   Place::TryCalculatorsMenu, Place::OnlineResourcesMenu,
                                   Place::Toolbar, Place::HelpMenu, Place::HelpMenu}));

    // The five other calculators each have a site of their own.
    QSet<QString> hosts;
    for (const web::WebLink &link : links) {
        if (link.place == Place::TryCalculatorsMenu)
            hosts.insert(QUrl(link.address).host());
    }
    QCOMPARE(hosts.size(), 5);
    QVERIFY(!hosts.contains(QStringLiteral("www.vendalo.example")));
    QVERIFY(!hosts.contains(QStringLiteral("www.brantel.example")));
    QCOMPARE(web::tryCalculatorsMenuCaption(), QStringLiteral("Try These &Financial Calculators"));
}

void TestWebLinks::updateButtonAndMenuOpenTheSamePage()
{
    UrlLauncher urlOnline;
    QAction menu;
    menu.setObjectName(QStringLiteral("mnuWOCheckForUpdate"));
    QObject button;
    button.setObjectName(QStringLiteral("btnUpdate"));
    web::GoOnline(&menu, &urlOnline);
    web::GoOnline(&button, &urlOnline);
    QCOMPARE(m_opened.size(), 2);
    QCOMPARE(m_opened.at(0), m_opened.at(1));
    QVERIFY(m_opened.at(0).endsWith(QLatin1String("/updates/VDL2210.htm")));
}

void TestWebLinks::statusBarLinkOpensTheSameHomePageAsTheMenu()
{
    const QRegularExpression link(QStringLiteral("^<a href=\"([^\"]+)\">([^<]+)</a>$"));
    const QRegularExpressionMatch match = link.match(web::statusBarLinkHtml());
    QVERIFY2(match.hasMatch(), qPrintable(web::statusBarLinkHtml()));
    QCOMPARE(match.captured(2), web::productSiteName());
    // The link is labelled with the product site's domain name.
    QCOMPARE(match.captured(2), QUrl(match.captured(1)).host());

    web::openStatusBarLink(match.captured(1));
    QAction menu;
    menu.setObjectName(QStringLiteral("mnuWOApplicationInformation"));
    UrlLauncher urlOnline;
    web::GoOnline(&menu, &urlOnline);
    QCOMPARE(m_opened, QStringList({QStringLiteral("http://www.vendalo.example/"),
                                    QStringLiteral("http://www.vendalo.example/")}));
    QCOMPARE(web::productHomePage(), m_opened.at(0));
}

void TestWebLinks::statusBarLinkTextFitsItsPanel()
{
    // Panel 0 is 140 pixels wide and its text starts 3 pixels in; the status
    // bar's font is 9 point.
    QFont statusFont(QStringLiteral("Liberation Sans"));
    statusFont.setPixelSize(12);
    QCOMPARE(QFontInfo(statusFont).family(), QStringLiteral("Liberation Sans"));
    QVERIFY(QFontMetrics(statusFont).horizontalAdvance(web::productSiteName()) <= 140 - 3 - 2);
}

void TestWebLinks::senderWithoutARowOpensNothing()
{
    UrlLauncher urlOnline;
    urlOnline.setAddress(QStringLiteral("http://www.vendalo.example/faq.htm"));
    QObject unnamed;
    QObject other;
    other.setObjectName(QStringLiteral("MnuFileExit"));
    QObject nearMiss;
    nearMiss.setObjectName(QStringLiteral("mnuwoblog"));
    web::GoOnline(&unnamed, &urlOnline);
    web::GoOnline(&other, &urlOnline);
    web::GoOnline(&nearMiss, &urlOnline);
    web::GoOnline(nullptr, &urlOnline);
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(m_beeps, 0);
    QCOMPARE(urlOnline.address(), QStringLiteral("http://www.vendalo.example/faq.htm"));
}

void TestWebLinks::failedOpenBeepsOnceAndKeepsTheAddress()
{
    m_openSucceeds = false;
    QObject blog;
    blog.setObjectName(QStringLiteral("mnuWOBlog"));
    UrlLauncher urlOnline;
    web::GoOnline(&blog, &urlOnline);
    QCOMPARE(m_opened, QStringList{QStringLiteral("http://www.brantel.example/wp/")});
    QCOMPARE(m_beeps, 1);

    // The address stays set: a second click tries the same page again.
    urlOnline.click();
    QCOMPARE(m_opened.size(), 2);
    QCOMPARE(m_opened.at(1), m_opened.at(0));
    QCOMPARE(m_beeps, 2);

    m_openSucceeds = true;
    urlOnline.click();
    QCOMPARE(m_beeps, 2);
}

void TestWebLinks::longAddressIsCut_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("handed");

    const QString start = QStringLiteral("http://www.vendalo.example/");
    auto padded = [&start](qsizetype length) {
        return start + QString(length - start.size(), QLatin1Char('x'));
    };
    QTest::newRow("1022") << padded(1022) << padded(1022);
    QTest::newRow("1023") << padded(1023) << padded(1023);
    QTest::newRow("1024") << padded(1024) << padded(1023);
    QTest::newRow("2000") << padded(2000) << padded(1023);

    // A character written with two UTF-16 units across the limit goes as a
    // whole or not at all.
    const QString house = QStringLiteral("\U0001F3E0");
    QTest::newRow("pair across the limit")
        << padded(1022) + house + QStringLiteral("tail") << padded(1022);
    QTest::newRow("pair before the limit")
        << padded(1021) + house + QStringLiteral("tail") << padded(1021) + house;
}

void TestWebLinks::longAddressIsCut()
{
    QFETCH(QString, address);
    QFETCH(QString, handed);
    UrlLauncher urlOnline;
    urlOnline.setAddress(address);
    urlOnline.click();
    QCOMPARE(m_opened, QStringList{handed});
    QVERIFY(m_opened.at(0).size() <= 1023);
    QCOMPARE(urlOnline.address(), address); // kept whole for the next click
}

void TestWebLinks::clickingAVisibleLinkOpensIt()
{
    QWidget window;
    auto *link = new UrlLauncher(&window);
    link->setText(QStringLiteral("support@vendalo.example"));
    link->setAddress(QStringLiteral("mailto:support@vendalo.example"));
    link->setGeometry(10, 10, 150, 16);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QVERIFY(link->font().underline());

    QTest::mouseClick(link, Qt::RightButton);
    QVERIFY(m_opened.isEmpty());
    // Pressed on the link, released beside it: no click.
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(400, 5));
    QVERIFY(m_opened.isEmpty());

    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(m_opened, QStringList{QStringLiteral("mailto:support@vendalo.example")});
}

void TestWebLinks::statusBarOpensOnlyWebAndMailAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("opened");

    QTest::newRow("web page") << QStringLiteral("http://www.vendalo.example/") << true;
    QTest::newRow("other scheme") << QStringLiteral("ftp://files.vendalo.example/") << true;
    QTest::newRow("mail link") << QStringLiteral("mailto:support@vendalo.example") << true;
    QTest::newRow("host only") << QStringLiteral("www.vendalo.example") << false;
    QTest::newRow("file name") << QStringLiteral("License.txt") << false;
    QTest::newRow("half a scheme") << QStringLiteral("http:/www.vendalo.example") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestWebLinks::statusBarOpensOnlyWebAndMailAddresses()
{
    QFETCH(QString, address);
    QFETCH(bool, opened);
    for (bool succeeds : {true, false}) {
        m_opened.clear();
        m_openSucceeds = succeeds;
        web::openStatusBarLink(address);
        QCOMPARE(m_opened, opened ? QStringList{address} : QStringList{});
        QCOMPARE(m_beeps, 0); // a failure here is not signalled
    }
}

QTEST_MAIN(TestWebLinks)
#include "tst_weblinks.moc"
