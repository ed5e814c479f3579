#include "Application.h"
#include "ErrorMessages.h"
#include "HelpViewer.h"
#include "MonthBox.h"
#include "NumericField.h"
#include "Platform.h"
#include "ResultsGrid.h"
#include "TfrmMain.h"
#include "ValueFile.h"
#include "VistaAltFix.h"
#include "Worksheet.h"

#include <QAction>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QStyle>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "StartMainWindow.h"

#include "CLibraryLocale.h"
#include <QTimer>

#include <csignal>
#include <stdexcept>
#include <sys/resource.h>

namespace {

const QDateTime juneMorning(QDate(2026, 6, 15), QTime(9, 30, 5));

// Throws from its event handler, like a handler that fails.
class FailingObject : public QObject
{
public:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("failed on purpose");
        return QObject::event(e);
    }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void firstStartShowsSamplesAndWritesFile();
    void secondStartKeepsLastUpdate();
    void storedClosingMonthIsReplacedByStartupMonth();
    void typedValuesAreThereAtNextStart();
    void windowShape();
    void narrowScreenWarning_data();
    void narrowScreenWarning();
    void floatingPointFaultShowsMessageAAndGoesOn();
    void otherErrorsShowMessageB();
    void saveIntoUnwritablePlaceShowsMessageB();
    void saveFailingPartWayKeepsOldFile();
    void centerForm();
    void everyStoredValueMakesTheRoundTrip_data();
    void everyStoredValueMakesTheRoundTrip();
    void helpClosesBeforeTheSave();
    void startupErrorSkipsTheRemainingSteps();
    void messageAtCloseIsShownBeforeTheProgramEnds();
    void errorsAfterTheWindowIsGoneAreDropped();

private:
    std::unique_ptr<TfrmMain> start();
    QString valueFile() const { return m_dir->filePath(QStringLiteral("Vendalo/vdl.ini")); }
    void writeValueFile(const QByteArray &content);
    QByteArray readValueFile() const;
    NumericField *field(TfrmMain &w, const char *name)
    {
        return w.worksheet()->field(QLatin1StringView(name));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_messages;
    int m_screenWidth = 1024;
    QDateTime m_now;
};

void TestMainWindow::initTestCase()
{
    VDL_CHECK_C_LIBRARY_LOCALE();
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    // These tests check which help is asked for; the help window has its own.
    HelpViewer::setWindowEnabled(false);
    platform::setInformationHandler([this](QWidget *, const QString &text) { m_messages << text; });
    platform::setScreenWidthProvider([this] { return m_screenWidth; });
    platform::setClock([this] { return m_now; });
}

void TestMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("XDG_CONFIG_HOME", m_dir->path().toLocal8Bit());
    m_messages.clear();
    m_screenWidth = 1024;
    m_now = juneMorning;
}

void TestMainWindow::cleanup()
{
    QVERIFY(!frmMain);
    QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
            std::none_of(QApplication::topLevelWidgets().cbegin(),
                         QApplication::topLevelWidgets().cend(),
                         [](QWidget *w) { return w->isVisible(); }));
}

std::unique_ptr<TfrmMain> TestMainWindow::start()
{
    return startMainWindow();
}

void TestMainWindow::writeValueFile(const QByteArray &content)
{
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("Vendalo"))));
    QFile f(valueFile());
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(content), content.size());
}

