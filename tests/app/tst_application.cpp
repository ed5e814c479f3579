#include "Application.h"

#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTest>

namespace {

class StyleChangeCounter : public QObject
{
public:
    int changes = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::StyleChange)
            ++changes;
        return false;
    }
};

int wakeUpDelay()
{
    return QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay);
}

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tipsKeepTheStylesDelayUntilToldOtherwise();
    void settingTheTipDelaysLeavesTheWidgetsAlone();
    void tipDelaysApplyOverAStyleSetLater();
};

void TestApplication::tipsKeepTheStylesDelayUntilToldOtherwise()
{
    const auto *proxy = qobject_cast<const QProxyStyle *>(QApplication::style());
    QVERIFY(proxy);
    QCOMPARE(wakeUpDelay(), proxy->baseStyle()->styleHint(QStyle::SH_ToolTip_WakeUpDelay));
    QCOMPARE(Application::instance()->tipHideDelay(), -1);
}

void TestApplication::settingTheTipDelaysLeavesTheWidgetsAlone()
{
    QLineEdit field;
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));
    StyleChangeCounter counter;
    field.installEventFilter(&counter);
    const QPointer<QStyle> before = QApplication::style();

    Application::instance()->setTipDelays(400, 4000);
    QCOMPARE(wakeUpDelay(), 400);
    QCOMPARE(Application::instance()->tipHideDelay(), 4000);
    // The same style, not a new one that every widget is polished for again.
    QVERIFY2(before && QApplication::style() == before, "the style was replaced");
    QCOMPARE(counter.changes, 0);
}

void TestApplication::tipDelaysApplyOverAStyleSetLater()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QVERIFY(wakeUpDelay() != 250);
    Application::instance()->setTipDelays(250, 1000);
    QCOMPARE(wakeUpDelay(), 250);
    QCOMPARE(Application::instance()->tipHideDelay(), 1000);
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
