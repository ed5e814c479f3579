#include "Application.h"
#include "HelpViewer.h"
#include "Hints.h"
#include "HintRouter.h"
#include "MoneyText.h"
#include "MonthBox.h"
#include "NumericField.h"
#include "Platform.h"
#include "ReportDialogs.h"
#include "ReportPreview.h"
#include "Reports.h"
#include "ResultsGrid.h"
#include "StatusBar.h"
#include "TfrmMain.h"
#include "ValueSets.h"
#include "WebAddresses.h"
#include "Worksheet.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

// Everything reached from the main window's menus, toolbar and status bar:
// captions and states, where each command leads, hints and help, resets.
class TestCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void menus_data();
    void menus();
    void toolbar();
    void printPreviewBeforeAndAfterRecalculation();
    void checklistsAndPrintSetup();
    void popupMenuAndTitleStrip();
    void statusBarPointer_data();
    void statusBarPointer();
    void statusBarLink();
    void hintsFollowThePointer();
    void f1OpensTheFocusedControlsTopic_data();
    void f1OpensTheFocusedControlsTopic();
    void helpCommands();
    void resets_data();
    void resets();
    void resetMenuOpensAtItsPlace();
    void resetTwiceEqualsOnce();
    void resetAfterTheMonthHasTurned();
    void webLinksOpenTheirPages();
    void dialogsOpenModally_data();
    void dialogsOpenModally();
    void exitCommandsClose_data();
    void exitCommandsClose();

private:
    void start();
    NumericField *field(const char *name) const
    {
        return m_window->worksheet()->field(QLatin1StringView(name));
    }
    template <typename T> T *child(const char *name) const
    {
        T *found = m_window->findChild<T *>(QLatin1StringView(name));
        if (!found)
            qWarning("no %s", name);
        return found;
    }
    QStringList snapshot() const; // every stored figure and every grid text

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfrmMain> m_window;
    QStringList m_messages;
    QStringList m_opened;
    int m_beeps = 0;
    bool m_openSucceeds = true;
    QDateTime m_now;
    QStringList m_previews; // template names, in the order shown
};

void TestCommands::initTestCase()
{
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    HelpViewer::setWindowEnabled(false);
    platform::setInformationHandler([this](QWidget *, const QString &text) { m_messages << text; });
    platform::setScreenWidthProvider([] { return 1024; });
    platform::setClock([this] { return m_now; });
    platform::setOpenUrlHandler([this](const QString &address) {
        m_opened << address;
        return m_openSucceeds;
    });
    platform::setBeepHandler([this] { ++m_beeps; });
    reportdialogs::setPreviewHandler([this](ReportPreview &preview) {
        m_previews << QString::number(preview.pages().size());
    });
    reportdialogs::setPrintSetupHandler([this](QPrinter &, QWidget *) { m_previews << u"setup"_s; });
}

void TestCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("XDG_CONFIG_HOME", m_dir->path().toLocal8Bit());
    // Not a first start: no help topic of its own in the way.
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("Vendalo"))));
    QFile file(m_dir->filePath(QStringLiteral("Vendalo/vdl.ini")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[GeneralValues]\nRun=1\n");
    file.close();
    m_messages.clear();
    m_opened.clear();
    m_previews.clear();
    m_beeps = 0;
    m_openSucceeds = true;
    m_now = QDateTime(QDate(2026, 6, 15), QTime(9, 30, 5));
    start();
}

void TestCommands::cleanup()
{
    if (m_window)
        m_window->close();
    m_window.reset();
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(u'\n')));
}