QByteArray TestMainWindow::readValueFile() const
{
    QFile f(valueFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestMainWindow::firstStartShowsSamplesAndWritesFile()
{
    auto w = start();
    QVERIFY(w);
    QCOMPARE(frmMain, w.get());
    QCOMPARE(w->valueFilePath(), valueFile());
    QCOMPARE(field(*w, "edtVDPOriginalLoanAmount")->text(), QStringLiteral("235,000.00"));
    QCOMPARE(field(*w, "edtVDPOriginalTerm")->text(), QStringLiteral("360"));
    QCOMPARE(field(*w, "edtVDPOriginalPI")->text(), QStringLiteral("1,408.94"));
    QCOMPARE(field(*w, "edtSpread")->text(), QStringLiteral("4,000.00"));
    QCOMPARE(w->worksheet()->carryingCostsLabel()->text(), QStringLiteral("$2,128.94"));
    QCOMPARE(w->worksheet()->closingCostsLabel()->text(), QStringLiteral("$18,810.00"));
    QCOMPARE(w->worksheet()->closingMonthBox()->currentText(), QStringLiteral("July"));
    for (int col = 0; col < ResultsGrid::columns; ++col)
        QCOMPARE(w->worksheet()->grid()->cellText(1, col), QString());
    QVERIFY(!w->MnuFilePrint->isEnabled()); // no recalculation ran
    QCOMPARE(w->helpViewer()->requestedTopics(), QList<int>{TfrmMain::firstRunHelpTopic});
    QCOMPARE(w->startupMonthName(), QStringLiteral("June"));
    QVERIFY(w->hasRun());
    QVERIFY(m_messages.isEmpty());

    m_now = juneMorning.addSecs(3600); // closing an hour later changes nothing stored
    QVERIFY(w->close());
    QVERIFY(!w->isVisible());
    w.reset();
    QVERIFY(!frmMain);

    const QByteArray file = readValueFile();
    QVERIFY2(file.startsWith("[GeneralValues]\nDefaultValueSet=1\nRun=1\n"
                             "LastUpdate=6/15/2026 9:30:05 AM\n[InitialValues]\n"
                             "OriginalLoanAmount=235000\nOriginalTerm=360\n"),
             file.constData());
    const QList<QByteArray> lines = file.split('\n');
    const int initial = int(lines.indexOf("[InitialValues]"));
    QCOMPARE(lines.size() - 1 - (initial + 1), 25); // the last split part is empty
    QCOMPARE(lines.at(initial + 14), QByteArray("ClosingMonth=June"));
    QCOMPARE(lines.at(initial + 25), QByteArray("Spread=4000"));
}

void TestMainWindow::secondStartKeepsLastUpdate()
{
    writeValueFile("[GeneralValues]\nRun=1\nLastUpdate=1/2/2025 3:04:05 AM\n");
    auto w = start();
    QVERIFY(w);
    QVERIFY(w->helpViewer()->requestedTopics().isEmpty());
    QCOMPARE(w->lastUpdate(), QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5)));
    QVERIFY(w->close());
    w.reset();
    QVERIFY(readValueFile().contains("\nLastUpdate=1/2/2025 3:04:05 AM\n"));
    QVERIFY(readValueFile().contains("\nRun=1\n"));

    // Run=0 counts as a first start again.
    writeValueFile("[GeneralValues]\nRun=0\n");
    w = start();
    QVERIFY(w);
    QCOMPARE(w->helpViewer()->requestedTopics(), QList<int>{TfrmMain::firstRunHelpTopic});
    QVERIFY(w->close());
}

void TestMainWindow::storedClosingMonthIsReplacedByStartupMonth()
{
    writeValueFile("[InitialValues]\nClosingMonth=March\n");
    auto w = start();
    QVERIFY(w);
    QCOMPARE(w->startupMonthName(), QStringLiteral("June"));
    QCOMPARE(w->worksheet()->closingMonthBox()->currentText(), QStringLiteral("July"));
    QVERIFY(w->close());
    QVERIFY(readValueFile().contains("\nClosingMonth=June\n"));
}

void TestMainWindow::typedValuesAreThereAtNextStart()
{
    auto w = start();
    QVERIFY(w);
    NumericField *price = field(*w, "edtVDPDesiredSalesPrice");
    price->setFocus(Qt::MouseFocusReason);
    price->selectAll();
    QTest::keyClicks(price, QStringLiteral("300000"));
    QTest::keyClick(price, Qt::Key_Tab);
    QVERIFY(w->MnuFilePrint->isEnabled()); // leaving the field recalculated
    QCOMPARE(w->worksheet()->grid()->cellText(1, 0), QStringLiteral("$300,000"));
    const QString costs = w->worksheet()->closingCostsLabel()->text();
    QVERIFY(w->close()); // no question asked
    w.reset();
    QVERIFY(m_messages.isEmpty());

    w = start();
    QVERIFY(w);
    QCOMPARE(field(*w, "edtVDPDesiredSalesPrice")->value(), 300000.0);
    QCOMPARE(field(*w, "edtVDPSalesCommission")->value(), 18000.0);
    QCOMPARE(w->worksheet()->closingCostsLabel()->text(), costs);
    QVERIFY(w->close());
}

