#include "ReportPreview.h"

#include "Platform.h"
#include "ReportDialogs.h"
#include "ReportFile.h"
#include "ReportPainter.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QPageLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScrollBar>
#include <QShowEvent>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr double zoomStep = 1.25;

// The desktop theme's icon, else the one Qt's print support brings along,
// else a standard icon of the style.
QIcon themeIcon(const char *name, const char *builtIn, QStyle::StandardPixmap standard)
{
    const QString themeName = QString::fromLatin1(name);
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    if (builtIn) {
        QIcon icon;
        for (const char *size : {"24", "32"}) {
            const QString file =
                QStringLiteral(":/qt-project.org/dialogs/qprintpreviewdialog/images/%1-%2.png")
                    .arg(QLatin1StringView(builtIn), QLatin1StringView(size));
            if (QFile::exists(file))
                icon.addFile(file);
        }
        if (!icon.isNull())
            return icon;
    }
    if (standard != QStyle::SP_CustomBase)
        return QApplication::style()->standardIcon(standard);
    return {}; // the button shows its text
}

} // namespace

ReportPreview::ReportPreview(ReportTemplate::Commands commands, QList<report::PreparedPage> pages,
                             QPrinter *printer, ErrorSink errorSink, QWidget *parent)
    : QDialog(parent)
    , m_pages(std::move(pages))
    , m_printer(printer)
    , m_errorSink(std::move(errorSink))
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Preview"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setModal(true);
    resize(1000, 750); // the size to come back to from maximized
    setWindowState(Qt::WindowMaximized);

    m_printer->setPageLayout(report::letterLayout());
    m_printer->setFullPage(true);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("tbrPreview"));
    // Icons keep the toolbar narrow enough for small screens; the names are
    // in the tips, and every command has its key.
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setIconSize(QSize(24, 24));
    m_view = new QPrintPreviewWidget(m_printer, this);
    m_view->setObjectName(QStringLiteral("pvwReport"));
    m_view->setViewMode(QPrintPreviewWidget::SinglePageView);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_view, 1);

    if (commands & ReportTemplate::Command::Print) {
        connect(addCommand("actPrint", QStringLiteral("&Print ..."), QKeySequence::Print,
                           themeIcon("document-print", "printer", QStyle::SP_CustomBase)),
                &QAction::triggered, this, &ReportPreview::print);
    }
    if (commands & ReportTemplate::Command::OpenSave) {
        connect(addCommand("actOpen", QStringLiteral("&Open ..."), QKeySequence::Open,
                           themeIcon("document-open", nullptr, QStyle::SP_DialogOpenButton)),
                &QAction::triggered, this, &ReportPreview::openReport);
        connect(addCommand("actSave", QStringLiteral("&Save ..."), QKeySequence::Save,
                           themeIcon("document-save", nullptr, QStyle::SP_DialogSaveButton)),
                &QAction::triggered, this, &ReportPreview::saveReport);
    }
    m_toolBar->addSeparator();

    QAction *zoomIn = addCommand("actZoomIn", QStringLiteral("Zoom &In"), QKeySequence::ZoomIn,
                                 themeIcon("zoom-in", "zoom-in", QStyle::SP_CustomBase));
    zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomIn, &QAction::triggered, this,
            [this] { zoom([this] { m_view->zoomIn(zoomStep); }); });
    connect(addCommand("actZoomOut", QStringLiteral("Zoom &Out"), QKeySequence::ZoomOut,
                       themeIcon("zoom-out", "zoom-out", QStyle::SP_CustomBase)),
            &QAction::triggered, this, [this] { zoom([this] { m_view->zoomOut(zoomStep); }); });
    connect(addCommand("actActualSize", QStringLiteral("&Actual Size"),
                       QKeySequence(Qt::CTRL | Qt::Key_0),
                       themeIcon("zoom-original", nullptr, QStyle::SP_CustomBase)),
            &QAction::triggered, this, [this] { zoom([this] { m_view->setZoomFactor(1.0); }); });
    connect(addCommand("actPageWidth", QStringLiteral("Page &Width"),
                       QKeySequence(Qt::CTRL | Qt::Key_1),
                       themeIcon("zoom-fit-width", "zoom-fit-width", QStyle::SP_CustomBase)),
            &QAction::triggered, this, [this] { zoom([this] { m_view->fitToWidth(); }); });
    connect(addCommand("actWholePage", QStringLiteral("Whole Pa&ge"),
                       QKeySequence(Qt::CTRL | Qt::Key_2),
                       themeIcon("zoom-fit-best", "zoom-fit-page", QStyle::SP_CustomBase)),
            &QAction::triggered, this, [this] { zoom([this] { m_view->fitInView(); }); });
    m_zoom = new QLabel(m_toolBar);
    m_zoom->setObjectName(QStringLiteral("lblZoom"));
    m_zoom->setMinimumWidth(m_zoom->fontMetrics().horizontalAdvance(QStringLiteral(" 8888 % ")));
    m_zoom->setAlignment(Qt::AlignCenter);
    m_toolBar->addWidget(m_zoom);
    QAction *fullScreen =
        addCommand("actFullScreen", QStringLiteral("F&ull Screen"), QKeySequence(Qt::Key_F11),
                   themeIcon("view-fullscreen", nullptr, QStyle::SP_TitleBarMaxButton));
    fullScreen->setCheckable(true);
    connect(fullScreen, &QAction::toggled, this,
            [this](bool on) { guarded([this, on] { toggleFullScreen(on); }); });

    if (commands & ReportTemplate::Command::PageNavigation) {
        m_toolBar->addSeparator();
        connect(addCommand("actFirstPage", QStringLiteral("&First Page"),
                           QKeySequence(Qt::CTRL | Qt::Key_Home),
                           themeIcon("go-first", "go-first", QStyle::SP_MediaSkipBackward)),
                &QAction::triggered, this, [this] { goToPage(1); });
        connect(addCommand("actPriorPage", QStringLiteral("P&rior Page"),
                           QKeySequence(Qt::Key_PageUp),
                           themeIcon("go-previous", "go-previous", QStyle::SP_ArrowBack)),
                &QAction::triggered, this, [this] { goToPage(m_view->currentPage() - 1); });
        auto *pageLabel = new QLabel(QStringLiteral(" Pag&e "), m_toolBar);
        m_pageNumber = new QSpinBox(m_toolBar);
        m_pageNumber->setObjectName(QStringLiteral("spnPageNumber"));
        m_pageNumber->setAccessibleName(QStringLiteral("Page number"));
        m_pageNumber->setKeyboardTracking(false);
        pageLabel->setBuddy(m_pageNumber);
        m_pageCount = new QLabel(m_toolBar);
        m_pageCount->setObjectName(QStringLiteral("lblPageCount"));
        m_toolBar->addWidget(pageLabel);
        m_toolBar->addWidget(m_pageNumber);
        m_toolBar->addWidget(m_pageCount);
        connect(m_pageNumber, &QSpinBox::valueChanged, this, [this](int page) { goToPage(page); });
        connect(addCommand("actNextPage", QStringLiteral("&Next Page"),
                           QKeySequence(Qt::Key_PageDown),
                           themeIcon("go-next", "go-next", QStyle::SP_ArrowForward)),
                &QAction::triggered, this, [this] { goToPage(m_view->currentPage() + 1); });
        connect(addCommand("actLastPage", QStringLiteral("&Last Page"),
                           QKeySequence(Qt::CTRL | Qt::Key_End),
                           themeIcon("go-last", "go-last", QStyle::SP_MediaSkipForward)),
                &QAction::triggered, this, [this] { goToPage(m_view->pageCount()); });
    }
    m_toolBar->addSeparator();
    connect(addCommand("actClose", QStringLiteral("&Close"), QKeySequence(Qt::Key_Escape),
                       themeIcon("window-close", nullptr, QStyle::SP_DialogCloseButton)),
            &QAction::triggered, this, &QDialog::reject);

    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paint);
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::updateControls);

    m_view->updatePreview();
    m_view->setZoomFactor(1.0);
    updateControls();
}

