#include "Platform.h"
#include "TfrmAbout.h"
#include "TfrmDisclaim.h"
#include "UrlLauncher.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

// Counts how often it is painted, like a main window that must be repainted
// before a dialog opens over it.
class PaintCounter : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

// Runs `inspect` once the dialog designated by `global` is open in its modal
// loop, then closes the dialog whatever `inspect` found.
template <typename Dialog>
void whileOpen(Dialog *const &global, std::function<void(Dialog *)> inspect)
{
    QTimer::singleShot(0, [&global, inspect] {
        QPointer<Dialog> dialog = global;
        const auto closeAfter = qScopeGuard([dialog] {
            if (dialog && dialog->isVisible())
                dialog->close();
        });
        inspect(dialog);
    });
}

// The same font with Liberation Sans, which stands for Arial and Tahoma.
QFont inLiberationSans(QFont font)
{
    font.setFamilies({QStringLiteral("Liberation Sans")});
    return font;
}

QString withoutAccessKey(QString text)
{
    return text.remove(QLatin1Char('&'));
}

struct AboutTexts
{
    QString caption, title, version, compileDate, support;
    QStringList notice;
    bool operator==(const AboutTexts &) const = default;
};

AboutTexts textsOf(const TfrmAbout *about)
{
    auto text = [about](const char *name) {
        return about->findChild<QLabel *>(QLatin1StringView(name))->text();
    };
    return {about->windowTitle(),
            text("lblTitle"),
            text("lblVersion"),
            text("lblCompileDate"),
            text("urlSupport"),
            {text("lblCopyright"), text("lblRightsReserved"), text("lblProtection")}};
}

} // namespace

class TestInfoDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void aboutShowsTheSameTextsInAFreshWindowEachTime();
    void aboutTextsAreSetAtEveryShowing();
    void openerRepaintsPlacesAndFrees_data();
    void openerRepaintsPlacesAndFrees();
    void dialogWindowSettings_data();
    void dialogWindowSettings();
    void okButtonClosesTheDialog_data();
    void okButtonClosesTheDialog();
    void dialogIsNotLeftBehindWhenCreationFails();
    void pictureLinksOpenTheHomePageThroughTheLauncher_data();
    void pictureLinksOpenTheHomePageThroughTheLauncher();
    void supportLinkOpensAMailMessage();
    void readLicenseOpensTheFileBesideTheProgram();
    void licenseIsCopiedBesideTheProgram();
    void disclaimerKeepsItsDoubleBlanks();
    void controlsSitWhereTheyBelong_data();
    void controlsSitWhereTheyBelong();
    void textsFitTheirBoxes();

private:
    QStringList m_opened;
    QStringList m_messages;
    int m_beeps = 0;
    bool m_openSucceeds = true;
};

void TestInfoDialogs::initTestCase()
{
    platform::setInformationHandler([this](QWidget *, const QString &text) { m_messages << text; });
    platform::setOpenUrlHandler([this](const QString &address) {
        m_opened << address;
        return m_openSucceeds;
    });
    platform::setBeepHandler([this] { ++m_beeps; });
}

void TestInfoDialogs::init()
{
    m_opened.clear();
    m_messages.clear();
    m_beeps = 0;
    m_openSucceeds = true;
}

void TestInfoDialogs::cleanup()
{
    // The dialogs report nothing through message boxes of their own.
    QVERIFY(m_messages.isEmpty());
    // No dialog outlives its test.
    QVERIFY(!frmAbout);
    QVERIFY(!frmDisclaim);
    const QWidgetList left = QApplication::topLevelWidgets();
    QVERIFY(std::none_of(left.cbegin(), left.cend(), [](QWidget *w) {
        return qobject_cast<TfrmAbout *>(w) || qobject_cast<TfrmDisclaim *>(w);
    }));
}

void TestInfoDialogs::cleanupTestCase()
{
    platform::setOpenUrlHandler({});
    platform::setBeepHandler({});
    platform::setInformationHandler({});
}

