// Closing the main window on a full disk: message B, and the old value file
// stays byte for byte as it was, with no temporary file beside it.
//
// The disk is a small memory file system mounted in a private user and mount
// namespace, filled up before the window closes. The test runs itself again
// inside that namespace (VDL_FULL_DISK_DIR names the mounted folder there);
// where the system allows no user namespaces it is skipped.

#include "Application.h"
#include "ErrorMessages.h"
#include "HelpViewer.h"
#include "NumericField.h"
#include "Platform.h"
#include "TfrmMain.h"
#include "Worksheet.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray oldFile =
    "[GeneralValues]\nRun=1\n; kept by hand\n[InitialValues]\nSpread=2500\n"_ba;

} // namespace

class TestFullDisk : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void closingOnFullDiskShowsMessageB();

private:
    void closeOnFullDisk(const QString &folder);

    QStringList m_messages;
};

void TestFullDisk::initTestCase()
{
    QLocale::setDefault(QLocale(u"en_US"_s));
    HelpViewer::setWindowEnabled(false);
    platform::setInformationHandler([this](QWidget *, const QString &text) { m_messages << text; });
    platform::setScreenWidthProvider([] { return 1024; });
}

void TestFullDisk::closeOnFullDisk(const QString &folder)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder));
    const QString path = folder + u"/Vendalo/vdl.ini"_s;
    TfrmMain w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    NumericField *spread = w.worksheet()->field(u"edtSpread");
    QCOMPARE(spread->value(), 2500.0);
    spread->setFocus(Qt::MouseFocusReason);
    spread->selectAll();
    QTest::keyClicks(spread, u"3000"_s);
    QTest::keyClick(spread, Qt::Key_Tab);

    // Fill what room is left.
    QFile filler(folder + u"/filler"_s);
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.close();

    QVERIFY(w.close()); // the window still closes
    QTRY_COMPARE(m_messages, QStringList{generalErrorMessage()});
    QFile stored(path);
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), oldFile);
    QCOMPARE(QDir(folder + u"/Vendalo"_s).entryList(QDir::Files | QDir::Hidden),
             QStringList{u"vdl.ini"_s});
}

void TestFullDisk::closingOnFullDiskShowsMessageB()
{
    const QString inside = qEnvironmentVariable("VDL_FULL_DISK_DIR");
    if (!inside.isEmpty()) {
        closeOnFullDisk(inside);
        return;
    }
    if (QStandardPaths::findExecutable(u"unshare"_s).isEmpty())
        QSKIP("unshare is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString script = uR"(
        mount -t tmpfs -o size=256k tmpfs "$1" || exit 90
        mkdir "$1/Vendalo" && printf '%s' "$3" > "$1/Vendalo/vdl.ini" || exit 91
        VDL_FULL_DISK_DIR="$1" exec "$2" closingOnFullDiskShowsMessageB
    )"_s;
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(u"unshare"_s,
                {u"--user"_s, u"--map-root-user"_s, u"--mount"_s, u"sh"_s, u"-c"_s, script, u"sh"_s,
                 dir.path(), QCoreApplication::applicationFilePath(), QString::fromUtf8(oldFile)});
    QVERIFY2(child.waitForFinished(60000), qPrintable(child.errorString()));
    const QByteArray output = child.readAll();
    if (child.exitCode() == 90 || output.startsWith("unshare"))
        QSKIP("no private mount namespace for a small file system here");
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             output.constData());
    QVERIFY2(output.contains("PASS   : TestFullDisk::closingOnFullDiskShowsMessageB()"),
             output.constData());
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestFullDisk test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fulldisk.moc"
