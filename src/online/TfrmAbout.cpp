#include "TfrmAbout.h"

#include "Artwork.h"
#include "BevelPanel.h"
#include "DialogFonts.h"
#include "Platform.h"
#include "UrlLauncher.h"
#include "WebAddresses.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <memory>

TfrmAbout *frmAbout = nullptr;

namespace {

constexpr QSize logoSize(438, 76);
constexpr QSize aboutIconSize(32, 32);
constexpr QSize buttonIconSize(16, 16);

} // namespace

void TfrmAbout::openModal(QWidget *mainWindow, const CenterFormFn &centerForm)
{
    if (mainWindow)
        mainWindow->repaint();
    std::unique_ptr<TfrmAbout> dialog(new TfrmAbout(centerForm));
    frmAbout = dialog.get();
    dialog->exec();
}

TfrmAbout::TfrmAbout(const CenterFormFn &centerForm)
    : QDialog(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(clientWidth, clientHeight);
    setFont(dialogfonts::tahoma8());

    pnlGraphic = new BevelPanel(this);
    pnlGraphic->setObjectName(QStringLiteral("pnlGraphic"));
    pnlGraphic->setGeometry(3, 3, clientWidth - 6, 85);
    QPalette white = pnlGraphic->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnlGraphic->setPalette(white);

    imgLogo = new QLabel(pnlGraphic);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setGeometry(QRect(QPoint(2, 2), logoSize));
    imgLogo->setPixmap(art::pixmap(art::banner, logoSize, devicePixelRatioF()));
    imgLogo->setToolTip(QStringLiteral("Click to visit our web site ..."));
    imgLogo->setCursor(Qt::PointingHandCursor);
    imgLogo->installEventFilter(this);

    urlSupport = new UrlLauncher(this);
    urlSupport->setObjectName(QStringLiteral("urlSupport"));
    urlSupport->setGeometry(13, 94, 133, 14);
    QFont link = dialogfonts::arial8();
    link.setUnderline(true);
    urlSupport->setFont(link);
    urlSupport->setText(QString::fromLatin1(web::supportAddress));
    urlSupport->setAddress(web::supportMailLink());
    urlSupport->setToolTip(QStringLiteral("Click here to request email support."));

    imgAboutIcon = new QLabel(this);
    imgAboutIcon->setObjectName(QStringLiteral("imgAboutIcon"));
    imgAboutIcon->setGeometry(QRect(QPoint(16, 121), aboutIconSize));
    imgAboutIcon->setPixmap(art::pixmap(art::programIcon, aboutIconSize, devicePixelRatioF()));
    imgAboutIcon->setCursor(Qt::PointingHandCursor);
    imgAboutIcon->installEventFilter(this);

    lblTitle = label("lblTitle", 56, 116);
    lblTitle->setText(QStringLiteral("Vendalo"));
    lblTitle->adjustSize();
    lblVersion = label("lblVersion", 56, 132);
    lblCompileDate = label("lblCompileDate", 56, 148);

    lblCopyright = label("lblCopyright", 13, 196);
    lblCopyright->setText(web::ownershipNotice());
    lblRightsReserved = label("lblRightsReserved", 13, 212);
    lblRightsReserved->setText(
        QStringLiteral("All rights not granted by the license agreement are reserved worldwide."));
    lblProtection = label("lblProtection", 13, 228);
    lblProtection->setText(
        QStringLiteral("This program is protected by copyright law and international treaties."));
    for (QLabel *notice : {lblCopyright, lblRightsReserved, lblProtection})
        notice->adjustSize();

    btnShowLicense = new QPushButton(QStringLiteral("Read &License"), this);
    btnShowLicense->setObjectName(QStringLiteral("btnShowLicense"));
    btnShowLicense->setGeometry(230, 252, 103, 26);
    btnShowLicense->setIcon(art::icon(art::licenseButton));
    btnShowLicense->setIconSize(buttonIconSize);
    btnShowLicense->setAutoDefault(false);
    connect(btnShowLicense, &QPushButton::clicked, this, &TfrmAbout::btnShowLicenseClick);

    btnClose = new QPushButton(QStringLiteral("&OK"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(361, 252, 80, 26);
    btnClose->setIcon(art::icon(art::okButton));
    btnClose->setIconSize(buttonIconSize);
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &TfrmAbout::btnCloseClick);

    urlAboutOnline = new UrlLauncher(this);
    urlAboutOnline->setObjectName(QStringLiteral("urlAboutOnline"));
    urlAboutOnline->hide();

    FormCreate(centerForm);
}

TfrmAbout::~TfrmAbout()
{
    if (frmAbout == this)
        frmAbout = nullptr;
}

QLabel *TfrmAbout::label(const char *objectName, int left, int top)
{
    auto *l = new QLabel(this);
    l->setObjectName(QLatin1StringView(objectName));
    l->setTextFormat(Qt::PlainText);
    l->move(left, top);
    return l;
}

void TfrmAbout::FormCreate(const CenterFormFn &centerForm)
{
    btnClose->setFocus();
    if (centerForm)
        centerForm(this);
}

void TfrmAbout::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TfrmAbout::FormShow()
{
    setWindowTitle(QString::fromLatin1(caption));
    lblVersion->setText(QString::fromLatin1(versionText));
    lblVersion->adjustSize();
    lblCompileDate->setText(QString::fromLatin1(compileDateText));
    lblCompileDate->adjustSize();
}

bool TfrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == imgLogo || watched == imgAboutIcon) &&
        event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const auto *picture = static_cast<QWidget *>(watched);
        if (mouse->button() == Qt::LeftButton &&
            picture->rect().contains(mouse->position().toPoint())) {
            GoOnlineAbout(watched);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmAbout::GoOnlineAbout(QObject *sender)
{
    if (sender == imgLogo || sender == imgAboutIcon)
        urlAboutOnline->setAddress(web::productHomePage());
    urlAboutOnline->click();
}

QString TfrmAbout::licensePath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("License.txt"));
}

void TfrmAbout::btnShowLicenseClick()
{
    // Whether anything opened the document is not examined: a missing file or
    // a missing viewer is the desktop's to report.
    platform::openUrl(licensePath());
}

void TfrmAbout::btnCloseClick()
{
    close();
}