void TestInfoDialogs::aboutShowsTheSameTextsInAFreshWindowEachTime()
{
    QList<AboutTexts> seen;
    QList<QPointer<TfrmAbout>> dialogs;
    for (int showing = 0; showing < 2; ++showing) {
        whileOpen<TfrmAbout>(frmAbout, [&](TfrmAbout *about) {
            QVERIFY(about);
            seen << textsOf(about);
            dialogs << about;
        });
        TfrmAbout::openModal(nullptr, {});
        QVERIFY(!frmAbout);
    }
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen.at(0).caption, QStringLiteral(" About Vendalo, 2.2.10"));
    QCOMPARE(seen.at(0).title, QStringLiteral("Vendalo"));
    QCOMPARE(seen.at(0).version, QStringLiteral("Version 2.2.10"));
    QCOMPARE(seen.at(0).compileDate, QStringLiteral("Compiled February 15, 2010"));
    QCOMPARE(seen.at(0).support, QStringLiteral("support@vendalo.example"));
    QVERIFY(seen.at(0).notice.at(0).contains(QLatin1String("Brantel Software")));
    QVERIFY(seen.at(1) == seen.at(0));
    // Each showing had a window of its own, freed when it closed.
    QVERIFY(!dialogs.at(0) && !dialogs.at(1));
}

void TestInfoDialogs::aboutTextsAreSetAtEveryShowing()
{
    TfrmAbout about;
    auto *version = about.findChild<QLabel *>(QStringLiteral("lblVersion"));
    auto *compileDate = about.findChild<QLabel *>(QStringLiteral("lblCompileDate"));
    about.show();
    QCOMPARE(about.windowTitle(), QStringLiteral(" About Vendalo, 2.2.10"));
    QCOMPARE(version->text(), QStringLiteral("Version 2.2.10"));
    about.hide();
    about.setWindowTitle(QStringLiteral("changed"));
    version->setText(QStringLiteral("changed"));
    compileDate->setText(QStringLiteral("changed"));
    about.show();
    QCOMPARE(about.windowTitle(), QStringLiteral(" About Vendalo, 2.2.10"));
    QCOMPARE(version->text(), QStringLiteral("Version 2.2.10"));
    QCOMPARE(compileDate->text(), QStringLiteral("Compiled February 15, 2010"));
    about.hide();
}

void TestInfoDialogs::openerRepaintsPlacesAndFrees_data()
{
    QTest::addColumn<bool>("about");
    QTest::newRow("About") << true;
    QTest::newRow("Disclaimer") << false;
}

void TestInfoDialogs::openerRepaintsPlacesAndFrees()
{
    QFETCH(bool, about);
    PaintCounter mainWindow;
    mainWindow.resize(300, 200);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    QCoreApplication::processEvents();
    const int paintsBefore = mainWindow.paints;

    QList<QWidget *> centred;
    int paintsAtCreation = -1;
    bool visibleWhenCentred = true;
    auto centerForm = [&](QWidget *dialog) {
        centred << dialog;
        paintsAtCreation = mainWindow.paints;
        visibleWhenCentred = dialog->isVisible();
        dialog->move(123, 45);
    };
    QPoint shownAt;
    QWidget *shown = nullptr;
    bool parentless = false;
    auto inspect = [&](QDialog *dialog) {
        QVERIFY(dialog);
        shown = dialog;
        shownAt = dialog->pos();
        parentless = !dialog->parent();
        QCOMPARE(QApplication::activeModalWidget(), dialog);
        QVERIFY(dialog->isModal());
    };
    if (about) {
        whileOpen<TfrmAbout>(frmAbout, inspect);
        TfrmAbout::openModal(&mainWindow, centerForm);
    } else {
        whileOpen<TfrmDisclaim>(frmDisclaim, inspect);
        TfrmDisclaim::openModal(&mainWindow, centerForm);
    }
    QVERIFY(paintsAtCreation > paintsBefore);   // repainted before the dialog was made
    QCOMPARE(centred, QList<QWidget *>{shown}); // placed once, at creation
    QVERIFY(!visibleWhenCentred);
    QCOMPARE(shownAt, QPoint(123, 45));
    QVERIFY(parentless);
}