ReportPreview::~ReportPreview() = default;

QAction *ReportPreview::addCommand(const char *name, const QString &text, const QKeySequence &key,
                                   const QIcon &icon)
{
    auto *action = new QAction(icon, text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    QString tip = text;
    tip.remove(QLatin1Char('&'));
    if (tip.endsWith(QStringLiteral(" ...")))
        tip.chop(4);
    action->setToolTip(QStringLiteral("%1 (%2)").arg(tip, key.toString(QKeySequence::NativeText)));
    m_toolBar->addAction(action);
    addAction(action); // reachable by its key when the toolbar is hidden too
    return action;
}

QAction *ReportPreview::command(QStringView objectName) const
{
    for (QAction *action : actions()) {
        if (action->objectName() == objectName)
            return action;
    }
    return nullptr;
}

template <typename F> void ReportPreview::guarded(F &&action)
{
    // Nothing may unwind through the toolkit's event loop: what fails here
    // goes to the owner, and the preview stays open.
    try {
        action();
    } catch (...) {
        if (m_errorSink) {
            m_errorSink(this, std::current_exception());
        } else {
            try {
                throw;
            } catch (const std::exception &e) {
                platform::showInformation(this, QString::fromUtf8(e.what()));
            } catch (...) {
                platform::showInformation(this, QStringLiteral("The report could not be shown."));
            }
        }
    }
}

void ReportPreview::paint(QPrinter *printer)
{
    guarded([this, printer] { report::paintPages(*printer, m_pages); });
}

void ReportPreview::print()
{
    guarded([this] {
        // Every print starts from one collated copy of all pages.
        m_printer->setCopyCount(1);
        m_printer->setCollateCopies(true);
        m_printer->setPrintRange(QPrinter::AllPages);
        m_printer->setFromTo(0, 0);
        const int pageCount = int(m_pages.size());
        if (!reportdialogs::askPrintSettings(*m_printer, pageCount, this))
            return;
        report::printReport(*m_printer, m_pages, m_view->currentPage());
    });
}

void ReportPreview::openReport()
{
    guarded([this] {
        const QString fileName = reportdialogs::openFileName(this);
        if (fileName.isEmpty())
            return;
        // Only a file read whole and found sound replaces what is shown.
        m_pages = report::loadReportFile(fileName);
        m_view->updatePreview();
        m_view->setCurrentPage(1);
        updateControls();
    });
}

void ReportPreview::saveReport()
{
    guarded([this] {
        QString fileName = reportdialogs::saveFileName(this);
        if (fileName.isEmpty())
            return;
        if (QFileInfo(fileName).suffix().isEmpty())
            fileName += QLatin1Char('.') + QLatin1StringView(report::reportFileSuffix);
        report::saveReportFile(fileName, m_pages);
    });
}

void ReportPreview::goToPage(int page)
{
    guarded([this, page] {
        m_view->setCurrentPage(qBound(1, page, qMax(1, m_view->pageCount())));
        showTopOfCurrentPage();
        updateControls();
    });
}

void ReportPreview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Once the window has its size, start at the top of the page, where the
    // report's title is, rather than in the middle of it.
    QTimer::singleShot(0, this, [this] { goToPage(m_view->currentPage()); });
}