void TestCommands::start()
{
    m_window = std::make_unique<TfrmMain>();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

QStringList TestCommands::snapshot() const
{
    QStringList all;
    for (const char *name : valueSetOrder()) {
        if (NumericField *f = field(name))
            all << f->text();
        else if (auto *label = m_window->findChild<QLabel *>(QLatin1StringView(name)))
            all << label->text();
    }
    all << m_window->worksheet()->closingMonthBox()->currentText();
    for (int row = 1; row < ResultsGrid::rows; ++row) {
        for (int col = 0; col < ResultsGrid::columns; ++col)
            all << m_window->worksheet()->grid()->cellText(row, col);
    }
    return all;
}

void TestCommands::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("items"); // "-" is a separator; "!" before a greyed item

    QTest::newRow("File") << "MnuFile" << "&File"
                          << QStringList{"Print Setup ...", "!&Print Preview ...", "-", "E&xit"};
    QTest::newRow("Real Estate Forms")
        << "mnuForms" << "&Real Estate Forms"
        << QStringList{"&Home Inspection Form ...", "&To Do List for Movers ..."};
    QTest::newRow("Online Resources")
        << "mnuInternet" << "&Online Resources"
        << QStringList{"Information About This &Program ...",
                       "Read Our Financial &BLOG ...",
                       "Free Financial &Utilities ...",
                       "-",
                       web::findWebLink(u"mnuWOFerncroft")->caption,
                       "-",
                       "Try These &Financial Calculators",
                       "-",
                       "Check for a &New Version of this Software ..."};
    QTest::newRow("Help") << "MnuHelp" << "&Help"
                          << QStringList{"&Contents", "-", "&Online Support ...",
                                         "&Suggestion Box ...", "-", "&Disclaimer ...", "&About ..."};
    QTest::newRow("pop-up") << "MnuPopup" << ""
                            << QStringList{"!Main Menu", "-", "&Disclaimer...", "-", "Help", "-",
                                           "E&xit"};
    QTest::newRow("reset") << "mnuPopReset" << ""
                           << QStringList{"&Reset to ZERO Values", "Reset to &Sample Values"};
}

void TestCommands::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QStringList, items);

    QMenu *m = m_window->findChild<QMenu *>(menu);
    QVERIFY(m);
    QCOMPARE(m->title(), caption);
    QStringList shown;
    for (QAction *action : m->actions()) {
        if (action->isSeparator())
            shown << QStringLiteral("-");
        else
            shown << (action->isEnabled() ? QString() : QStringLiteral("!")) + action->text();
        QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text())); // no shortcut keys
    }
    QCOMPARE(shown, items);

    if (!caption.isEmpty()) {
        QStringList bar;
        for (QAction *action : m_window->menuBar()->actions())
            bar << action->text();
        QCOMPARE(bar, (QStringList{"&File", "&Real Estate Forms", "&Online Resources", "&Help"}));
    }
    if (menu == u"mnuInternet") {
        auto *sub = m->findChild<QMenu *>(QStringLiteral("mnuInternetTry"));
        QVERIFY(sub);
        QCOMPARE(sub->actions().size(), 5);
        for (QAction *action : sub->actions())
            QVERIFY(action->text().endsWith(u" ..."));
    }
}

void TestCommands::toolbar()
{
    auto *bar = child<QWidget>("pnlButtonBar");
    QCOMPARE(bar->geometry(), QRect(0, 0, 790, 33));
    const std::pair<const char *, int> buttons[] = {{"btnPrint", 4},  {"btnReset", 29},
                                                    {"btnUpdate", 54}, {"btnAbout", 79},
                                                    {"btnHelp", 104}, {"btnExit", 751}};
    for (auto [name, left] : buttons) {
        auto *button = child<QToolButton>(name);
        QVERIFY(button);
        QCOMPARE(button->parentWidget(), bar);
        QCOMPARE(button->geometry(), QRect(left, 4, 25, 25));
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QVERIFY(button->isEnabled());
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->toolTip(), hints::shortPart(hints::hint(button)));
    }
    QCOMPARE(hints::hint(child<QToolButton>("btnReset")), QStringLiteral("Reset values| Reset values"));
    QCOMPARE(child<QToolButton>("btnExit")->toolTip(), QStringLiteral("Close Vendalo ..."));
    // Worksheet fields have hints for the status bar but no pop-up tips.
    QVERIFY(field("edtVDPDesiredSalesPrice")->toolTip().isEmpty());
    QVERIFY(!hints::hint(field("edtVDPDesiredSalesPrice")).isEmpty());
}

void TestCommands::printPreviewBeforeAndAfterRecalculation()
{
    QVERIFY(!m_window->MnuFilePrint->isEnabled());
    QVERIFY(m_window->btnPrint->isEnabled());
    QVERIFY(!m_window->reports()->templatesMade()); // nothing of the reports at start-up

    QTest::mouseClick(m_window->btnPrint, Qt::LeftButton);
    QCOMPARE(m_previews, QStringList{u"1"_s});
    // Printed as the window holds it: the stored totals, no table yet.
    ReportTemplate &report = m_window->reports()->frxNetGainAfterSale();
    QCOMPARE(report.FindObject(u"lblSalesPrice")->text, QStringLiteral("$258,000.00"));
    QCOMPARE(report.FindObject(u"lblMonthlyCarryingCosts")->text, QStringLiteral("$2,128.94"));
    QCOMPARE(report.FindObject(u"lbl0_1")->text, QString());

    NumericField *price = field("edtVDPDesiredSalesPrice");
    price->setFocus(Qt::MouseFocusReason);
    price->selectAll();
    QTest::keyClicks(price, QStringLiteral("300000"));
    QTest::keyClick(price, Qt::Key_Tab);
    QVERIFY(m_window->MnuFilePrint->isEnabled());
    m_window->MnuFilePrint->trigger();
    QCOMPARE(m_previews.size(), 2);
    QCOMPARE(report.FindObject(u"lblSalesPrice")->text, QStringLiteral("$300,000.00"));
    QCOMPARE(report.FindObject(u"lbl0_1")->text, QStringLiteral("$300,000"));
}