void TestInfoDialogs::dialogWindowSettings_data()
{
    QTest::addColumn<bool>("about");
    QTest::newRow("About") << true;
    QTest::newRow("Disclaimer") << false;
}

void TestInfoDialogs::dialogWindowSettings()
{
    QFETCH(bool, about);
    std::unique_ptr<QDialog> dialog;
    if (about)
        dialog = std::make_unique<TfrmAbout>();
    else
        dialog = std::make_unique<TfrmDisclaim>();
    const Qt::WindowFlags flags = dialog->windowFlags();
    QCOMPARE(dialog->windowType(), Qt::Dialog);
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    for (Qt::WindowType button :
         {Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
          Qt::WindowMaximizeButtonHint, Qt::WindowContextHelpButtonHint})
        QVERIFY(!flags.testFlag(button));
    QCOMPARE(flags.testFlag(Qt::WindowStaysOnTopHint), about);
    QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
    QVERIFY(!dialog->parent());
    const QSize client = about ? QSize(452, 290) : QSize(363, 128);
    QCOMPARE(dialog->size(), client);
    QCOMPARE(dialog->minimumSize(), client); // fixed border
    QCOMPARE(dialog->maximumSize(), client);
    if (!about)
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Disclaimer"));
}

void TestInfoDialogs::okButtonClosesTheDialog_data()
{
    QTest::addColumn<bool>("about");
    QTest::addColumn<QString>("caption");
    QTest::newRow("About") << true << QStringLiteral("&OK");
    QTest::newRow("Disclaimer") << false << QStringLiteral(" &OK");
}

void TestInfoDialogs::okButtonClosesTheDialog()
{
    QFETCH(bool, about);
    QFETCH(QString, caption);
    bool clicked = false;
    auto clickOk = [&](QDialog *dialog) {
        QVERIFY(dialog);
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("btnClose"));
        QVERIFY(ok);
        QCOMPARE(ok->text(), caption);
        QVERIFY(!ok->icon().isNull());
        QVERIFY(ok->isDefault());
        QTest::mouseClick(ok, Qt::LeftButton);
        clicked = true;
        QVERIFY(!dialog->isVisible());
    };
    if (about) {
        whileOpen<TfrmAbout>(frmAbout, clickOk);
        TfrmAbout::openModal(nullptr, {});
    } else {
        whileOpen<TfrmDisclaim>(frmDisclaim, clickOk);
        TfrmDisclaim::openModal(nullptr, {});
    }
    QVERIFY(clicked);
}

void TestInfoDialogs::dialogIsNotLeftBehindWhenCreationFails()
{
    auto failingPlacement = [](QWidget *) {
        throw std::runtime_error("no place for it");
    };
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, TfrmAbout::openModal(nullptr, failingPlacement));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             TfrmDisclaim::openModal(nullptr, failingPlacement));
    // cleanup() checks that neither dialog nor its reference is left.
}

void TestInfoDialogs::pictureLinksOpenTheHomePageThroughTheLauncher_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<bool>("openSucceeds");
    QTest::newRow("banner") << QStringLiteral("imgLogo") << true;
    QTest::newRow("icon") << QStringLiteral("imgAboutIcon") << true;
    QTest::newRow("banner, nothing opens it") << QStringLiteral("imgLogo") << false;
    QTest::newRow("icon, nothing opens it") << QStringLiteral("imgAboutIcon") << false;
}

