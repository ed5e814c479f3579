// A keyboard monkey: thousands of random keys, clicks, month picks, resets,
// previews and dialogs on the real main window, under three locales. After
// every step the window must still be whole: the grid empty or full of money
// texts, both labels money texts, no "nan" or "inf" anywhere, and every fault
// shown as one of the program's two error messages.
//
// The seed is printed when a run fails; VDL_MONKEY_SEED=<n> repeats that run.
// Without it, a fixed seed and one new random seed run for every locale.

#include "Application.h"
#include "ErrorMessages.h"
#include "HelpViewer.h"
#include "IniFile.h"
#include "MoneyText.h"
#include "MonthBox.h"
#include "NumericField.h"
#include "Platform.h"
#include "ReportDialogs.h"
#include "ReportPreview.h"
#include "ResultsGrid.h"
#include "TfrmMain.h"
#include "ValueSets.h"
#include "Worksheet.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "StartMainWindow.h"
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 fixedSeed = 20261211;
constexpr int stepsPerRun = 2500;

QList<quint32> seeds()
{
    bool ok = false;
    const quint32 given = qEnvironmentVariable("VDL_MONKEY_SEED").toUInt(&ok);
    if (ok)
        return {given};
    return {fixedSeed, QRandomGenerator::global()->generate()};
}

// The number a money text shows, read back digit by digit; the text is a
// money text when the program's own form of that number is the same text.
double readBack(const QString &text, const QLocale &locale)
{
    QString mantissa, exponent;
    bool negative = false, inExponent = false, exponentNegative = false;
    const QString point = locale.decimalPoint();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        QString &digits = inExponent ? exponent : mantissa;
        if (c.isDigit()) {
            digits += QChar(u'0' + c.digitValue());
        } else if (!inExponent && QStringView(text).sliced(i).startsWith(point)) {
            mantissa += u'.';
            i += point.size() - 1;
        } else if (c == u'E') {
            inExponent = true;
        } else if (c == u'-' || c == u'\u2212' || c == u'(') {
            (inExponent ? exponentNegative : negative) = true;
        }
    }
    if (mantissa.isEmpty())
        return std::numeric_limits<double>::quiet_NaN();
    QString plain = mantissa;
    if (inExponent)
        plain += (exponentNegative ? QStringLiteral("e-") : QStringLiteral("e")) + exponent;
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok)
        return std::numeric_limits<double>::quiet_NaN();
    return negative ? -value : value;
}

bool isMoneyText(const QString &text, const QLocale &locale, bool cents)
{
    const double value = readBack(text, locale);
    if (!std::isfinite(value))
        return false;
    return (cents ? MoneyToText(value, locale) : WholeMoneyToText(value, locale)) == text;
}

// The label texts that the value sets and a first start put in place as they stand.
bool isStoredLabelText(const QString &text)
{
    const StoredValues samples = sampleValues();
    const StoredValues zeros = zeroValues();
    for (const char *label : {"lblMonthlyCarryingCosts", "lblClosingCosts"}) {
        const QString name = QLatin1StringView(label);
        if (text == samples.value(name).toString() || text == zeros.value(name).toString())
            return true;
    }
    return false;
}

bool showsNoNumber(const QString &text)
{
    return text.contains(u"nan", Qt::CaseInsensitive) || text.contains(u"inf", Qt::CaseInsensitive);
}

} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void randomUse_data();
    void randomUse();

private:
    struct Key
    {
        Qt::Key key;
        QString text;
        Qt::KeyboardModifiers modifiers;
    };

    QList<Key> keysFor(const QLocale &locale) const;
    std::unique_ptr<TfrmMain> start();
    void step(TfrmMain &w, QRandomGenerator &random, const QList<Key> &keys);
    void pressKey(const Key &key);
    void checkWindow(TfrmMain &w, const QLocale &locale);

    QStringList m_messages;
    QStringList m_log; // the last steps, printed with the seed on failure
    QString m_reportFile;
    int m_keys = 0;
    int m_keysIntoFields = 0; // of them, typed into a field or the month box
    QRandomGenerator *m_random = nullptr;
};

