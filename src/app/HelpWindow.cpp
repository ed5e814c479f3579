#include "HelpWindow.h"

#include "HelpBrowser.h"
#include "Platform.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpLink>
#include <QIcon>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int contentsWidth = 240;
constexpr int pageWidth = 620;
constexpr int windowHeight = 600;

QString cannotOpen(const QString &file, const QString &reason)
{
    QString html = QStringLiteral("<html><body><h2>No help available</h2>"
                                  "<p>The help file <b>%1</b> could not be opened.</p>")
                       .arg(QDir::toNativeSeparators(file).toHtmlEscaped());
    if (!reason.isEmpty())
        html += QStringLiteral("<p>%1</p>").arg(reason.toHtmlEscaped());
    html += QStringLiteral("<p>Vendalo looks for its help in the files vdl.qch and vdl.qhc "
                           "beside the program. Installing Vendalo again puts them back.</p>"
                           "</body></html>");
    return html;
}

QString noTopic(int context)
{
    return QStringLiteral("<html><body><h2>No topic for this part of Vendalo</h2>"
                          "<p>The help file has no topic number %1. Choose a topic from the "
                          "contents at the left.</p></body></html>")
        .arg(context);
}

} // namespace

HelpWindow::HelpWindow(const QString &helpFile, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_helpFile(helpFile)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QString::fromLatin1(title));
    // Closing the help never ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_engine = new QHelpEngine(collectionFile(), this);
    m_engine->setReadOnly(true);
    m_problem = openHelp();

    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("helpToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"));
    m_back->setObjectName(QStringLiteral("helpBack"));
    m_back->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Left), QKeySequence(Qt::Key_Back)});
    m_back->setEnabled(false);
    m_forward =
        bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Forward"));
    m_forward->setObjectName(QStringLiteral("helpForward"));
    m_forward->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_Right), QKeySequence(Qt::Key_Forward)});
    m_forward->setEnabled(false);
    m_home = bar->addAction(QIcon(QStringLiteral(":/icons/brand.svg")), QStringLiteral("&Home"));
    m_home->setObjectName(QStringLiteral("helpHome"));
    m_home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));

    m_browser = new HelpBrowser(m_engine, this);
    m_browser->setOpenLinks(false);

    QHelpContentWidget *contents = m_engine->contentWidget();
    contents->setObjectName(QStringLiteral("helpContents"));
    contents->setHeaderHidden(true);
    m_contents = contents;

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("helpSplitter"));
    splitter->addWidget(contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({contentsWidth, pageWidth});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(splitter);
    resize(contentsWidth + pageWidth, windowHeight);

    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_home, &QAction::triggered, this, [this] { showTopic(homeContext); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl &page) {
        m_showingMessage = false;
        markInContents(page);
    });
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::openPage);
    connect(m_engine->contentModel(), &QHelpContentModel::contentsCreated, this, [this] {
        m_contentsLoaded = true;
        m_contents->expandAll();
        markInContents(currentPage());
        Q_EMIT contentsLoaded();
    });

    if (!isHelpOpen())
        showMessage(m_problem);
}

HelpWindow::~HelpWindow() = default;

QString HelpWindow::collectionFile() const
{
    const QFileInfo help(m_helpFile);
    return help.dir().filePath(help.completeBaseName() + QStringLiteral(".qhc"));
}

// Opens the collection and checks every help file it names, so that a missing
// or damaged file shows up here and not as an empty page later.
QString HelpWindow::openHelp()
{
    const QString collection = collectionFile();
    if (!QFileInfo(collection).isFile())
        return cannotOpen(collection, QStringLiteral("The file does not exist."));
    if (!m_engine->setupData())
        return cannotOpen(collection, m_engine->error());

    const QStringList namespaces = m_engine->registeredDocumentations();
    if (namespaces.isEmpty())
        return cannotOpen(collection, QStringLiteral("It lists no help topics."));
    for (const QString &name : namespaces) {
        const QString file = m_engine->documentationFileName(name);
        if (!QFileInfo(file).isFile())
            return cannotOpen(file, QStringLiteral("The file does not exist."));
        if (QHelpEngineCore::namespaceName(file) != name)
            return cannotOpen(file, QStringLiteral("The file is damaged."));
    }
    return {};
}

QUrl HelpWindow::topicUrl(int context) const
{
    if (!isHelpOpen())
        return {};
    const QList<QHelpLink> links = m_engine->documentsForIdentifier(QString::number(context));
    return links.isEmpty() ? QUrl() : links.first().url;
}

void HelpWindow::showTopic(int context)
{
    if (!isHelpOpen()) {
        showMessage(m_problem);
    } else {
        const QUrl topic = topicUrl(context);
        if (topic.isEmpty())
            showMessage(noTopic(context));
        else
            openPage(topic);
    }
    bringToFront();
}

void HelpWindow::showContents()
{
    if (isHelpOpen() && currentPage().isEmpty())
        openPage(topicUrl(homeContext));
    bringToFront();
    m_contents->setFocus(Qt::OtherFocusReason);
}

QUrl HelpWindow::currentPage() const
{
    return m_showingMessage ? QUrl() : m_browser->source();
}

QString HelpWindow::currentText() const
{
    return m_browser->toPlainText();
}

void HelpWindow::openPage(const QUrl &url)
{
    if (url.isEmpty())
        return;
    m_browser->setSource(url);
    // A page already on show is not loaded again and sends no change; the
    // contents still follow it.
    m_showingMessage = false;
    markInContents(url);
}

void HelpWindow::followLink(const QUrl &url)
{
    if (url.scheme() == QLatin1StringView("qthelp")) {
        openPage(url);
        return;
    }
    static const QStringList outside = {QStringLiteral("http"), QStringLiteral("https"),
                                        QStringLiteral("mailto")};
    if (outside.contains(url.scheme()) && !platform::openUrl(url.toString()))
        platform::beep();
}

void HelpWindow::showMessage(const QString &html)
{
    m_browser->setHtml(html);
    m_showingMessage = true;
    m_contents->clearSelection();
}

QModelIndex HelpWindow::contentsIndexOf(const QUrl &page) const
{
    // The entry of exactly that address (a section of a page), else the
    // first entry of the page itself.
    const QHelpContentModel *model = m_engine->contentModel();
    const QUrl pageOnly = page.adjusted(QUrl::RemoveFragment);
    QModelIndex samePage;
    QList<QModelIndex> pending = {QModelIndex()};
    while (!pending.isEmpty()) {
        const QModelIndex parent = pending.takeFirst();
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, 0, parent);
            const QHelpContentItem *item = model->contentItemAt(index);
            if (!item)
                continue;
            if (item->url() == page)
                return index;
            if (!samePage.isValid() && item->url().adjusted(QUrl::RemoveFragment) == pageOnly)
                samePage = index;
            pending.append(index);
        }
    }
    return samePage;
}

void HelpWindow::markInContents(const QUrl &page)
{
    if (!m_contentsLoaded || page.isEmpty())
        return;
    const QModelIndex index = contentsIndexOf(page);
    if (index.isValid()) {
        m_contents->setCurrentIndex(index);
        m_contents->scrollTo(index);
    }
}

void HelpWindow::bringToFront()
{
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}