void TestInfoDialogs::pictureLinksOpenTheHomePageThroughTheLauncher()
{
    QFETCH(QString, picture);
    QFETCH(bool, openSucceeds);
    m_openSucceeds = openSucceeds;
    TfrmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto *image = about.findChild<QLabel *>(picture);
    auto *launcher = about.findChild<UrlLauncher *>(QStringLiteral("urlAboutOnline"));
    QVERIFY(image && launcher);
    QVERIFY(!launcher->isVisible());
    QVERIFY(!image->pixmap().isNull());
    QCOMPARE(image->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(image, Qt::RightButton);
    QVERIFY(m_opened.isEmpty());
    QTest::mouseClick(image, Qt::LeftButton);
    QCOMPARE(m_opened, QStringList{QStringLiteral("http://www.vendalo.example/")});
    QCOMPARE(launcher->address(), QStringLiteral("http://www.vendalo.example/"));
    QCOMPARE(m_beeps, openSucceeds ? 0 : 1);
    QVERIFY(about.isVisible());
    about.hide();
}

void TestInfoDialogs::supportLinkOpensAMailMessage()
{
    TfrmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto *support = about.findChild<UrlLauncher *>(QStringLiteral("urlSupport"));
    QVERIFY(support);
    QCOMPARE(support->toolTip(), QStringLiteral("Click here to request email support."));
    QVERIFY(support->font().underline());
    QCOMPARE(support->palette().color(QPalette::WindowText), QColor(Qt::blue));

    QTest::mouseClick(support, Qt::LeftButton);
    QCOMPARE(m_opened, QStringList{QStringLiteral("mailto:support@vendalo.example")});
    QCOMPARE(m_beeps, 0);
    m_openSucceeds = false;
    QTest::mouseClick(support, Qt::LeftButton);
    QCOMPARE(m_opened.size(), 2);
    QCOMPARE(m_beeps, 1);
    QCOMPARE(about.findChild<QLabel *>(QStringLiteral("imgLogo"))->toolTip(),
             QStringLiteral("Click to visit our web site ..."));
    about.hide();
}

void TestInfoDialogs::readLicenseOpensTheFileBesideTheProgram()
{
    QCOMPARE(TfrmAbout::licensePath(),
             QCoreApplication::applicationDirPath() + QStringLiteral("/License.txt"));
    TfrmAbout about;
    about.show();
    auto *button = about.findChild<QPushButton *>(QStringLiteral("btnShowLicense"));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("Read &License"));
    QVERIFY(!button->icon().isNull());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(m_opened, QStringList{TfrmAbout::licensePath()});

    // Nothing to open it with: no message, no beep, the dialog stays open.
    m_openSucceeds = false;
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(m_opened.size(), 2);
    QCOMPARE(m_beeps, 0);
    QVERIFY(about.isVisible());
    about.hide();
}

void TestInfoDialogs::licenseIsCopiedBesideTheProgram()
{
    QFile source(QStringLiteral(VDL_LICENSE_SOURCE));
    QFile beside(QStringLiteral(VDL_LICENSE_BESIDE_PROGRAM));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QVERIFY2(beside.open(QIODevice::ReadOnly), qPrintable(beside.fileName()));
    const QByteArray text = source.readAll();
    QCOMPARE(beside.readAll(), text);
    QVERIFY(text.startsWith("MIT License\n\nCopyright (c) 2026 Brantel Software\n"));
}