void TestCommands::checklistsAndPrintSetup()
{
    child<QAction>("mnuFormsInspection")->trigger();
    child<QAction>("mnuFormsToDoListForMovers")->trigger();
    child<QAction>("MnuFilePrintSetup")->trigger();
    QCOMPARE(m_previews, (QStringList{u"4"_s, u"3"_s, u"setup"_s}));
}

void TestCommands::popupMenuAndTitleStrip()
{
    auto *panel = m_window->worksheet()->findChild<QWidget *>(QStringLiteral("pnlMain"));
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(300, 300),
                                 panel->mapToGlobal(QPoint(300, 300)));
    QApplication::sendEvent(panel, &rightClick);
    QTRY_VERIFY(m_window->MnuPopup->isVisible());
    QVERIFY(!m_window->mnuPopMain->isEnabled());
    m_window->MnuPopup->close();
    QTRY_VERIFY(!m_window->MnuPopup->isVisible());

    // The context-menu key in a field opens it too: the field passes it on.
    NumericField *loan = field("edtVDPOriginalLoanAmount");
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5), loan->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(loan, &menuKey);
    QTRY_VERIFY(m_window->MnuPopup->isVisible());
    m_window->MnuPopup->close();

    // Only the title label's bottom strip is exposed below the toolbar.
    QWidget *client = m_window->centralWidget();
    QCOMPARE(client->childAt(20, 35), m_window->lblMainMenu);
    QCOMPARE(client->childAt(20, 38), m_window->lblMainMenu);
    QVERIFY(client->childAt(20, 32) != m_window->lblMainMenu);
    QCOMPARE(m_window->lblMainMenu->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(!m_window->lblMainMenu->font().underline());

    const QStringList before = snapshot();
    QTest::mouseClick(m_window->lblMainMenu, Qt::LeftButton, {}, QPoint(20, 24));
    QVERIFY(m_window->mnuPopMain->isEnabled());
    QVERIFY(m_window->lblMainMenu->font().underline());
    QVERIFY(m_window->MnuFilePrint->isEnabled());
    QCOMPARE(QApplication::focusWidget(), field("edtVDPOriginalLoanAmount"));
    QCOMPARE(snapshot(), before); // nothing recalculated, no field changed
}

void TestCommands::statusBarPointer_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<Qt::CursorShape>("shape");
    QTest::addColumn<bool>("versionLine");

    QTest::newRow("100: over the link") << 100 << Qt::PointingHandCursor << false;
    QTest::newRow("137: past the hand") << 137 << Qt::ArrowCursor << false;
    QTest::newRow("141: over panel 1") << 141 << Qt::ArrowCursor << true;
}

void TestCommands::statusBarPointer()
{
    QFETCH(int, x);
    QFETCH(Qt::CursorShape, shape);
    QFETCH(bool, versionLine);

    StatusBar *bar = m_window->statusPanels();
    QCOMPARE(bar->objectName(), QStringLiteral("statusBar"));
    QCOMPARE(bar->width(), 788);
    QCOMPARE(bar->height(), 19);
    QCOMPARE(bar->panelWidth(0), 140);
    QCOMPARE(bar->panelWidth(1), 646);
    QCOMPARE(bar->panelText(1), QStringLiteral("Welcome to Vendalo by Brantel Software"));

    QTest::mouseMove(bar, QPoint(x, 9));
    QTRY_COMPARE(bar->cursor().shape(), shape);
    QCOMPARE(bar->panelText(1),
             versionLine ? QStringLiteral(" Vendalo, 2.2.10        ") + web::ownershipNotice()
                         : QStringLiteral(" Click to visit our web site ..."));

    bar->resize(500, 19); // any resize recomputes panel 1
    QCOMPARE(bar->panelWidth(1), 358);
}