void TestMonkey::initTestCase()
{
    HelpViewer::setWindowEnabled(false);
    platform::setInformationHandler([this](QWidget *, const QString &text) { m_messages << text; });
    platform::setOpenUrlHandler([](const QString &) { return true; });
    platform::setBeepHandler([] {});
    platform::setScreenWidthProvider([] { return 1024; });
    platform::setClock([] { return QDateTime(QDate(2026, 6, 15), QTime(9, 30, 5)); });

    // No real printing and no modal windows of the reports: the preview runs
    // a few of its own commands and closes, the print dialog is cancelled.
    reportdialogs::setPreviewHandler([this](ReportPreview &preview) {
        for (const char16_t *name : {u"actSave", u"actOpen", u"actPrint", u"actNextPage",
                                     u"actZoomIn", u"actFullScreen", u"actFullScreen"}) {
            QAction *command = preview.command(name);
            if (command && m_random && m_random->bounded(2) == 0)
                command->trigger();
        }
    });
    reportdialogs::setPrintDialogHandler([](QPrinter &, int, QWidget *) { return false; });
    reportdialogs::setPrintSetupHandler([](QPrinter &, QWidget *) {});
    reportdialogs::setSaveFileNameHandler([this](QWidget *) { return m_reportFile; });
    reportdialogs::setOpenFileNameHandler(
        [this](QWidget *) { return QFileInfo::exists(m_reportFile) ? m_reportFile : QString(); });
}

void TestMonkey::cleanupTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestMonkey::randomUse_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<quint32>("seed");
    for (const quint32 seed : seeds()) {
        for (const char *locale : {"en_US", "de_DE", "ar_EG"}) {
            QTest::addRow("%s seed %u", locale, seed) << QString::fromLatin1(locale) << seed;
        }
    }
}

QList<TestMonkey::Key> TestMonkey::keysFor(const QLocale &locale) const
{
    QList<Key> keys;
    const auto text = [&](const QString &t, Qt::Key key = Qt::Key_unknown,
                          Qt::KeyboardModifiers m = Qt::NoModifier) {
        keys.append({key, t, m});
    };
    const auto special = [&](Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) {
        keys.append({key, QString(), m});
    };
    for (int d = 0; d < 10; ++d) {
        const QString digit = QString::number(d);
        const Qt::Key key = Qt::Key(Qt::Key_0 + d);
        // Digits weigh most: they are what gets typed into the fields.
        for (int times = 0; times < 4; ++times)
            text(digit, key);
        text(digit, key, Qt::KeypadModifier);
        text(locale.toString(d), key); // the locale's own digits, where it has them
    }
    for (int times = 0; times < 3; ++times) {
        text(locale.decimalPoint(), Qt::Key_Period);
        text(locale.groupSeparator(), Qt::Key_Comma);
    }
    text(QStringLiteral("."), Qt::Key_Period, Qt::KeypadModifier);
    text(QStringLiteral(","), Qt::Key_Comma, Qt::KeypadModifier);
    for (const QString &minus :
         {QStringLiteral("-"), QStringLiteral("\u2212"), locale.negativeSign()})
        text(minus, Qt::Key_Minus);
    text(QStringLiteral("-"), Qt::Key_Minus, Qt::KeypadModifier);
    text(QStringLiteral("+"), Qt::Key_Plus);
    text(QStringLiteral(" "), Qt::Key_Space);
    // Every third letter: enough to spoil a field, never spelling "nan" or
    // "inf", which the checks look for.
    for (char16_t c = u'a'; c <= u'z'; c += 3) {
        text(QString(QChar(c)), Qt::Key(Qt::Key_A + (c - u'a')));
        text(QString(QChar(c)).toUpper(), Qt::Key(Qt::Key_A + (c - u'a')), Qt::ShiftModifier);
    }
    for (int times = 0; times < 4; ++times) {
        special(Qt::Key_Tab);
        special(Qt::Key_Backtab, Qt::ShiftModifier);
        special(Qt::Key_Backspace);
    }
    for (Qt::Key key : {Qt::Key_Delete, Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right,
                        Qt::Key_Up, Qt::Key_Down, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter,
                        Qt::Key_Alt, Qt::Key_F1, Qt::Key_Insert, Qt::Key_PageDown})
        special(key);
    special(Qt::Key_A, Qt::ControlModifier); // select all
    special(Qt::Key_Z, Qt::ControlModifier); // undo
    return keys;
}