void TestInfoDialogs::disclaimerKeepsItsDoubleBlanks()
{
    TfrmDisclaim disclaim;
    auto *text = disclaim.findChild<QLabel *>(QStringLiteral("Label1"));
    QVERIFY(text);
    QCOMPARE(text->text(),
             QStringLiteral("While effort was made to ensure the accuracy of the results of "
                            "calculations performed by this software, there is NO WARRANTY,  "
                            "express or implied, for the accuracy or applicability of this "
                            "information to your particular financial question.  Consult your "
                            "financial advisor before making any financial decision."));
    QCOMPARE(text->text().count(QStringLiteral("  ")), 2);
    QVERIFY(text->wordWrap());
    QCOMPARE(text->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    auto *ok = disclaim.findChild<QPushButton *>(QStringLiteral("btnClose"));
    QVERIFY(ok->isFlat());
    QCOMPARE(ok->font().families().value(0), QStringLiteral("MS Sans Serif"));
}

void TestInfoDialogs::controlsSitWhereTheyBelong_data()
{
    QTest::addColumn<bool>("about");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("geometry"); // an empty size: sized by its text

    auto row = [](bool about, const char *control, QRect geometry) {
        QTest::addRow("%s %s", about ? "About" : "Disclaimer", control)
            << about << QString::fromLatin1(control) << geometry;
    };
    row(true, "pnlGraphic", QRect(3, 3, 446, 85));
    row(true, "imgLogo", QRect(2, 2, 438, 76)); // inside the panel
    row(true, "urlSupport", QRect(13, 94, 133, 14));
    row(true, "imgAboutIcon", QRect(16, 121, 32, 32));
    row(true, "lblTitle", QRect(56, 116, 0, 0));
    row(true, "lblVersion", QRect(56, 132, 0, 0));
    row(true, "lblCompileDate", QRect(56, 148, 0, 0));
    row(true, "lblCopyright", QRect(13, 196, 0, 0));
    row(true, "lblRightsReserved", QRect(13, 212, 0, 0));
    row(true, "lblProtection", QRect(13, 228, 0, 0));
    row(true, "btnShowLicense", QRect(230, 252, 103, 26));
    row(true, "btnClose", QRect(361, 252, 80, 26));
    row(false, "Label1", QRect(6, 16, 349, 65));
    row(false, "btnClose", QRect(267, 96, 88, 24));
}

void TestInfoDialogs::controlsSitWhereTheyBelong()
{
    QFETCH(bool, about);
    QFETCH(QString, control);
    QFETCH(QRect, geometry);
    std::unique_ptr<QDialog> dialog;
    if (about)
        dialog = std::make_unique<TfrmAbout>();
    else
        dialog = std::make_unique<TfrmDisclaim>();
    dialog->show();
    auto *widget = dialog->findChild<QWidget *>(control);
    QVERIFY(widget);
    QVERIFY(widget->isVisible());
    if (geometry.size().isEmpty())
        QCOMPARE(widget->pos(), geometry.topLeft());
    else
        QCOMPARE(widget->geometry(), geometry);
    dialog->hide();
}

void TestInfoDialogs::textsFitTheirBoxes()
{
    for (bool about : {true, false}) {
        std::unique_ptr<QDialog> dialog;
        if (about)
            dialog = std::make_unique<TfrmAbout>();
        else
            dialog = std::make_unique<TfrmDisclaim>();
        dialog->show();
        const QRect client = dialog->rect();
        if (!QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
            QCOMPARE(QFontInfo(dialog->font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(dialog->font().pixelSize(), 11);

        const QList<QLabel *> labels = dialog->findChildren<QLabel *>();
        for (const QLabel *label : labels) {
            if (label->text().isEmpty())
                continue; // pictures and the hidden launcher
            const QString what = dialog->objectName() + QLatin1Char('.') + label->objectName();
            const QFontMetrics fm(inLiberationSans(label->font()));
            const QRect box = label->geometry();
            QVERIFY2(client.contains(box), qPrintable(what));
            if (label->wordWrap()) {
                const QRect needed =
                    fm.boundingRect(QRect(0, 0, box.width(), 10000),
                                    Qt::TextWordWrap | Qt::AlignHCenter, label->text());
                QVERIFY2(needed.height() <= box.height(), qPrintable(what));
            } else {
                QVERIFY2(fm.horizontalAdvance(label->text()) <= box.width(), qPrintable(what));
                QVERIFY2(fm.height() <= box.height() && box.height() <= 16, qPrintable(what));
            }
        }
        const QList<QPushButton *> buttons = dialog->findChildren<QPushButton *>();
        for (const QPushButton *button : buttons) {
            const QString what = dialog->objectName() + QLatin1Char('.') + button->objectName();
            const QFontMetrics fm(inLiberationSans(button->font()));
            // The picture, the gap the style leaves after it, the text and
            // a frame of three pixels on either side.
            const int needed = button->iconSize().width() + 4 +
                               fm.horizontalAdvance(withoutAccessKey(button->text())) + 6;
            QVERIFY2(needed <= button->width(), qPrintable(what));
            QVERIFY2(client.contains(button->geometry()), qPrintable(what));
        }
        dialog->hide();
    }
}

QTEST_MAIN(TestInfoDialogs)
#include "tst_infodialogs.moc"
