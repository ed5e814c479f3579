// The program's icon on each of its windows, as the desktop shows it in the
// title bar and the task switcher.
#include "Application.h"
#include "Artwork.h"
#include "HelpViewer.h"
#include "HelpWindow.h"
#include "Platform.h"
#include "ReportDialogs.h"
#include "ReportPreview.h"
#include "TfrmAbout.h"
#include "TfrmDisclaim.h"
#include "TfrmMain.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Two icons are the same picture when they draw the same pixels.
QImage drawn(const QIcon &icon)
{
    return icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestWindowIcons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyWindowShowsTheProgramIcon();
};

void TestWindowIcons::initTestCase()
{
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    platform::setInformationHandler([](QWidget *, const QString &) {});
}

void TestWindowIcons::everyWindowShowsTheProgramIcon()
{
    const QImage program = drawn(art::icon(art::programIcon));
    QVERIFY(!program.isNull());
    QCOMPARE(drawn(QApplication::windowIcon()), program);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    HelpViewer::setWindowEnabled(false);
    TfrmMain main;
    QCOMPARE(drawn(main.windowIcon()), program);

    TfrmAbout about;
    QCOMPARE(drawn(about.windowIcon()), program);
    TfrmDisclaim disclaim;
    QCOMPARE(drawn(disclaim.windowIcon()), program);
    HelpWindow help(QStringLiteral("vdl.qch"));
    QCOMPARE(drawn(help.windowIcon()), program);
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), QStringLiteral("x"));
    QCOMPARE(drawn(box.windowIcon()), program);

    int previews = 0;
    reportdialogs::setPreviewHandler([&](ReportPreview &preview) {
        ++previews;
        QCOMPARE(drawn(preview.windowIcon()), program);
    });
    main.PrintToDoList(nullptr);
    reportdialogs::setPreviewHandler({});
    QCOMPARE(previews, 1);
    main.close();
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestWindowIcons test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowicons.moc"
