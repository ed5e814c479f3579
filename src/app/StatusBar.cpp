#include "StatusBar.h"

#include "GoOnline.h"
#include "WebAddresses.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

constexpr int panelGap = 2;
// Left of this the pointer is a hand; beyond the link panel panel 1 shows the version.
constexpr int handLimit = StatusBar::linkPanelWidth - 5;

} // namespace

StatusBar::StatusBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("statusBar"));
    setFixedHeight(barHeight);
    setMouseTracking(true);
    for (QLabel *&panel : m_panels) {
        panel = new QLabel(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setLineWidth(1);
        panel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // The bar itself answers the pointer, over both panels.
        panel->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_panels[0]->setObjectName(QStringLiteral("statusBarPanel0"));
    m_panels[1]->setObjectName(QStringLiteral("statusBarPanel1"));
    m_panels[0]->setContentsMargins(3, 0, 0, 0);
    m_panels[1]->setContentsMargins(2, 1, 0, 0);
    m_panels[0]->setTextFormat(Qt::RichText);
    m_panels[0]->setText(web::statusBarLinkHtml());
    m_panels[0]->setAccessibleDescription(QStringLiteral("Link to the Vendalo web site"));
    m_panels[1]->setTextFormat(Qt::PlainText); // hints keep their blanks
    m_panels[1]->setText(QString::fromUtf8(welcomeText));
    m_panels[0]->setGeometry(0, 0, linkPanelWidth, barHeight);
    statusBarResize();
}

QString StatusBar::panelText(int panel) const
{
    return m_panels[panel]->text();
}

void StatusBar::setPanelText(int panel, const QString &text)
{
    m_panels[panel]->setText(text);
}

int StatusBar::panelWidth(int panel) const
{
    return m_panels[panel]->width();
}

QString StatusBar::versionText()
{
    return QStringLiteral(" Vendalo, 2.2.10") + QString(8, QLatin1Char(' ')) +
           web::ownershipNotice();
}

void StatusBar::statusBarResize()
{
    const int left = linkPanelWidth + panelGap;
    m_panels[1]->setGeometry(left, 0, std::max(width() - left, 0), barHeight);
}

void StatusBar::statusBarMouseMove(int x, int)
{
    setCursor(x < handLimit ? Qt::PointingHandCursor : Qt::ArrowCursor);
    m_panels[1]->setText(x > linkPanelWidth ? versionText() : QString::fromLatin1(linkText));
}

void StatusBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    statusBarResize();
}

void StatusBar::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    statusBarMouseMove(pos.x(), pos.y());
}

bool StatusBar::isOnLink(const QPoint &pos) const
{
    const QLabel *panel = m_panels[0];
    const QRect text = panel->contentsRect().adjusted(panel->contentsMargins().left(), 0, 0, 0);
    const int advance = panel->fontMetrics().horizontalAdvance(web::productSiteName());
    return pos.x() >= text.left() && pos.x() < text.left() + advance && pos.y() >= 0 &&
           pos.y() < barHeight;
}

void StatusBar::mousePressEvent(QMouseEvent *event)
{
    // Any button, on the press: the link reacts before the button comes up.
    if (isOnLink(event->position().toPoint()))
        web::openStatusBarLink(web::productHomePage());
    QWidget::mousePressEvent(event);
}
