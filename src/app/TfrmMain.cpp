#include "TfrmMain.h"

#include "Application.h"
#include "Artwork.h"
#include "ButtonBar.h"
#include "Commands.h"
#include "ErrorMessages.h"
#include "GoOnline.h"
#include "HelpViewer.h"
#include "HintRouter.h"
#include "Hints.h"
#include "NumericField.h"
#include "Platform.h"
#include "Reports.h"
#include "ResultsGrid.h"
#include "StatusBar.h"
#include "TfrmAbout.h"
#include "TfrmDisclaim.h"
#include "UrlLauncher.h"
#include "ValueFile.h"
#include "VistaAltFix.h"
#include "Worksheet.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>

#include <stdexcept>

TfrmMain *frmMain = nullptr;

namespace {

constexpr int narrowestScreen = 800;
constexpr int tipShowDelay = 400;
constexpr int tipHideDelay = 4000;

QString narrowScreenMessage()
{
    return QStringLiteral("This software requires a screen resolution\r\nof at least 800x600.  "
                          "You must change your\r\nscreen resolution to view\r\nall of Vendalo.");
}

} // namespace

TfrmMain::TfrmMain(QWidget *parent)
    : QMainWindow(parent)
{
    frmMain = this;
    setObjectName(QStringLiteral("frmMain"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(art::icon(art::programIcon));
    hints::setHelpContext(this, windowHelpContext);

    // The client area: toolbar, worksheet, and the status bar along the
    // bottom of the worksheet's lower panel.
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(clientWidth, clientHeight);
    m_worksheet = new Worksheet(client);
    m_worksheet->move(0, ButtonBar::barHeight);
    m_statusBar = new StatusBar(client);
    m_statusBar->setGeometry(1, clientHeight - StatusBar::barHeight, clientWidth - 2,
                             StatusBar::barHeight);

    // The title label lies mostly under the toolbar: only its bottom strip
    // shows, and that strip is what reacts to the pointer.
    lblMainMenu = new QLabel(QStringLiteral("Home Sales Transaction Details"), client);
    lblMainMenu->setObjectName(QStringLiteral("lblMainMenu"));
    lblMainMenu->setGeometry(15, 12, 282, 27);
    lblMainMenu->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont titleFont;
    titleFont.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    titleFont.setPixelSize(19);
    lblMainMenu->setFont(titleFont);
    lblMainMenu->setForegroundRole(QPalette::ButtonText);
    lblMainMenu->setCursor(Qt::PointingHandCursor); // lblMainMenuMouseMove
    lblMainMenu->installEventFilter(this);

    m_buttonBar = new ButtonBar(client);
    m_buttonBar->setGeometry(0, 0, clientWidth, ButtonBar::barHeight);
    urlOnline = new UrlLauncher(m_buttonBar);
    urlOnline->setObjectName(QStringLiteral("urlOnline"));
    urlOnline->hide();
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    commands::build(*this, *m_buttonBar);
    MnuFilePrint = findChild<QAction *>(QStringLiteral("MnuFilePrint"));
    mnuPopMain = findChild<QAction *>(QStringLiteral("mnuPopMain"));
    MnuPopup = findChild<QMenu *>(QStringLiteral("MnuPopup"));
    mnuPopReset = findChild<QMenu *>(QStringLiteral("mnuPopReset"));
    btnPrint = m_buttonBar->findChild<QToolButton *>(QStringLiteral("btnPrint"));
    btnReset = m_buttonBar->findChild<QToolButton *>(QStringLiteral("btnReset"));

    // MnuPopup is the context menu of the window and of the worksheet panel.
    QWidget *pnlMain = m_worksheet->findChild<QWidget *>(QStringLiteral("pnlMain"));
    for (QWidget *owner : {static_cast<QWidget *>(this), pnlMain}) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this,
                [this, owner](const QPoint &pos) { MnuPopup->popup(owner->mapToGlobal(pos)); });
    }

    connect(m_worksheet, &Worksheet::allowPrintingRequested, this, &TfrmMain::AllowPrinting);
    // The error route shows the message once the focus change or key press
    // that failed is over, so its own event loop never runs in the middle of one.
    connect(m_worksheet, &Worksheet::recalculationFailed, this, &reportError);

    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &TfrmMain::showHelpForFocus);
    // The reset menu's button never takes the focus; Ctrl+R opens the menu
    // from the keyboard, where the button would.
    auto *resetKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this);
    resetKey->setContext(Qt::WindowShortcut);
    connect(resetKey, &QShortcut::activated, this,
            [this] { runHandler(&TfrmMain::btnResetClick, btnReset); });

    m_help = new HelpViewer(this);
    m_reports = new Reports(this);
    m_reports->setErrorSink(&reportError);
    bindStoredValues();

    FormCreate();

    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

