#include "TfrmAbout.h"
#include "VistaAltFix.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <cstddef>
#include <memory>
#include <new>
#include <utility>

namespace {

// A control that counts its paints. It fills its own background, so
// repainting it never makes Qt repaint its parent underneath.
class PaintCounter : public QWidget
{
public:
    explicit PaintCounter(QWidget *parent = nullptr)
        : QWidget(parent)
    {
        setAutoFillBackground(true);
    }
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

// A form with a control that holds another control. The panel has a native
// window of its own, which a repaint of the form alone does not reach.
struct Form
{
    Form()
    {
        window = std::make_unique<PaintCounter>();
        window->resize(200, 120);
        panel = new PaintCounter(window.get());
        panel->setAttribute(Qt::WA_NativeWindow);
        panel->setGeometry(10, 10, 150, 80);
        button = new PaintCounter(panel);
        button->setGeometry(10, 10, 60, 24);
    }
    void show()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents();
        resetCounts();
    }
    void resetCounts() { window->paints = panel->paints = button->paints = 0; }
    void changeCueState()
    {
        QEvent change(TVistaAltFix::uiStateUpdateEvent());
        QCoreApplication::sendEvent(window.get(), &change);
    }

    std::unique_ptr<PaintCounter> window;
    PaintCounter *panel = nullptr;
    PaintCounter *button = nullptr;
};

// Counts the paints of the controls it watches.
class PaintSpy : public QObject
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

// Lets the event loop run until it has waited for events at least once.
void runEventLoopBriefly()
{
    QEventLoop loop;
    QTimer::singleShot(30, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

class TestVistaAltFix : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void inertWhereThePlatformDrawsCuesItself();
    void newDialogIsWatchedFromTheNextIdlePassUntilDestroyed();
    void modalDialogIsWatchedWhileOpen();
    void severalChangesBetweenPassesGiveOneRepaint();
    void formWithoutAChangeIsNeverRepainted();
    void watcherMadeInAPassIsNotRepaintedInIt();
    void newFormAtAnOldFormsAddressIsWatchedAfresh();

private:
    std::unique_ptr<QObject> m_mainWindow;
    TVistaAltFix *m_fix = nullptr;
};

void TestVistaAltFix::init()
{
    m_mainWindow = std::make_unique<QObject>();
    m_fix = new TVistaAltFix(m_mainWindow.get(), TVistaAltFix::Activation::Always);
    QVERIFY(m_fix->isActive());
}

void TestVistaAltFix::cleanup()
{
    // The main window owns the fix and takes it along.
    QPointer<TVistaAltFix> fix = m_fix;
    m_mainWindow.reset();
    QVERIFY(!fix);
}

void TestVistaAltFix::inertWhereThePlatformDrawsCuesItself()
{
    delete std::exchange(m_fix, nullptr); // no forced fix around this time
    QVERIFY(!TVistaAltFix::platformNeedsFix());
    QObject owner;
    auto *inert = new TVistaAltFix(&owner);
    QVERIFY(!inert->isActive());
    QCOMPARE(inert->parent(), &owner);

    Form form;
    form.show();
    inert->idlePass();
    form.changeCueState();
    runEventLoopBriefly();
    inert->idlePass();
    QVERIFY(inert->watchedForms().isEmpty());
    QCOMPARE(form.window->paints, 0);
}

void TestVistaAltFix::newDialogIsWatchedFromTheNextIdlePassUntilDestroyed()
{
    m_fix->idlePass();
    const qsizetype before = m_fix->watchedForms().size();

    auto *about = new TfrmAbout;
    QVERIFY(!m_fix->watchedForms().contains(about));
    runEventLoopBriefly(); // the idle pass runs when the event loop waits
    QCOMPARE(m_fix->watchedForms().size(), before + 1);
    QCOMPARE(m_fix->watchedForms().count(about), 1);
    m_fix->idlePass();
    QCOMPARE(m_fix->watchedForms().count(about), 1); // one watcher per form

    delete about;
    QCOMPARE(m_fix->watchedForms().size(), before + 1); // until the next pass
    m_fix->idlePass();
    QCOMPARE(m_fix->watchedForms().size(), before);
    QVERIFY(!m_fix->watchedForms().contains(nullptr));
}

void TestVistaAltFix::modalDialogIsWatchedWhileOpen()
{
    bool watchedWhileOpen = false;
    int paintsWhileOpen = -1;
    // Runs inside the dialog's modal loop, after that loop has been idle.
    QTimer::singleShot(50, [&] {
        QPointer<TfrmAbout> about = frmAbout;
        if (!about)
            return;
        watchedWhileOpen = m_fix->watchedForms().contains(about.data());
        // The user presses Alt in the dialog: it repaints at the next idle
        // moment of its own modal loop.
        PaintSpy spy;
        about->findChild<QWidget *>(QStringLiteral("lblVersion"))->installEventFilter(&spy);
        QEvent change(TVistaAltFix::uiStateUpdateEvent());
        QCoreApplication::sendEvent(about, &change);
        runEventLoopBriefly();
        paintsWhileOpen = spy.paints;
        about->close();
    });
    TfrmAbout::openModal(nullptr, {});
    QVERIFY(watchedWhileOpen);
    QVERIFY(paintsWhileOpen > 0);
    m_fix->idlePass();
    QVERIFY(!m_fix->watchedForms().contains(nullptr));
}

void TestVistaAltFix::severalChangesBetweenPassesGiveOneRepaint()
{
    Form form;
    form.show();
    m_fix->idlePass();
    QVERIFY(m_fix->watchedForms().contains(form.window.get()));

    form.changeCueState();
    form.changeCueState();
    form.changeCueState();
    QCOMPARE(form.window->paints, 0); // nothing before the idle pass
    m_fix->idlePass();
    QCOMPARE(form.window->paints, 1);
    // The panel has a native window of its own, which the form's repaint
    // does not reach: the walk over the controls repaints it and its button.
    QCOMPARE(form.panel->paints, 1);
    QCOMPARE(form.button->paints, 1);

    form.resetCounts();
    m_fix->idlePass();
    runEventLoopBriefly();
    QCOMPARE(form.window->paints, 0);

    form.changeCueState();
    m_fix->idlePass();
    QCOMPARE(form.window->paints, 1);
}

void TestVistaAltFix::formWithoutAChangeIsNeverRepainted()
{
    Form changed;
    Form untouched;
    changed.show();
    untouched.show();
    m_fix->idlePass();
    for (int pass = 0; pass < 3; ++pass) {
        changed.changeCueState();
        m_fix->idlePass();
    }
    runEventLoopBriefly();
    QCOMPARE(changed.window->paints, 3);
    QCOMPARE(untouched.window->paints, 0);
    QCOMPARE(untouched.button->paints, 0);
}

void TestVistaAltFix::watcherMadeInAPassIsNotRepaintedInIt()
{
    Form form;
    form.show();
    form.changeCueState(); // before any watcher: nobody takes note
    m_fix->idlePass();
    QVERIFY(m_fix->watchedForms().contains(form.window.get()));
    QCOMPARE(form.window->paints, 0);
}

void TestVistaAltFix::newFormAtAnOldFormsAddressIsWatchedAfresh()
{
    // Both forms are built in the same storage, so the second one surely
    // takes the first one's address.
    alignas(PaintCounter) std::byte storage[sizeof(PaintCounter)];
    auto *first = new (storage) PaintCounter;
    first->show();
    m_fix->idlePass();
    QVERIFY(m_fix->watchedForms().contains(first));
    first->~PaintCounter();

    auto *second = new (storage) PaintCounter;
    const auto destroySecond = qScopeGuard([second] { second->~PaintCounter(); });
    QCOMPARE(static_cast<void *>(second), static_cast<void *>(first));
    second->show();
    QVERIFY(QTest::qWaitForWindowExposed(second));
    QCoreApplication::processEvents();
    second->paints = 0;
    m_fix->idlePass();
    QCOMPARE(m_fix->watchedForms().count(second), 1);
    QEvent change(TVistaAltFix::uiStateUpdateEvent());
    QCoreApplication::sendEvent(second, &change);
    m_fix->idlePass();
    QCOMPARE(second->paints, 1);
}

QTEST_MAIN(TestVistaAltFix)
#include "tst_vistaaltfix.moc"