std::unique_ptr<TfrmMain> TestMonkey::start()
{
    return startMainWindow();
}

void TestMonkey::pressKey(const Key &key)
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    if (!target)
        return;
    ++m_keys;
    if (qobject_cast<NumericField *>(target) || qobject_cast<MonthBox *>(target->parentWidget()) ||
        qobject_cast<MonthBox *>(target))
        ++m_keysIntoFields;
    if (key.key == Qt::Key_Alt) {
        // A press and release of Alt alone: the menu bar takes the keyboard.
        QTest::keyPress(target, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(target, Qt::Key_Alt);
    } else {
        QTest::sendKeyEvent(QTest::Click, target, key.key, key.text, key.modifiers);
    }
}

void TestMonkey::step(TfrmMain &w, QRandomGenerator &random, const QList<Key> &keys)
{
    // A closed dialog does not always hand the activation back offscreen; the
    // user would click into the window.
    if (!w.isActiveWindow()) {
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }
    Worksheet *sheet = w.worksheet();
    const auto trigger = [&](const char *name) {
        QAction *action = w.findChild<QAction *>(QLatin1StringView(name));
        QVERIFY2(action, name);
        m_log << QStringLiteral("trigger %1").arg(QLatin1StringView(name));
        action->trigger();
    };

    const int kind = int(random.bounded(1000));
    if (kind < 820) {
        const Key &key = keys.at(random.bounded(qsizetype(keys.size())));
        QWidget *focus = QApplication::focusWidget();
        m_log << QStringLiteral("key %1 '%2' mod %3 into %4")
                     .arg(int(key.key), 0, 16)
                     .arg(key.text)
                     .arg(int(key.modifiers), 0, 16)
                     .arg(focus ? focus->objectName() : QStringLiteral("(none)"));
        pressKey(key);
    } else if (kind < 860) {
        // A burst of typing into one field, then on to the next: long numbers,
        // extreme ones among them, reach the calculation this way.
        const QList<NumericField *> fields = sheet->findChildren<NumericField *>();
        const bool edge = random.bounded(3) == 0;
        // Edges go to the term and the interest rate half of the time: only the
        // two together take the payment out of range.
        NumericField *field =
            edge && random.bounded(2) == 0
                ? sheet->field(random.bounded(2) == 0 ? u"edtVDPOriginalTerm"
                                                      : u"edtVDPOriginalInterestRate")
                : fields.at(random.bounded(qsizetype(fields.size())));
        if (!field->isVisible())
            return;
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        QString typed;
        if (edge) {
            // Now and then the edge of a mask, in the locale's own form.
            const QLocale l = field->locale();
            const QString point = l.decimalPoint();
            const QString edges[] = {u"-32768"_s,
                                     u"32767"_s,
                                     u"99999999"_s + point + u"99"_s,
                                     u"-99999999"_s + point + u"99"_s,
                                     u"999"_s + point + u"9999"_s,
                                     u"-999"_s + point + u"9999"_s};
            typed = edges[random.bounded(int(std::size(edges)))];
            for (QChar c : std::as_const(typed))
                pressKey({Qt::Key_unknown, QString(c), Qt::NoModifier});
        } else {
            const int length = 1 + int(random.bounded(12));
            for (int i = 0; i < length; ++i) {
                const Key &key = keys.at(random.bounded(qsizetype(keys.size())));
                if (key.text.isEmpty())
                    continue;
                typed += key.text;
                pressKey(key);
            }
        }
        m_log << QStringLiteral("typed '%1' into %2").arg(typed, field->objectName());
        pressKey({Qt::Key_Tab, QString(), Qt::NoModifier});
    } else if (kind < 900) {
        // A click into a field, the month box, the grid or a label.
        QList<QWidget *> targets;
        for (NumericField *f : sheet->findChildren<NumericField *>()) {
            if (f->isVisible())
                targets << f;
        }
        targets << sheet->closingMonthBox() << sheet->grid() << sheet->carryingCostsLabel();
        QWidget *target = targets.at(random.bounded(qsizetype(targets.size())));
        m_log << QStringLiteral("click %1").arg(target->objectName());
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
    } else if (kind < 940) {
        const int month = int(random.bounded(12));
        m_log << QStringLiteral("pick month %1").arg(month);
        sheet->closingMonthBox()->setCurrentIndex(month);
    } else if (kind < 955) {
        trigger("mnuResetThisZero");
    } else if (kind < 970) {
        trigger("mnuResetSamples");
    } else if (kind < 980) {
        trigger("MnuFilePrint"); // does nothing until a recalculation enabled it
    } else if (kind < 984) {
        trigger("mnuFormsInspection");
    } else if (kind < 988) {
        trigger("mnuFormsToDoListForMovers");
    } else if (kind < 991) {
        trigger("MnuFilePrintSetup");
    } else if (kind < 994) {
        trigger("MnuHelpAbout"); // closed by the watchdog
    } else if (kind < 997) {
        trigger("MnuHelpDisclaimer");
    } else {
        // A menu opened from the keyboard and walked a little.
        const Qt::Key menu =
            std::array{Qt::Key_F, Qt::Key_R, Qt::Key_O, Qt::Key_H}[random.bounded(4)];
        m_log << QStringLiteral("menu Alt+%1").arg(QChar(menu));
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
        QTest::keyClick(target, menu, Qt::AltModifier);
        const int moves = int(random.bounded(4));
        for (int i = 0; i < moves; ++i) {
            if (QWidget *popup = QApplication::activePopupWidget())
                QTest::keyClick(popup, Qt::Key_Down);
        }
        if (QWidget *popup = QApplication::activePopupWidget()) {
            // Enter runs the item unless it is Exit, which ends the run too early.
            auto *m = qobject_cast<QMenu *>(popup);
            const QAction *active = m ? m->activeAction() : nullptr;
            const bool exits = active && active->objectName().contains(u"Exit");
            QTest::keyClick(popup, exits ? Qt::Key_Escape : Qt::Key_Return);
        }
    }
    QCoreApplication::processEvents(); // the queued error messages
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

void TestMonkey::checkWindow(TfrmMain &w, const QLocale &locale)
{
    const QString errorA = calculationErrorMessage();
    const QString errorB = generalErrorMessage();
    for (const QString &message : std::as_const(m_messages))
        QVERIFY2(message == errorA || message == errorB, qPrintable(message));

    Worksheet *sheet = w.worksheet();
    ResultsGrid *grid = sheet->grid();
    QCOMPARE(grid->rowCount(), ResultsGrid::rows);
    QCOMPARE(grid->columnCount(), ResultsGrid::columns);
    int filled = 0;
    for (int r = 1; r < ResultsGrid::rows; ++r) {
        for (int c = 0; c < ResultsGrid::columns; ++c) {
            const QString text = grid->cellText(r, c);
            if (text.isEmpty())
                continue;
            ++filled;
            QVERIFY2(isMoneyText(text, locale, false),
                     qPrintable(QStringLiteral("cell %1,%2: %3").arg(r).arg(c).arg(text)));
        }
    }
    QVERIFY2(filled == 0 || filled == 4 * ResultsGrid::columns,
             qPrintable(QStringLiteral("%1 cells filled").arg(filled)));
    for (int c = 0; c < ResultsGrid::columns; ++c)
        QCOMPARE(grid->cellText(0, c), ResultsGrid::headerText(c));

    for (QLabel *label : {sheet->carryingCostsLabel(), sheet->closingCostsLabel()}) {
        const QString text = label->text();
        QVERIFY2(isStoredLabelText(text) || isMoneyText(text, locale, true),
                 qPrintable(label->objectName() + QStringLiteral(": ") + text));
    }
    for (NumericField *f : sheet->findChildren<NumericField *>())
        QVERIFY2(!showsNoNumber(f->text()),
                 qPrintable(f->objectName() + QStringLiteral(": ") + f->text()));
}

void TestMonkey::randomUse()
{
    QFETCH(QString, locale);
    QFETCH(quint32, seed);

    const QLocale previous;
    const QLocale used(locale);
    QLocale::setDefault(used);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    m_reportFile = dir.filePath(QStringLiteral("report.vdr"));
    m_messages.clear();
    m_log.clear();
    QRandomGenerator random(seed);
    m_random = &random;
    m_keys = m_keysIntoFields = 0;

    int stepsDone = 0;
    const auto restore = qScopeGuard([&] {
        m_random = nullptr;
        QLocale::setDefault(previous);
        if (QTest::currentTestFailed()) {
            qWarning("monkey failed under %s at step %d with seed %u; repeat with "
                     "VDL_MONKEY_SEED=%u. Last steps:\n  %s",
                     qPrintable(locale), stepsDone, seed, seed,
                     qPrintable(
                         m_log.mid(qMax(0, int(m_log.size()) - 15)).join(QStringLiteral("\n  "))));
        }
    });

    // Dialogs that run their own loop (About, Disclaimer, a pop-up menu) are
    // closed from here as soon as they are up.
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, this, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    watchdog.start(2);

    auto w = start();
    QVERIFY(w);
    const QList<Key> keys = keysFor(used);
    int restarts = 0;
    int gridFull = 0; // steps after which the grid showed results
    for (; stepsDone < stepsPerRun; ++stepsDone) {
        step(*w, random, keys);
        if (QTest::currentTestFailed())
            return;
        if (!w->isVisible()) {
            // Closed from its menu: the figures were saved; start again on them.
            auto status = IniFile::LoadStatus::Missing;
            IniFile::load(w->valueFilePath(), &status);
            QCOMPARE(status, IniFile::LoadStatus::Loaded);
            w.reset();
            w = start();
            QVERIFY(w);
            ++restarts;
        }
        checkWindow(*w, used);
        if (QTest::currentTestFailed())
            return;
        if (!w->worksheet()->grid()->cellText(1, 0).isEmpty())
            ++gridFull;
        if (m_log.size() > 200)
            m_log.remove(0, 100);
    }
    QVERIFY(w->close());
    QCoreApplication::processEvents();
    w.reset();
    const QByteArray saved = [&] {
        QFile f(dir.filePath(QStringLiteral("Vendalo/vdl.ini")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QVERIFY(!saved.isEmpty());
    QVERIFY2(!showsNoNumber(QString::fromUtf8(saved)), saved.constData());
    qInfo("%s seed %u: %d steps, %d keys (%d into fields), %d with results, %d restarts, "
          "%d messages",
          qPrintable(locale), seed, stepsDone, m_keys, m_keysIntoFields, gridFull, restarts,
          int(m_messages.size()));
    QVERIFY(m_keysIntoFields > m_keys / 2);
    QVERIFY(gridFull > stepsPerRun / 2); // the monkey did reach the calculation
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestMonkey test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_monkey.moc"