QRectF ReportPreview::visiblePageArea() const
{
    const auto *view = m_view->findChild<QGraphicsView *>();
    if (!view)
        return {};
    return view->mapToScene(view->viewport()->rect()).boundingRect();
}

QRectF ReportPreview::pageArea(int page) const
{
    const auto *view = m_view->findChild<QGraphicsView *>();
    if (!view || !view->scene())
        return {};
    // The preview keeps one top-level item per sheet, in page order.
    QList<QGraphicsItem *> sheets;
    for (QGraphicsItem *item : view->scene()->items(Qt::AscendingOrder)) {
        if (!item->parentItem())
            sheets.append(item);
    }
    if (page < 1 || page > sheets.size())
        return {};
    // An item stands at the sheet's top-left corner; its bounds take in a
    // shadow around it. The scene counts the printer's pixels.
    const QSizeF paper = m_printer->pageLayout().fullRectPixels(m_printer->resolution()).size();
    return QRectF(sheets.at(page - 1)->scenePos(), paper);
}

void ReportPreview::showTopOfCurrentPage()
{
    auto *view = m_view->findChild<QGraphicsView *>();
    const QRectF sheet = pageArea(m_view->currentPage());
    if (!view || sheet.isEmpty())
        return;
    const QRectF visible = visiblePageArea();
    if (sheet.height() <= visible.height())
        return;           // the whole sheet is in view already
    const int margin = 8; // pixels of the background above the sheet
    const int top = view->mapFromScene(QPointF(sheet.center().x(), sheet.top())).y();
    QScrollBar *bar = view->verticalScrollBar();
    bar->setValue(bar->value() + top - margin);
}

template <typename F> void ReportPreview::zoom(F &&change)
{
    guarded([this, &change] {
        change();
        updateControls();
    });
}

void ReportPreview::toggleFullScreen(bool on)
{
    if (on)
        setWindowState(windowState() | Qt::WindowFullScreen);
    else
        setWindowState((windowState() & ~Qt::WindowFullScreen) | Qt::WindowMaximized);
}

void ReportPreview::updateControls()
{
    m_zoom->setText(QStringLiteral("%1 %").arg(qRound(m_view->zoomFactor() * 100)));
    if (!m_pageNumber)
        return;
    const int count = m_view->pageCount();
    const int current = m_view->currentPage();
    {
        const QSignalBlocker block(m_pageNumber);
        m_pageNumber->setRange(count > 0 ? 1 : 0, count);
        m_pageNumber->setValue(current);
    }
    m_pageCount->setText(QStringLiteral(" of %1 ").arg(count));
    command(u"actFirstPage")->setEnabled(current > 1);
    command(u"actPriorPage")->setEnabled(current > 1);
    command(u"actNextPage")->setEnabled(current < count);
    command(u"actLastPage")->setEnabled(current < count);
}
