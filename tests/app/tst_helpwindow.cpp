#include "HelpBrowser.h"
#include "HelpViewer.h"
#include "HelpWindow.h"
#include "Platform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHelpEngineCore>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTreeView>

#include <memory>

namespace {

// The help the build just compiled, with its collection beside it.
const QString helpFile = QStringLiteral(VDL_HELP_FILE);

QString collectionOf(const QString &qch)
{
    return qch.chopped(int(qstrlen(".qch"))) + QStringLiteral(".qhc");
}

QString fileName(const QUrl &url)
{
    return url.fileName();
}

// Where the anchor with this address sits in the page on show, in viewport
// coordinates; scrolled into view first.
QPoint anchorPoint(HelpBrowser *browser, const QString &href)
{
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isAnchor() && fragment.charFormat().anchorHref() == href) {
                QTextCursor cursor(browser->document());
                cursor.setPosition(fragment.position() + fragment.length() / 2);
                browser->setTextCursor(cursor);
                browser->ensureCursorVisible();
                return browser->cursorRect(cursor).center();
            }
        }
    }
    return {-1, -1};
}

QStringList topLevelTitles(QTreeView *view)
{
    QStringList titles;
    const QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
        titles << model->index(row, 0).data().toString();
    return titles;
}

QModelIndex findTitle(QTreeView *view, const QString &title, const QModelIndex &parent = {})
{
    const QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (index.data().toString() == title)
            return index;
        if (const QModelIndex inner = findTitle(view, title, index); inner.isValid())
            return inner;
    }
    return {};
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void contextOpensItsTopic_data();
    void contextOpensItsTopic();
    void unknownContextSaysSo();
    void contentsListTheTopicsAndFollowThePage();
    void contentsEntryOpensItsSection();
    void linkClickMovesAndBackReturns();
    void everyLinkInTheHelpLeadsSomewhere();
    void outsideLinksGoToTheDesktop_data();
    void outsideLinksGoToTheDesktop();
    void brokenHelpIsReportedInTheWindow_data();
    void brokenHelpIsReportedInTheWindow();
    void viewerOpensTheWindowOnlyWhenAsked();
    void viewerWithWindowsOffOnlyRecords();
    void closingBeforeTheWindowOpensCancelsIt();

private:
    std::unique_ptr<HelpWindow> openWindow(const QString &file = helpFile);

    QStringList m_opened;
    bool m_openSucceeds = true;
    int m_beeps = 0;
};

void TestHelpWindow::initTestCase()
{
    QVERIFY2(QFile::exists(helpFile), qPrintable(helpFile));
    QVERIFY2(QFile::exists(collectionOf(helpFile)), qPrintable(collectionOf(helpFile)));
    platform::setOpenUrlHandler([this](const QString &address) {
        m_opened << address;
        return m_openSucceeds;
    });
    platform::setBeepHandler([this] { ++m_beeps; });
}

void TestHelpWindow::init()
{
    HelpViewer::setWindowEnabled(true);
    m_opened.clear();
    m_openSucceeds = true;
    m_beeps = 0;
}

// Every test closes what it opened.
void TestHelpWindow::cleanup()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    QVERIFY(
        std::none_of(windows.cbegin(), windows.cend(), [](QWidget *w) { return w->isVisible(); }));
}

std::unique_ptr<HelpWindow> TestHelpWindow::openWindow(const QString &file)
{
    auto window = std::make_unique<HelpWindow>(file);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    return window;
}

void TestHelpWindow::contextOpensItsTopic_data()
{
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("phrase");

    QTest::newRow("first start") << 10000 << "welcome.html"
                                 << "Welcome to Vendalo"
                                 << "Getting started";
    QTest::newRow("worksheet") << 5 << "worksheet.html"
                               << "The Worksheet"
                               << "Your Loan Amount";
    QTest::newRow("closing month") << 130 << "closing-month.html"
                                   << "Closing Month and Property Taxes"
                                   << "closing month number × Annual Property Taxes ÷ 12";
}

