#include "TfrmMain.h"

#include "Application.h"
#include "ErrorMessages.h"
#include "HelpViewer.h"
#include "NumericField.h"
#include "Platform.h"
#include "ResultsGrid.h"
#include "ValueFile.h"
#include "Worksheet.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include <stdexcept>

TfrmMain *frmMain = nullptr;

namespace {

constexpr int buttonBarHeight = 33;
constexpr int statusBarHeight = 19;
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

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    auto *buttonBar = new QWidget(client);
    buttonBar->setObjectName(QStringLiteral("pnlButtonBar"));
    buttonBar->setGeometry(0, 0, Worksheet::width, buttonBarHeight);
    m_worksheet = new Worksheet(client);
    m_worksheet->move(0, buttonBarHeight);
    client->setFixedSize(Worksheet::width, buttonBarHeight + Worksheet::height);
    setCentralWidget(client);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("statusBar"));
    status->setSizeGripEnabled(false);
    status->setFixedHeight(statusBarHeight);
    setStatusBar(status);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    MnuFilePrint = new QAction(QStringLiteral("&Print Preview ..."), this);
    MnuFilePrint->setObjectName(QStringLiteral("MnuFilePrint"));
    MnuFilePrint->setEnabled(false);
    connect(m_worksheet, &Worksheet::allowPrintingRequested, this, &TfrmMain::AllowPrinting);
    // The error route shows the message once the focus change or key press
    // that failed is over, so its own event loop never runs in the middle of one.
    connect(m_worksheet, &Worksheet::recalculationFailed, this, &reportError);

    m_help = new HelpViewer(this);
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
    setWindowTitle(QString::fromLatin1(caption));
    m_sharedDataFolder = platform::sharedDataFolder();
    m_productFolder = QString::fromLatin1(platform::productFolder);
    m_applicationFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');

    if (Application *app = Application::instance()) {
        app->setErrorHandler(this, [this](QObject *sender, std::exception_ptr error) {
            AppOnException(sender, error);
        });
    }

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
    MnuFilePrint->setEnabled(true);
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