TfrmMain::~TfrmMain()
{
    // FormDestroy
    if (frmMain == this)
        frmMain = nullptr;
}

void TfrmMain::FormCreate()
{
    // A top-level Qt window has its own taskbar entry, so there is no
    // application window to hide from the taskbar.
    m_altFix = new TVistaAltFix(this);
    setWindowTitle(QString::fromLatin1(caption));
    m_sharedDataFolder = platform::sharedDataFolder();
    m_productFolder = QString::fromLatin1(platform::productFolder);
    m_applicationFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');

    if (Application *app = Application::instance()) {
        app->setErrorHandler(this, [this](QObject *sender, std::exception_ptr error) {
            AppOnException(sender, error);
        });
    }
    m_hints = new HintRouter(this);
    connect(m_hints, &HintRouter::hintChanged, this, &TfrmMain::AppOnHint);

    try {
        LoadValueFile();
        m_startupMonthName = QLocale().monthName(platform::now().date().month(), QLocale::LongFormat);
        m_help->setHelpFile(m_applicationFolder + QStringLiteral("vdl.qch"));
        if (Application *app = Application::instance())
            app->setTipDelays(tipShowDelay, tipHideDelay);
        m_worksheet->grid()->prepare();
        if (!m_hasRun) {
            m_lastUpdate = platform::now();
            try {
                m_help->showTopic(firstRunHelpTopic);
            } catch (...) {
                m_hasRun = true;
                throw;
            }
        }
        if (platform::primaryScreenWidth() < narrowestScreen)
            platform::showInformation(this, narrowScreenMessage());
        m_hasRun = true;
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    } catch (...) {
        reportError(this, std::current_exception());
    }
}

void TfrmMain::AllowPrinting()
{
    btnPrint->setEnabled(true);
    MnuFilePrint->setEnabled(true);
}

void TfrmMain::MainMenuLabelOn()
{
    QFont font = lblMainMenu->font();
    font.setUnderline(true);
    lblMainMenu->setFont(font);
}

void TfrmMain::EnableMnuCalcItems()
{
    mnuPopMain->setEnabled(true);
}

void TfrmMain::runHandler(void (TfrmMain::*handler)(QObject *), QObject *sender)
{
    try {
        (this->*handler)(sender);
    } catch (...) {
        reportError(sender, std::current_exception());
    }
}

void TfrmMain::AppOnHint()
{
    m_statusBar->setPanelText(1, hints::longPart(m_hints->currentHint()));
}

void TfrmMain::Print(QObject *)
{
    m_reports->PrintNetGainAfterSale(*m_worksheet);
}

void TfrmMain::MnuFilePrintSetupClick(QObject *)
{
    m_reports->MnuFilePrintSetupClick(this);
}

void TfrmMain::MnuFileExitClick(QObject *)
{
    close();
}

void TfrmMain::PrintHomeInspectionForm(QObject *)
{
    m_reports->PrintHomeInspectionForm();
}

void TfrmMain::PrintToDoList(QObject *)
{
    m_reports->PrintToDoList();
}

void TfrmMain::GoOnline(QObject *sender)
{
    web::GoOnline(sender, urlOnline);
}

void TfrmMain::MnuHelpContentsClick(QObject *)
{
    m_help->showContents();
}

void TfrmMain::MnuHelpDisclaimerClick(QObject *)
{
    TfrmDisclaim::openModal(this, [this](QWidget *dialog) { CenterForm(dialog); });
}

void TfrmMain::MnuHelpAboutClick(QObject *)
{
    TfrmAbout::openModal(this, [this](QWidget *dialog) { CenterForm(dialog); });
}

void TfrmMain::btnHelpClick(QObject *)
{
    m_help->showTopic(helpButtonTopic);
}

void TfrmMain::showHelpForFocus()
{
    QWidget *focus = QApplication::focusWidget();
    m_help->showTopic(hints::nearestHelpContext(focus && isAncestorOf(focus) ? focus : this));
}

void TfrmMain::btnResetClick(QObject *)
{
    // At a fixed place from the window's outer top-left corner, as the reset
    // menu always opened.
    const QRect frame = frameGeometry();
    mnuPopReset->popup(QPoint(frame.left() + btnReset->x() + 5, frame.top() + btnReset->y() + 70));
}