void TestHelpWindow::contextOpensItsTopic()
{
    QFETCH(int, context);
    QFETCH(QString, page);
    auto w = openWindow();
    QVERIFY(w);
    QVERIFY(w->isHelpOpen());
    QCOMPARE(w->windowTitle(), QStringLiteral("Vendalo Help"));

    w->showTopic(context);
    QCOMPARE(fileName(w->currentPage()), page);
    QCOMPARE(w->currentPage().scheme(), QStringLiteral("qthelp"));
    QVERIFY(w->isVisible());
    const QString text = w->currentText();
    QFETCH(QString, heading);
    QVERIFY2(text.startsWith(heading), qPrintable(text.left(200)));
    QFETCH(QString, phrase);
    QVERIFY2(text.contains(phrase), qPrintable(text));
    // The stylesheet came out of the help file too: headings are coloured.
    const QTextCharFormat headingFormat =
        w->browser()->document()->begin().begin().fragment().charFormat();
    QCOMPARE(headingFormat.foreground().color(), QColor(QStringLiteral("#1d4f91")));
}

void TestHelpWindow::unknownContextSaysSo()
{
    auto w = openWindow();
    QVERIFY(w);
    w->showTopic(130);
    w->showTopic(77);
    QVERIFY(w->currentPage().isEmpty());
    QVERIFY2(w->currentText().contains(QStringLiteral("no topic number 77")),
             qPrintable(w->currentText()));
    // The window goes on showing topics after the message.
    w->showTopic(5);
    QCOMPARE(fileName(w->currentPage()), QStringLiteral("worksheet.html"));
    // A message between two showings of the same page does not leave it blank.
    w->showTopic(77);
    w->showTopic(5);
    QCOMPARE(fileName(w->currentPage()), QStringLiteral("worksheet.html"));
    QVERIFY(w->currentText().contains(QStringLiteral("Your Loan Amount")));
}

void TestHelpWindow::contentsListTheTopicsAndFollowThePage()
{
    auto w = openWindow();
    QVERIFY(w);
    QTRY_VERIFY(w->hasContents());
    const QStringList expected = {QStringLiteral("Welcome to Vendalo"),
                                  QStringLiteral("The Worksheet"),
                                  QStringLiteral("Closing Month and Property Taxes"),
                                  QStringLiteral("Reading the Results"),
                                  QStringLiteral("How the Figures Are Worked Out"),
                                  QStringLiteral("Starting Over: the Resets"),
                                  QStringLiteral("Printed Documents"),
                                  QStringLiteral("Printing and Print Setup"),
                                  QStringLiteral("Where Your Figures Are Kept"),
                                  QStringLiteral("Menus, Toolbar and Status Bar"),
                                  QStringLiteral("Online Resources"),
                                  QStringLiteral("About Vendalo and the Disclaimer")};
    QCOMPARE(topLevelTitles(w->contentsView()), expected);

    const QModelIndex reports = findTitle(w->contentsView(), QStringLiteral("Printed Documents"));
    QCOMPARE(w->contentsView()->model()->rowCount(reports), 3);
    QVERIFY(w->contentsView()->isExpanded(reports));

    // The entry of the page on show is the current one.
    w->showTopic(130);
    QCOMPARE(w->contentsView()->currentIndex().data().toString(),
             QStringLiteral("Closing Month and Property Taxes"));
    w->showTopic(5);
    QCOMPARE(w->contentsView()->currentIndex().data().toString(), QStringLiteral("The Worksheet"));
}

void TestHelpWindow::contentsEntryOpensItsSection()
{
    auto w = openWindow();
    QVERIFY(w);
    QTRY_VERIFY(w->hasContents());
    w->showContents();
    // Nothing was on show yet: the contents come with the welcome topic.
    QCOMPARE(fileName(w->currentPage()), QStringLiteral("welcome.html"));

    const QModelIndex entry = findTitle(w->contentsView(), QStringLiteral("Home inspection form"));
    QVERIFY(entry.isValid());
    w->contentsView()->setFocus();
    w->contentsView()->setCurrentIndex(entry);
    QTest::keyClick(w->contentsView(), Qt::Key_Return);
    QCOMPARE(w->currentPage().fileName(), QStringLiteral("reports.html"));
    QCOMPARE(w->currentPage().fragment(), QStringLiteral("inspection"));
    QCOMPARE(w->contentsView()->currentIndex(), entry);
    // The page is scrolled to the section, not left at its top.
    QVERIFY(w->browser()->verticalScrollBar()->value() > 0);
}

