#include "FirstPaintProbe.h"

#include <QLabel>
#include <QProcess>
#include <QTest>

#include <chrono>

namespace {

constexpr char probeVariable[] = "VDL_EXIT_AFTER_FIRST_PAINT";

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestFirstPaintProbe : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void offUnlessAsked();
    void reportsTheFirstPaintAndEnds();
    // Run by the test above in a process of its own.
    void showAWindow();
};

void TestFirstPaintProbe::offUnlessAsked()
{
    qunsetenv(probeVariable);
    QLabel window(QStringLiteral("Window"));
    PaintCounter counter;
    window.installEventFilter(&counter);
    QVERIFY(!installFirstPaintProbe(&window));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(counter.paints > 0);
    window.update();
    QTRY_VERIFY(counter.paints > 1);
    // Still here: the probe would have ended the process at the first paint.
}

void TestFirstPaintProbe::reportsTheFirstPaintAndEnds()
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(probeVariable), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    const qint64 before = steadyNs();
    // The test's own log goes elsewhere, so that standard output holds what
    // the probe wrote.
    child.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("showAWindow"), QStringLiteral("-o"), QStringLiteral("/dev/null,txt")});
    QVERIFY(child.waitForFinished(20000));
    const qint64 after = steadyNs();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);

    // One line, as the benchmarks read it; the exit code says the process
    // ended at the first paint, not at the failure below.
    const QByteArray output = child.readAllStandardOutput();
    QVERIFY2(output.endsWith('\n'), output.constData());
    const QList<QByteArray> fields = output.trimmed().split(' ');
    QCOMPARE(fields.size(), 2);
    bool okTime = false;
    bool okMemory = false;
    const qint64 paintedAt = fields[0].toLongLong(&okTime);
    const qint64 peakKiB = fields[1].toLongLong(&okMemory);
    QVERIFY(okTime && okMemory);
    QVERIFY(paintedAt > before && paintedAt < after);
    QVERIFY2(peakKiB > 1024 && peakKiB < 4 * 1024 * 1024, fields[1].constData());
}

void TestFirstPaintProbe::showAWindow()
{
    if (qEnvironmentVariableIsEmpty(probeVariable))
        QSKIP("run by reportsTheFirstPaintAndEnds");
    QLabel window(QStringLiteral("Window"));
    QVERIFY(installFirstPaintProbe(&window));
    window.show();
    QTest::qWait(10000);
    QFAIL("the probe did not end the process");
}

QTEST_MAIN(TestFirstPaintProbe)
#include "tst_firstpaintprobe.moc"