void TestMainWindow::windowShape()
{
    auto w = start();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Vendalo, 2.2.10"));
    QCOMPARE(w->objectName(), QStringLiteral("frmMain"));
    QCOMPARE(w->centralWidget()->size(), QSize(790, 579)); // the client area, below the menu bar
    QCOMPARE(w->menuBar()->objectName(), QStringLiteral("MnuMain"));
    QCOMPARE(w->size(), QSize(790, 579 + w->menuBar()->height()));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 400);
    QCOMPARE(Application::instance()->tipHideDelay(), 4000);
    QCOMPARE(w->applicationFolder(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    QCOMPARE(w->helpViewer()->helpFile(), QCoreApplication::applicationDirPath() + "/vdl.qch");
    QVERIFY(!w->windowIcon().isNull());
    // The Alt-key repaint fix belongs to the window and stays inert on this desktop.
    const auto fixes = w->findChildren<TVistaAltFix *>();
    QCOMPARE(fixes.size(), 1);
    QVERIFY(!fixes.first()->isActive());
    QVERIFY(w->close());
}

void TestMainWindow::narrowScreenWarning_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("messages");
    QTest::newRow("799 pixels") << 799 << 1;
    QTest::newRow("800 pixels") << 800 << 0;
}

void TestMainWindow::narrowScreenWarning()
{
    QFETCH(int, width);
    m_screenWidth = width;
    auto w = start();
    QVERIFY(w);
    QTEST(int(m_messages.size()), "messages");
    if (!m_messages.isEmpty()) {
        QCOMPARE(m_messages.first(),
                 QStringLiteral("This software requires a screen resolution\r\nof at least "
                                "800x600.  You must change your\r\nscreen resolution to view\r\n"
                                "all of Vendalo."));
    }
    QVERIFY(w->hasRun());
    QVERIFY(w->close());
}

void TestMainWindow::floatingPointFaultShowsMessageAAndGoesOn()
{
    auto w = start();
    QVERIFY(w);
    NumericField *term = field(*w, "edtVDPOriginalTerm");
    NumericField *rate = field(*w, "edtVDPOriginalInterestRate");
    term->setFocus(Qt::MouseFocusReason);
    term->selectAll();
    QTest::keyClicks(term, QStringLiteral("-32768"));
    QTest::keyClick(term, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), rate);
    QCOMPARE(m_messages.size(), 0); // 6 % still calculates
    QTest::keyClicks(rate, QStringLiteral("30"));
    QTest::keyClick(rate, Qt::Key_Tab); // e^(32768 ln 1.025) overflows
    QCOMPARE(m_messages.size(), 0); // shown once the focus change is over
    QTRY_COMPARE(m_messages, QStringList{calculationErrorMessage()});
    QCOMPARE(m_messages.first(),
             QStringLiteral("An answer cannot be calculated using\n\rthe values you have "
                            "entered.\n\r\n\rPlease try again with different values."));
    // The focus went on to the next field; leaving that one meets the same
    // figures and the same message, and a sound term calculates again.
    QCOMPARE(QApplication::focusWidget(), field(*w, "edtVDPDesiredSalesPrice"));
    term->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(m_messages.size(), 2);
    term->selectAll();
    QTest::keyClicks(term, QStringLiteral("360"));
    QTest::keyClick(term, Qt::Key_Tab);
    QCoreApplication::processEvents();
    QCOMPARE(m_messages.size(), 2);
    QCOMPARE(m_messages.last(), calculationErrorMessage());
    QCOMPARE(field(*w, "edtVDPOriginalPI")->text(), QStringLiteral("5,875.81"));
    QVERIFY(w->close());
}

