#include "HelpBrowser.h"

#include <QHelpEngineCore>
#include <QTextDocument>

namespace {

QString missingPage(const QUrl &page)
{
    return QStringLiteral("<html><body><h2>This page is missing</h2>"
                          "<p>The help file holds no page <b>%1</b>. Choose another topic "
                          "from the contents at the left.</p></body></html>")
        .arg(page.path().toHtmlEscaped());
}

} // namespace

HelpBrowser::HelpBrowser(QHelpEngineCore *engine, QWidget *parent)
    : QTextBrowser(parent)
    , m_engine(engine)
{
    setObjectName(QStringLiteral("helpBrowser"));
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    // A page's stylesheet and pictures come with addresses relative to it.
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (url.scheme() != QLatin1StringView("qthelp"))
        return QTextBrowser::loadResource(type, url);

    const QByteArray content = m_engine->fileData(url.adjusted(QUrl::RemoveFragment));
    switch (type) {
    case QTextDocument::HtmlResource:
        if (content.isEmpty())
            return missingPage(url);
        return content;
    case QTextDocument::StyleSheetResource:
        return QString::fromUtf8(content);
    default:
        return content;
    }
}