void TfrmMain::gotoChosenCalculator(QObject *)
{
    MainMenuLabelOn();
    EnableMnuCalcItems();
    AllowPrinting();
    btnReset->setEnabled(true);
    m_worksheet->field(u"edtVDPOriginalLoanAmount")->setFocus(Qt::OtherFocusReason);
}

void TfrmMain::ResetCalculators(QObject *sender)
{
    if (sender && sender->objectName() == u"mnuResetThisZero")
        m_valueSet = 0;
    else if (sender && sender->objectName() == u"mnuResetSamples")
        m_valueSet = 1;
    else
        return;
    ApplyValueSet(sender);
}

void TfrmMain::ApplyValueSet(QObject *sender)
{
    const StoredValues set = m_valueSet != 0 ? sampleValues() : zeroValues();
    for (const char *name : valueSetOrder()) {
        const QString target = QLatin1StringView(name);
        if (target == QLatin1StringView(closingMonthTarget))
            m_values.write(target, m_startupMonthName);
        else
            m_values.write(target, set.value(target));
    }
    m_worksheet->CalcVDP(sender);
    m_worksheet->field(u"edtVDPOriginalLoanAmount")->setFocus(Qt::OtherFocusReason);
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblMainMenu && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
        lblMainMenu->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
        runHandler(&TfrmMain::gotoChosenCalculator, lblMainMenu);
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::CenterForm(QWidget *dialog) const
{
    const QRect main = frameGeometry();
    const QRect own = dialog->frameGeometry();
    // Integer division truncates toward zero, as the placement rule wants.
    const int left = std::max(main.left() + (main.width() - own.width()) / 2, 0);
    const int top = std::max(main.top() + (main.height() - own.height()) / 2, 0);
    dialog->move(left, top);
}

void TfrmMain::AppOnException(QObject *, std::exception_ptr error)
{
    showErrorMessage(this, error);
}

QString TfrmMain::valueFilePath() const
{
    return m_sharedDataFolder + m_productFolder + QStringLiteral("vdl.ini");
}

void TfrmMain::bindStoredValues()
{
    const auto state = [this](const char *target, QMetaType type, ValueBindings::Reader read,
                              ValueBindings::Writer write) {
        m_values.bind(QLatin1StringView(target), type, std::move(read), std::move(write));
    };
    state(stateValueSet, QMetaType::fromType<int>(), [this] { return m_valueSet; },
          [this](const QVariant &v) { m_valueSet = v.toInt(); });
    state(stateStartupMonth, QMetaType::fromType<QString>(), [this] { return m_startupMonthName; },
          [this](const QVariant &v) { m_startupMonthName = v.toString(); });
    state(stateHasRun, QMetaType::fromType<bool>(), [this] { return m_hasRun; },
          [this](const QVariant &v) { m_hasRun = v.toBool(); });
    state(stateLastUpdate, QMetaType::fromType<QDateTime>(), [this] { return m_lastUpdate; },
          [this](const QVariant &v) { m_lastUpdate = v.toDateTime(); });
    m_values.bindWorksheet(m_worksheet);
}

void TfrmMain::LoadValueFile()
{
    StoredValues defaults = sampleValues();
    defaults.insert(QLatin1StringView(stateValueSet), 1);
    defaults.insert(QLatin1StringView(stateStartupMonth), m_startupMonthName);
    defaults.insert(QLatin1StringView(stateHasRun), false);
    defaults.insert(QLatin1StringView(stateLastUpdate), platform::now());

    const StoredValues values = ValueFile(valueFilePath()).load(defaults);
    for (const ValueKey &key : valueKeys()) {
        const QString target = QLatin1StringView(key.target);
        m_values.write(target, values.value(target));
    }
}

void TfrmMain::SaveValueFile()
{
    StoredValues values;
    for (const ValueKey &key : valueKeys()) {
        const QString target = QLatin1StringView(key.target);
        values.insert(target, m_values.read(target));
    }

    const QString path = valueFilePath();
    const bool folderReady = QDir().mkpath(m_sharedDataFolder + m_productFolder);
    if (!folderReady || !ValueFile(path).save(values))
        throw std::runtime_error("Unable to write to " + QDir::toNativeSeparators(path).toStdString());
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    // The close goes ahead even when storing the figures fails: the error is
    // reported and this run's values are not kept.
    event->accept();
    try {
        FormClose();
    } catch (...) {
        reportError(this, std::current_exception());
    }
}

bool TfrmMain::FormCloseQuery()
{
    return true;
}

void TfrmMain::FormClose()
{
    m_help->closeAll();
    SaveValueFile();
}