void TestMainWindow::otherErrorsShowMessageB()
{
    auto w = start();
    QVERIFY(w);
    FailingObject failing;
    QEvent event(QEvent::User);
    QCOMPARE(QCoreApplication::sendEvent(&failing, &event), false);
    QTRY_COMPARE(m_messages, QStringList{generalErrorMessage()});
    QCOMPARE(m_messages.first(), QStringLiteral("An error has occurred.\r\n\r\nPlease contact "
                                                "Brantel Software    \r\n\r\nat:  "
                                                "support@vendalo.example"));
    QVERIFY(w->isVisible());
    QVERIFY(w->close());
}

void TestMainWindow::saveIntoUnwritablePlaceShowsMessageB()
{
    // The place for the Vendalo folder is taken by a plain file.
    QFile blocker(m_dir->filePath(QStringLiteral("Vendalo")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto w = start();
    QVERIFY(w);
    QVERIFY(w->close()); // the window still closes
    QVERIFY(!w->isVisible());
    QTRY_COMPARE(m_messages, QStringList{generalErrorMessage()});
    QCOMPARE(QFileInfo(blocker.fileName()).size(), 0);
}

void TestMainWindow::saveFailingPartWayKeepsOldFile()
{
    const QByteArray old = "[GeneralValues]\nRun=1\n; kept\n[InitialValues]\nSpread=2500\n";
    writeValueFile(old);
    auto w = start();
    QVERIFY(w);
    QCOMPARE(field(*w, "edtSpread")->value(), 2500.0);

    // Any file write past 100 bytes fails, as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool closed = w->close();
    setrlimit(RLIMIT_FSIZE, &saved);

    QVERIFY(closed);
    QTRY_COMPARE(m_messages, QStringList{generalErrorMessage()});
    QCOMPARE(readValueFile(), old);
    const QStringList left = QDir(m_dir->filePath(QStringLiteral("Vendalo"))).entryList(QDir::Files);
    QCOMPARE(left, QStringList{QStringLiteral("vdl.ini")}); // no temporary file left behind
}

void TestMainWindow::centerForm()
{
    auto w = start();
    QVERIFY(w);
    w->move(0, 0);
    QDialog big;
    big.resize(w->frameGeometry().width() + 200, w->frameGeometry().height() + 100);
    w->CenterForm(&big);
    QCOMPARE(big.pos(), QPoint(0, 0));

    // An odd difference in size: the half is truncated.
    w->move(100, 50);
    QDialog small;
    small.resize(301, 200);
    const QSize diff = w->frameGeometry().size() - small.frameGeometry().size();
    QCOMPARE(diff.width(), 493);
    w->CenterForm(&small);
    QCOMPARE(small.pos(), QPoint(100 + 246, 50 + diff.height() / 2));
    QVERIFY(w->close());
}

void TestMainWindow::everyStoredValueMakesTheRoundTrip_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("en_US") << "en_US";
    QTest::newRow("de_DE") << "de_DE";
    QTest::newRow("he_IL") << "he_IL"; // a negative sign with a direction mark
}

// Every key of the value file reaches its control and comes back from it:
// distinct values, none of them a default, so that a key bound to the wrong
// control or to none shows up.
void TestMainWindow::everyStoredValueMakesTheRoundTrip()
{
    QFETCH(QString, locale);
    const QLocale l(locale);
    QLocale::setDefault(l);
    const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); });

    const QDateTime lastUpdate(QDate(2024, 2, 29), QTime(23, 59, 58));
    StoredValues written;
    int i = 0;
    for (const ValueKey &key : valueKeys()) {
        const QString target = QLatin1StringView(key.target);
        ++i;
        switch (key.form) {
        case ValueForm::Number:
            written.insert(target, -(1000.25 + 37.5 * i));
            break;
        case ValueForm::WholeNumber:
            written.insert(target, target == QLatin1StringView(stateValueSet) ? 7 : -(100 + i));
            break;
        case ValueForm::Text:
            written.insert(target, QStringLiteral("text %1").arg(i));
            break;
        case ValueForm::Flag:
            written.insert(target, true);
            break;
        case ValueForm::DateTime:
            written.insert(target, lastUpdate);
            break;
        }
    }
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("Vendalo"))));
    QVERIFY(ValueFile(valueFile(), l).save(written));

    auto w = start();
    QVERIFY(w);
    for (const ValueKey &key : valueKeys()) {
        const QString target = QLatin1StringView(key.target);
        if (NumericField *f = w->worksheet()->field(target)) {
            QVERIFY2(f->value() == written.value(target).toDouble(), key.key);
        } else if (auto *label = w->worksheet()->findChild<QLabel *>(target)) {
            QCOMPARE(label->text(), written.value(target).toString());
        }
    }
    QCOMPARE(w->valueSet(), 7);
    QCOMPARE(w->lastUpdate(), lastUpdate);
    QVERIFY(w->helpViewer()->requestedTopics().isEmpty()); // not a first start
    QCOMPARE(w->startupMonthName(), l.monthName(6));
    QVERIFY(w->close());
    w.reset();
    QVERIFY(m_messages.isEmpty());

    const QByteArray file = readValueFile();
    QVERIFY2(!file.contains("\xE2\x80\x8E") && !file.contains("\xE2\x80\x8F"), file.constData());
    StoredValues expected = written;
    expected.insert(QLatin1StringView(stateStartupMonth), l.monthName(6));
    QCOMPARE(ValueFile(valueFile(), l).load({}), expected);
}