void TestHelpWindow::linkClickMovesAndBackReturns()
{
    auto w = openWindow();
    QVERIFY(w);
    w->showTopic(10000);
    QVERIFY(!w->backAction()->isEnabled());

    const QPoint link = anchorPoint(w->browser(), QStringLiteral("worksheet.html"));
    QVERIFY(link.x() >= 0);
    QTest::mouseClick(w->browser()->viewport(), Qt::LeftButton, {}, link);
    QCOMPARE(fileName(w->currentPage()), QStringLiteral("worksheet.html"));
    QVERIFY(w->currentText().contains(QStringLiteral("Sales Price Interval")));
    QVERIFY(w->backAction()->isEnabled());
    QVERIFY(!w->forwardAction()->isEnabled());

    QTest::keyClick(w->browser(), Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(fileName(w->currentPage()), QStringLiteral("welcome.html"));
    QVERIFY(w->forwardAction()->isEnabled());

    QTest::keyClick(w->browser(), Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(fileName(w->currentPage()), QStringLiteral("worksheet.html"));

    // A link to a section of another page lands on that section.
    const QPoint section = anchorPoint(w->browser(), QStringLiteral("results.html#table"));
    QVERIFY(section.x() >= 0);
    QTest::mouseClick(w->browser()->viewport(), Qt::LeftButton, {}, section);
    QCOMPARE(fileName(w->currentPage()), QStringLiteral("results.html"));
    QCOMPARE(w->currentPage().fragment(), QStringLiteral("table"));

    w->backAction()->trigger();
    QCOMPARE(fileName(w->currentPage()), QStringLiteral("worksheet.html"));
    w->homeAction()->trigger();
    QCOMPARE(fileName(w->currentPage()), QStringLiteral("welcome.html"));
}

// Reads every page out of the compiled help and checks that each address in
// it (links, sections, the stylesheet, pictures) leads to something, and that
// every entry of the table of contents does too.
void TestHelpWindow::everyLinkInTheHelpLeadsSomewhere()
{
    QHelpEngineCore engine(collectionOf(helpFile));
    engine.setReadOnly(true);
    QVERIFY(engine.setupData());
    QCOMPARE(engine.registeredDocumentations().size(), 1);
    const QString ns = engine.registeredDocumentations().first();
    const QList<QUrl> pages = engine.files(ns, QString(), QStringLiteral("html"));
    QVERIFY2(pages.size() >= 12, qPrintable(QString::number(pages.size())));

    static const QRegularExpression addressPattern(QStringLiteral(R"re((?:href|src)="([^"]+)")re"));
    static const QRegularExpression sectionPattern(QStringLiteral(R"re(<a name="([^"]+)")re"));
    auto sectionsOf = [&](const QUrl &page) {
        QStringList names;
        const QString html = QString::fromUtf8(engine.fileData(page));
        for (const auto &m : sectionPattern.globalMatch(html))
            names << m.captured(1);
        return names;
    };
    auto check = [&](const QUrl &target, const QString &where) {
        if (target.scheme() == QLatin1StringView("qrc")) {
            QVERIFY2(QFile::exists(QLatin1Char(':') + target.path()), qPrintable(where));
            return;
        }
        QCOMPARE(target.scheme(), QStringLiteral("qthelp"));
        const QUrl file = target.adjusted(QUrl::RemoveFragment);
        QVERIFY2(!engine.fileData(file).isEmpty(), qPrintable(where));
        if (target.hasFragment())
            QVERIFY2(sectionsOf(file).contains(target.fragment()), qPrintable(where));
    };

    int addresses = 0;
    for (const QUrl &page : pages) {
        const QString html = QString::fromUtf8(engine.fileData(page));
        QVERIFY2(html.contains(QStringLiteral("type=\"text/css\" href=\"style.css\"")),
                 qPrintable(page.toString()));
        QVERIFY2(html.contains(QStringLiteral("<title>")), qPrintable(page.toString()));
        for (const auto &m : addressPattern.globalMatch(html)) {
            const QUrl target = page.resolved(QUrl(m.captured(1)));
            check(target, page.fileName() + QStringLiteral(" -> ") + m.captured(1));
            if (QTest::currentTestFailed())
                return;
            ++addresses;
        }
    }
    QVERIFY(addresses > 50);

    // Every entry of the table of contents opens its page, and every page
    // has an entry.
    QStringList listed;
    auto w = openWindow();
    QVERIFY(w);
    QTRY_VERIFY(w->hasContents());
    QList<QModelIndex> pending = {QModelIndex()};
    const QAbstractItemModel *model = w->contentsView()->model();
    int entries = 0;
    while (!pending.isEmpty()) {
        const QModelIndex parent = pending.takeFirst();
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, 0, parent);
            w->contentsView()->setCurrentIndex(index);
            QTest::keyClick(w->contentsView(), Qt::Key_Return);
            const QUrl shown = w->currentPage();
            check(shown, index.data().toString());
            if (QTest::currentTestFailed())
                return;
            listed << shown.fileName();
            pending.append(index);
            ++entries;
        }
    }
    QVERIFY(entries > 20);
    for (const QUrl &page : pages)
        QVERIFY2(listed.contains(page.fileName()), qPrintable(page.toString()));
}

void TestHelpWindow::outsideLinksGoToTheDesktop_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("desktopOpensIt");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<int>("beeps");

    const QString web = QStringLiteral("https://www.vendalo.example/faq.htm");
    const QString mail = QStringLiteral("mailto:support@vendalo.example");
    QTest::newRow("web page") << web << true << QStringList{web} << 0;
    QTest::newRow("mail") << mail << true << QStringList{mail} << 0;
    QTest::newRow("nothing takes it") << web << false << QStringList{web} << 1;
    QTest::newRow("local file") << QStringLiteral("file:///etc/passwd") << true << QStringList{}
                                << 0;
}

void TestHelpWindow::outsideLinksGoToTheDesktop()
{
    QFETCH(QString, address);
    QFETCH(bool, desktopOpensIt);
    m_openSucceeds = desktopOpensIt;
    auto w = openWindow();
    QVERIFY(w);
    w->showTopic(5);
    Q_EMIT w->browser()->anchorClicked(QUrl(address));
    QTEST(m_opened, "opened");
    QTEST(m_beeps, "beeps");
    // The page stays where it was.
    QCOMPARE(fileName(w->currentPage()), QStringLiteral("worksheet.html"));
}

void TestHelpWindow::brokenHelpIsReportedInTheWindow_data()
{
    QTest::addColumn<QByteArray>("qch"); // "real", "none" or the bytes to write
    QTest::addColumn<QByteArray>("qhc");
    QTest::addColumn<QString>("named");

    const QByteArray garbage("This is not a help file at all.\n");
    QTest::newRow("no files") << QByteArray("none") << QByteArray("none") << "vdl.qhc";
    QTest::newRow("collection without help file")
        << QByteArray("none") << QByteArray("real") << "vdl.qch";
    QTest::newRow("damaged help file") << garbage << QByteArray("real") << "vdl.qch";
    QTest::newRow("empty help file") << QByteArray("") << QByteArray("real") << "vdl.qch";
    QTest::newRow("damaged collection") << QByteArray("real") << garbage << "vdl.qhc";
    QTest::newRow("empty collection") << QByteArray("real") << QByteArray("") << "vdl.qhc";
}

void TestHelpWindow::brokenHelpIsReportedInTheWindow()
{
    QFETCH(QByteArray, qch);
    QFETCH(QByteArray, qhc);
    QFETCH(QString, named);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("vdl.qch"));
    auto place = [](const QByteArray &what, const QString &from, const QString &to) {
        if (what == "none")
            return true;
        QFile out(to);
        return out.open(QIODevice::WriteOnly) &&
               out.write(what == "real" ? readAll(from) : what) >= 0;
    };
    QVERIFY(place(qch, helpFile, file));
    QVERIFY(place(qhc, collectionOf(helpFile), collectionOf(file)));
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    const QByteArray collectionBefore = readAll(collectionOf(file));

    auto w = openWindow(file);
    QVERIFY(w);
    QVERIFY(!w->isHelpOpen());
    for (int context : {130, 5, 10000}) {
        w->showTopic(context);
        QVERIFY(w->isVisible());
        QVERIFY(w->currentPage().isEmpty());
        const QString text = w->currentText();
        QVERIFY2(text.contains(QStringLiteral("could not be opened")), qPrintable(text));
        QVERIFY2(text.contains(dir.filePath(named)), qPrintable(text));
    }
    w->showContents();
    QVERIFY(w->currentText().contains(QStringLiteral("could not be opened")));
    QCOMPARE(w->contentsView()->model()->rowCount(), 0);
    // Reading never repairs, creates or rewrites anything.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), before);
    QCOMPARE(readAll(collectionOf(file)), collectionBefore);
}

void TestHelpWindow::viewerOpensTheWindowOnlyWhenAsked()
{
    HelpViewer viewer;
    viewer.setHelpFile(helpFile);
    QVERIFY(!viewer.window()); // no engine at start-up

    viewer.showTopic(130);
    QCOMPARE(viewer.requestedTopics(), QList<int>{130});
    // The window opens once the event loop runs, above whatever opened meanwhile.
    QVERIFY(!viewer.window());
    QTRY_VERIFY(viewer.window() && viewer.window()->isVisible());
    HelpWindow *window = viewer.window();
    QCOMPARE(window->windowTitle(), QStringLiteral("Vendalo Help"));
    QCOMPARE(fileName(window->currentPage()), QStringLiteral("closing-month.html"));
    QVERIFY(window->currentText().contains(QStringLiteral("Prorated Property Taxes Due")));

    viewer.showContents();
    QCOMPARE(viewer.contentsRequests(), 1);
    QTRY_VERIFY(window->contentsView()->hasFocus());
    QCOMPARE(fileName(window->currentPage()), QStringLiteral("closing-month.html"));

    viewer.closeAll();
    QVERIFY(!window->isVisible());

    // The same window comes back for the next request.
    viewer.showTopic(5);
    QTRY_VERIFY(window->isVisible());
    QCOMPARE(viewer.window(), window);
    QCOMPARE(fileName(window->currentPage()), QStringLiteral("worksheet.html"));
    QCOMPARE(viewer.requestedTopics(), (QList<int>{130, 5}));
    viewer.closeAll();
    QVERIFY(!window->isVisible());
}

void TestHelpWindow::viewerWithWindowsOffOnlyRecords()
{
    HelpViewer::setWindowEnabled(false);
    HelpViewer viewer;
    viewer.setHelpFile(helpFile);
    QSignalSpy topics(&viewer, &HelpViewer::topicRequested);
    viewer.showTopic(10000);
    viewer.showContents();
    QCoreApplication::processEvents();
    QCOMPARE(viewer.requestedTopics(), QList<int>{10000});
    QCOMPARE(topics.size(), 1);
    QCOMPARE(viewer.contentsRequests(), 1);
    QVERIFY(!viewer.window());
    viewer.closeAll();
}

void TestHelpWindow::closingBeforeTheWindowOpensCancelsIt()
{
    HelpViewer viewer;
    viewer.setHelpFile(helpFile);
    viewer.showTopic(10000);
    viewer.closeAll();
    QCoreApplication::processEvents();
    QVERIFY(!viewer.window());
    QCOMPARE(viewer.requestedTopics(), QList<int>{10000});
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