void TestCommands::statusBarLink()
{
    StatusBar *bar = m_window->statusPanels();
    QTest::mousePress(bar, Qt::RightButton, {}, QPoint(200, 9)); // beside the link
    QVERIFY(m_opened.isEmpty());
    QTest::mousePress(bar, Qt::RightButton, {}, QPoint(20, 9)); // any button, on the press
    QCOMPARE(m_opened, QStringList{web::productHomePage()});
    QTest::mouseRelease(bar, Qt::RightButton, {}, QPoint(20, 9));
    QCOMPARE(m_opened.size(), 1);
    // The same home page as the menu entry that names the program.
    child<QAction>("mnuWOApplicationInformation")->trigger();
    QCOMPARE(m_opened.last(), m_opened.first());
}

void TestCommands::hintsFollowThePointer()
{
    StatusBar *bar = m_window->statusPanels();
    auto *reset = child<QToolButton>("btnReset");
    QTest::mouseMove(reset, QPoint(12, 12));
    QTRY_COMPARE(bar->panelText(1), QStringLiteral(" Reset values"));

    NumericField *price = field("edtVDPDesiredSalesPrice");
    QTest::mouseMove(price, QPoint(10, 10));
    QTRY_COMPARE(bar->panelText(1), QStringLiteral("Enter the desired sales price of your home."));

    // A control without a hint of its own or above it empties the panel.
    QTest::mouseMove(m_window->worksheet()->grid()->viewport(), QPoint(30, 30));
    QTRY_COMPARE(bar->panelText(1), QString());
}

void TestCommands::f1OpensTheFocusedControlsTopic_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("topic");
    QTest::newRow("closing month") << "cbVDPClosingMonth" << 130;
    QTest::newRow("loan amount") << "edtVDPOriginalLoanAmount" << 5;
    QTest::newRow("interval") << "edtSpread" << 5;
}

void TestCommands::f1OpensTheFocusedControlsTopic()
{
    QFETCH(QString, control);
    auto *widget = m_window->findChild<QWidget *>(control);
    QVERIFY(widget);
    widget->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QTEST(m_window->helpViewer()->requestedTopics().value(0), "topic");
    QCOMPARE(m_window->helpViewer()->requestedTopics().size(), 1);
}

void TestCommands::helpCommands()
{
    QTest::mouseClick(child<QToolButton>("btnHelp"), Qt::LeftButton);
    child<QAction>("MnuPopHelp")->trigger();
    child<QAction>("MnuHelpContents")->trigger();
    QCOMPARE(m_window->helpViewer()->requestedTopics(), (QList<int>{130, 130}));
    QCOMPARE(m_window->helpViewer()->contentsRequests(), 1);
}

void TestCommands::resets_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("valueSet");
    QTest::addColumn<QString>("loan");
    QTest::addColumn<QString>("firstPrice");
    QTest::addColumn<QString>("carrying");

    QTest::newRow("zero") << "mnuResetThisZero" << 0 << "0.00" << "$0" << "$0.00";
    QTest::newRow("samples") << "mnuResetSamples" << 1 << "235,000.00" << "$258,000" << "$2,128.94";
}