void TestMainWindow::helpClosesBeforeTheSave()
{
    auto w = start();
    QVERIFY(w);
    int closedWithFileAbsent = 0;
    connect(w->helpViewer(), &HelpViewer::closeAllRequested, this,
            [&] { closedWithFileAbsent += QFile::exists(valueFile()) ? 100 : 1; });
    QVERIFY(w->close());
    QCOMPARE(closedWithFileAbsent, 1);
    QVERIFY(QFile::exists(valueFile()));
}

void TestMainWindow::startupErrorSkipsTheRemainingSteps()
{
    // The clock fails: loading the value file (which reads it for a default)
    // is the first step to meet the failure.
    platform::setClock([]() -> QDateTime { throw std::runtime_error("no clock"); });
    const auto restore = qScopeGuard([this] { platform::setClock([this] { return m_now; }); });
    m_screenWidth = 640; // the narrow-screen message comes later and is skipped too

    auto w = start();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QTRY_COMPARE(m_messages, QStringList{generalErrorMessage()});
    QVERIFY(w->startupMonthName().isEmpty());
    QVERIFY(w->helpViewer()->requestedTopics().isEmpty());
    QVERIFY(!w->hasRun());
    platform::setClock([this] { return m_now; });
    QVERIFY(w->close());
}

void TestMainWindow::messageAtCloseIsShownBeforeTheProgramEnds()
{
    QFile blocker(m_dir->filePath(QStringLiteral("Vendalo")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // The message box runs an event loop of its own, as a real one does. The
    // quit that closing the last window asks for must wait for it.
    qint64 shownFor = -1;
    platform::setInformationHandler([&](QWidget *, const QString &text) {
        m_messages << text;
        QElapsedTimer shown;
        shown.start();
        QEventLoop box;
        QTimer::singleShot(200, &box, &QEventLoop::quit);
        box.exec();
        shownFor = shown.elapsed();
    });
    const auto restore = qScopeGuard([this] {
        platform::setInformationHandler([this](QWidget *, const QString &text) { m_messages << text; });
    });

    auto w = start();
    QVERIFY(w);
    QTimer::singleShot(0, w.get(), &QWidget::close);
    QTimer giveUp;
    giveUp.setSingleShot(true);
    connect(&giveUp, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
    giveUp.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(m_messages, QStringList{generalErrorMessage()});
    QVERIFY2(shownFor >= 200, qPrintable(QString::number(shownFor)));
}

void TestMainWindow::errorsAfterTheWindowIsGoneAreDropped()
{
    auto w = start();
    QVERIFY(w);
    FailingObject failing;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&failing, &event); // queued for the window...
    QVERIFY(w->close());
    w.reset(); // ...which goes before showing it
    QCoreApplication::sendEvent(&failing, &event);
    QCoreApplication::processEvents();
    QVERIFY(m_messages.isEmpty());
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
