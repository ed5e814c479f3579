#pragma once

#include "PreparedPage.h"
#include "ReportTemplate.h"

#include <QDialog>

#include <exception>
#include <functional>

class QAction;
class QLabel;
class QPrinter;
class QPrintPreviewWidget;
class QSpinBox;
class QToolBar;

// The modal preview of a prepared report: opens maximized at 100 %, with a
// toolbar of the commands the report offers. Errors of its commands never
// leave it; they go to the error sink and the preview goes on.
class ReportPreview : public QDialog
{
    Q_OBJECT

public:
    using ErrorSink = std::function<void(QObject *sender, std::exception_ptr error)>;

    ReportPreview(ReportTemplate::Commands commands, QList<report::PreparedPage> pages,
                  QPrinter *printer, ErrorSink errorSink, QWidget *parent = nullptr);
    ~ReportPreview() override;

    const QList<report::PreparedPage> &pages() const { return m_pages; }
    QPrintPreviewWidget *previewWidget() const { return m_view; }
    QToolBar *toolBar() const { return m_toolBar; }

    // The commands of the toolbar, by object name: actPrint, actOpen, actSave,
    // actZoomIn, actZoomOut, actActualSize, actPageWidth, actWholePage,
    // actFullScreen, actFirstPage, actPriorPage, actNextPage, actLastPage,
    // actClose; nullptr for a command this report does not offer.
    QAction *command(QStringView objectName) const;

    // The commands themselves.
    void print();
    void openReport();
    void saveReport();
    void goToPage(int page);

    // What of the report the window shows, and where sheet `page` (from 1)
    // lies, both in the preview's scene coordinates.
    QRectF visiblePageArea() const;
    QRectF pageArea(int page) const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showTopOfCurrentPage();
    QAction *addCommand(const char *name, const QString &text, const QKeySequence &key,
                        const QIcon &icon);
    void paint(QPrinter *printer);
    void updateControls();
    void toggleFullScreen(bool on);
    template <typename F> void guarded(F &&action);
    template <typename F> void zoom(F &&change);

    QList<report::PreparedPage> m_pages;
    QPrinter *m_printer;
    ErrorSink m_errorSink;
    QToolBar *m_toolBar = nullptr;
    QPrintPreviewWidget *m_view = nullptr;
    QSpinBox *m_pageNumber = nullptr;
    QLabel *m_pageCount = nullptr;
    QLabel *m_zoom = nullptr;
};