void TestCommands::resets()
{
    QFETCH(QString, item);
    QFETCH(int, valueSet);

    NumericField *spread = field("edtSpread");
    spread->setFocus(Qt::MouseFocusReason);
    spread->setValue(1234);
    m_window->worksheet()->closingMonthBox()->setEditText(QStringLiteral("October"));
    m_window->findChild<QAction *>(item)->trigger();

    QCOMPARE(m_window->valueSet(), valueSet);
    QTEST(field("edtVDPOriginalLoanAmount")->text(), "loan");
    QCOMPARE(spread->value(), valueSet ? 4000.0 : 0.0);
    QCOMPARE(field("edtEnteredPrepaymentPenalty")->value(), 0.0);
    QCOMPARE(m_window->worksheet()->closingMonthBox()->currentText(), QStringLiteral("June"));
    // Recalculated at once: the grid and the derived fields follow the set.
    QTEST(m_window->worksheet()->grid()->cellText(1, 0), "firstPrice");
    QTEST(m_window->worksheet()->carryingCostsLabel()->text(), "carrying");
    QCOMPARE(field("edtVDPPropertyTaxesPaid")->value(), valueSet ? 600.0 : 0.0); // June: 6 months
    QCOMPARE(QApplication::focusWidget(), field("edtVDPOriginalLoanAmount"));

    QVERIFY(m_window->close());
    m_window.reset();
    QFile file(m_dir->filePath(QStringLiteral("Vendalo/vdl.ini")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("DefaultValueSet=" + QByteArray::number(valueSet) + "\n"));
}

void TestCommands::resetMenuOpensAtItsPlace()
{
    m_window->move(40, 30);
    QTest::mouseClick(m_window->btnReset, Qt::LeftButton);
    QTRY_VERIFY(m_window->mnuPopReset->isVisible());
    const QRect frame = m_window->frameGeometry();
    QCOMPARE(m_window->mnuPopReset->pos(), QPoint(frame.left() + 29 + 5, frame.top() + 4 + 70));
    m_window->mnuPopReset->close();
    QTRY_VERIFY(!m_window->mnuPopReset->isVisible());

    // From the keyboard, where the button never takes the focus.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::ControlModifier);
    QTRY_VERIFY(m_window->mnuPopReset->isVisible());
    m_window->mnuPopReset->close();

    // Only the two items of the reset menu tell the sets apart; any other
    // sender changes nothing.
    const QStringList before = snapshot();
    m_window->ResetCalculators(m_window->btnReset);
    QCOMPARE(snapshot(), before);
    QCOMPARE(m_window->valueSet(), 1);
}

void TestCommands::resetTwiceEqualsOnce()
{
    for (const char *item : {"mnuResetThisZero", "mnuResetSamples"}) {
        child<QAction>(item)->trigger();
        const QStringList once = snapshot();
        child<QAction>(item)->trigger();
        QCOMPARE(snapshot(), once);
    }
}

void TestCommands::resetAfterTheMonthHasTurned()
{
    m_now = QDateTime(QDate(2026, 7, 1), QTime(0, 0, 1)); // left running past the end of June
    child<QAction>("mnuResetSamples")->trigger();
    QCOMPARE(m_window->worksheet()->closingMonthBox()->currentText(), QStringLiteral("June"));
}

void TestCommands::webLinksOpenTheirPages()
{
    for (const web::WebLink &link : web::webLinks()) {
        m_opened.clear();
        if (link.place == web::Place::Toolbar)
            QTest::mouseClick(child<QToolButton>(link.objectName.data()), Qt::LeftButton);
        else
            child<QAction>(link.objectName.data())->trigger();
        QCOMPARE(m_opened, QStringList{link.address});
    }
    QCOMPARE(m_beeps, 0);

    // Nothing to open it with: one beep, and the window goes on.
    m_openSucceeds = false;
    child<QAction>("mnuWOBlog")->trigger();
    QCOMPARE(m_beeps, 1);
    QVERIFY(m_window->isVisible());
}

void TestCommands::dialogsOpenModally_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("Help > About") << "MnuHelpAbout" << "frmAbout";
    QTest::newRow("toolbar About") << "btnAbout" << "frmAbout";
    QTest::newRow("Help > Disclaimer") << "MnuHelpDisclaimer" << "frmDisclaim";
    QTest::newRow("pop-up Disclaimer") << "MnuPopDisclaimer" << "frmDisclaim";
}

void TestCommands::dialogsOpenModally()
{
    QFETCH(QString, command);
    QFETCH(QString, dialog);

    QString seen;
    bool mainWindowBlocked = false;
    QTimer::singleShot(0, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        seen = modal->objectName();
        mainWindowBlocked = QApplication::activeModalWidget() != m_window.get() &&
                            modal->windowModality() == Qt::ApplicationModal;
        modal->close();
    });
    if (auto *button = m_window->findChild<QToolButton *>(command))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        m_window->findChild<QAction *>(command)->trigger();
    QCOMPARE(seen, dialog);
    QVERIFY(mainWindowBlocked);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestCommands::exitCommandsClose_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("File > Exit") << "MnuFileExit";
    QTest::newRow("pop-up Exit") << "MnuPopExit";
    QTest::newRow("toolbar exit") << "btnExit";
}

void TestCommands::exitCommandsClose()
{
    QFETCH(QString, command);
    field("edtSpread")->setValue(2500);
    if (auto *button = m_window->findChild<QToolButton *>(command))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        m_window->findChild<QAction *>(command)->trigger();
    QVERIFY(!m_window->isVisible());
    QFile file(m_dir->filePath(QStringLiteral("Vendalo/vdl.ini")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("\nSpread=2500\n")); // closed the way the close box closes
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commands.moc"
