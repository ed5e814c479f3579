#include "NumericField.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include <limits>

#include "CLibraryLocale.h"
#include <QVBoxLayout>

Q_DECLARE_METATYPE(NumericField::Kind)

using Kind = NumericField::Kind;

class TestNumericField : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void typed_data();
    void typed();
    void setFromCode_data();
    void setFromCode();
    void colours();
    void windowDeactivationIsNotLeaving();
    void keypadDecimalKey_data();
    void keypadDecimalKey();
    void altToMenuBarIsNotLeaving();

private:
    // A window with the field under test and a second field to move to.
    struct Form
    {
        QWidget window;
        NumericField *field;
        NumericField *next;
    };
    std::unique_ptr<Form> makeForm(Kind kind, const QString &locale);
};

void TestNumericField::initTestCase()
{
    VDL_CHECK_C_LIBRARY_LOCALE();
}

std::unique_ptr<TestNumericField::Form> TestNumericField::makeForm(Kind kind, const QString &locale)
{
    QLocale::setDefault(QLocale(locale));
    auto form = std::make_unique<Form>();
    auto *layout = new QVBoxLayout(&form->window);
    form->field = new NumericField(kind, &form->window);
    form->next = new NumericField(Kind::Money, &form->window);
    layout->addWidget(form->field);
    layout->addWidget(form->next);
    form->window.show();
    form->window.activateWindow();
    if (!QTest::qWaitForWindowActive(&form->window))
        return nullptr;
    return form;
}

void TestNumericField::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestNumericField::typed_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("error");

    const QString en = QStringLiteral("en_US");
    const QString de = QStringLiteral("de_DE");
    // clang-format off
    QTest::newRow("money price") << Kind::Money << en << "258000" << "258,000.00" << 258000.0 << false;
    QTest::newRow("money decimals") << Kind::Money << en << "1234.5" << "1,234.50" << 1234.5 << false;
    QTest::newRow("money grouped as typed") << Kind::Money << en << "1,234,567.89" << "1,234,567.89" << 1234567.89 << false;
    QTest::newRow("money ninth digit refused") << Kind::Money << en << "123456789" << "12,345,678.00" << 12345678.0 << false;
    QTest::newRow("money third decimal refused") << Kind::Money << en << "1.239" << "1.23" << 1.23 << false;
    QTest::newRow("money negative") << Kind::Money << en << "-4000" << "-4,000.00" << -4000.0 << false;
    QTest::newRow("money inner minus refused") << Kind::Money << en << "4-0" << "40.00" << 40.0 << false;
    QTest::newRow("money letters refused") << Kind::Money << en << "abc" << "0.00" << 0.0 << false;
    QTest::newRow("money lone minus") << Kind::Money << en << "-" << "-" << 0.0 << true;
    QTest::newRow("money lone point") << Kind::Money << en << "." << "." << 0.0 << true;
    QTest::newRow("money negative zero") << Kind::Money << en << "-0" << "0.00" << 0.0 << false;
    QTest::newRow("percent rate") << Kind::Percent << en << "6.125" << "6.1250" << 6.125 << false;
    QTest::newRow("percent fourth digit refused") << Kind::Percent << en << "1234" << "123.0000" << 123.0 << false;
    QTest::newRow("percent fifth decimal refused") << Kind::Percent << en << "0.00001" << "0.0000" << 0.0 << false;
    QTest::newRow("percent no grouping") << Kind::Percent << en << "1,5" << "15.0000" << 15.0 << false;
    QTest::newRow("months term") << Kind::Months << en << "360" << "360" << 360.0 << false;
    QTest::newRow("months lowest") << Kind::Months << en << "-32768" << "-32768" << -32768.0 << false;
    QTest::newRow("months no point") << Kind::Months << en << "12.5" << "125" << 125.0 << false;
    QTest::newRow("months past range") << Kind::Months << en << "40000" << "40000" << 0.0 << true;
    QTest::newRow("months seventh character refused") << Kind::Months << en << "1234567" << "123456" << 0.0 << true;
    QTest::newRow("de money") << Kind::Money << de << "258000,5" << "258.000,50" << 258000.5 << false;
    QTest::newRow("de money point groups") << Kind::Money << de << "1.234" << "1.234,00" << 1234.0 << false;
    QTest::newRow("de percent") << Kind::Percent << de << "6,125" << "6,1250" << 6.125 << false;
    // Swedish writes the minus as U+2212 and groups with a no-break space.
    QTest::newRow("sv negative") << Kind::Money << "sv_SE" << "-4000" << "-4\u00a0000,00" << -4000.0 << false;
    QTest::newRow("sv own minus") << Kind::Money << "sv_SE" << "\u22124000" << "-4\u00a0000,00" << -4000.0 << false;
    QTest::newRow("sv negative term") << Kind::Months << "sv_SE" << "-12" << "-12" << -12.0 << false;
    // Egypt's settings write Arabic-Indic digits and separators; typed, they are
    // taken and shown as the field shows every number.
    QTest::newRow("ar own digits") << Kind::Money << "ar_EG" << "٣١٠٠٠٠" << "310٬000٫00" << 310000.0 << false;
    QTest::newRow("ar own decimal") << Kind::Percent << "ar_EG" << "٦٫٨٧٥" << "6٫8750" << 6.875 << false;
    QTest::newRow("ar own digits in the term") << Kind::Months << "ar_EG" << "٣٦٠" << "360" << 360.0 << false;
    QTest::newRow("fa own digits") << Kind::Money << "fa_IR" << "۱۲۵۰" << "1٬250٫00" << 1250.0 << false;
    // clang-format on
}

void TestNumericField::typed()
{
    QFETCH(Kind, kind);
    QFETCH(QString, locale);
    QFETCH(QString, keys);

    auto form = makeForm(kind, locale);
    QVERIFY(form);
    QSignalSpy exited(form->field, &NumericField::exited);
    form->field->setFocus(Qt::TabFocusReason);
    form->field->selectAll();
    for (QChar c : keys) {
        if (c.unicode() < 128)
            QTest::keyClick(form->field, c.toLatin1());
        else // a key only some keyboards have
            QTest::sendKeyEvent(QTest::Click, form->field, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
    QCOMPARE(exited.size(), 0);
    QTest::keyClick(form->field, Qt::Key_Tab);
    QVERIFY(form->next->hasFocus());
    QCOMPARE(exited.size(), 1);

    QTEST(form->field->text(), "text");
    QTEST(form->field->value(), "value");
    QTEST(form->field->hasError(), "error");
}

void TestNumericField::setFromCode_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("set");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("error");

    const QString en = QStringLiteral("en_US");
    // clang-format off
    QTest::newRow("payment shown in cents") << Kind::Money << en << 1408.943600787 << "1,408.94" << 1408.94 << false;
    QTest::newRow("no negative zero") << Kind::Money << en << -0.001 << "0.00" << 0.0 << false;
    QTest::newRow("beyond the mask kept") << Kind::Money << en << 1e12 << "1,000,000,000,000.00" << 1e12 << false;
    QTest::newRow("percent") << Kind::Percent << en << 6.0 << "6.0000" << 6.0 << false;
    QTest::newRow("months") << Kind::Months << en << 360.0 << "360" << 360.0 << false;
    QTest::newRow("months out of range") << Kind::Months << en << 99999.0 << "99999" << 0.0 << true;
    QTest::newRow("de money") << Kind::Money << "de_DE" << 2128.94 << "2.128,94" << 2128.94 << false;
    QTest::newRow("sv negative") << Kind::Money << "sv_SE" << -4000.0 << "-4\u00a0000,00" << -4000.0 << false;
    QTest::newRow("not a number shows nothing") << Kind::Money << en << std::numeric_limits<double>::quiet_NaN() << "" << 0.0 << false;
    QTest::newRow("infinity shows nothing") << Kind::Percent << en << -std::numeric_limits<double>::infinity() << "" << 0.0 << false;
    QTest::newRow("arabic digits stay readable") << Kind::Money << "ar_EG" << -1234.5 << "-1\u066c234\u066b50" << -1234.5 << false;
    // clang-format on
}

void TestNumericField::setFromCode()
{
    QFETCH(Kind, kind);
    QFETCH(QString, locale);
    QFETCH(double, set);

    auto form = makeForm(kind, locale);
    QVERIFY(form);
    QSignalSpy exited(form->field, &NumericField::exited);
    QWidget *focused = QApplication::focusWidget();
    form->field->setValue(set);
    QTEST(form->field->text(), "text");
    QTEST(form->field->value(), "value");
    QTEST(form->field->hasError(), "error");
    QCOMPARE(exited.size(), 0);
    QCOMPARE(QApplication::focusWidget(), focused);
}

void TestNumericField::colours()
{
    auto form = makeForm(Kind::Money, QStringLiteral("en_US"));
    QVERIFY(form);
    NumericField *f = form->field;
    auto base = [f] { return f->palette().color(QPalette::Active, QPalette::Base); };
    auto text = [f] { return f->palette().color(QPalette::Active, QPalette::Text); };

    QCOMPARE(base(), QColor(Qt::white));
    QCOMPARE(f->focusPolicy(), Qt::StrongFocus);

    f->setRole(NumericField::Role::Computed);
    QVERIFY(base() != QColor(Qt::white));
    QCOMPARE(text(), f->palette().color(QPalette::Active, QPalette::HighlightedText));
    QCOMPARE(f->focusPolicy(), Qt::ClickFocus); // clickable, but no Tab stop

    f->setFocus(Qt::MouseFocusReason);
    f->selectAll();
    QTest::keyClicks(f, QStringLiteral("-"));
    form->next->setFocus(Qt::MouseFocusReason);
    QVERIFY(f->hasError());
    QCOMPARE(base(), QColor(Qt::red));
    QCOMPARE(text(), QColor(Qt::black));

    f->setValue(5);
    QVERIFY(!f->hasError());
    f->setEnabled(false);
    QCOMPARE(f->palette().color(QPalette::Disabled, QPalette::Text), QColor(Qt::gray));
}

void TestNumericField::windowDeactivationIsNotLeaving()
{
    auto form = makeForm(Kind::Money, QStringLiteral("en_US"));
    QVERIFY(form);
    form->field->setFocus(Qt::TabFocusReason);
    QSignalSpy exited(form->field, &NumericField::exited);
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(exited.size(), 0);
    form->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form->window));
    form->next->setFocus(Qt::TabFocusReason);
    QCOMPARE(exited.size(), 1);
}

void TestNumericField::keypadDecimalKey_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<Qt::Key>("key"); // what the keyboard layout puts on the keypad's decimal key
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("de rate, point on the key") << Kind::Percent << "de_DE" << Qt::Key_Period << "6,8750" << 6.875;
    QTest::newRow("de rate, comma on the key") << Kind::Percent << "de_DE" << Qt::Key_Comma << "6,8750" << 6.875;
    QTest::newRow("de money") << Kind::Money << "de_DE" << Qt::Key_Period << "6,87" << 6.87;
    QTest::newRow("en rate") << Kind::Percent << "en_US" << Qt::Key_Period << "6.8750" << 6.875;
    QTest::newRow("en rate, comma on the key") << Kind::Percent << "en_US" << Qt::Key_Comma << "6.8750" << 6.875;
}

void TestNumericField::keypadDecimalKey()
{
    QFETCH(Kind, kind);
    QFETCH(QString, locale);
    QFETCH(Qt::Key, key);

    auto form = makeForm(kind, locale);
    QVERIFY(form);
    form->field->setFocus(Qt::TabFocusReason);
    form->field->selectAll();
    const auto keypad = [&](Qt::Key k, const QString &text) {
        QTest::sendKeyEvent(QTest::Click, form->field, k, text, Qt::KeypadModifier);
    };
    keypad(Qt::Key_6, QStringLiteral("6"));
    keypad(key, key == Qt::Key_Period ? QStringLiteral(".") : QStringLiteral(","));
    for (const char *digit : {"8", "7", "5"})
        keypad(Qt::Key(Qt::Key_0 + digit[0] - '0'), QLatin1StringView(digit));
    QTest::keyClick(form->field, Qt::Key_Tab);
    QTEST(form->field->text(), "text");
    QTEST(form->field->value(), "value");
}

// Where Alt hands the keyboard to the menu bar, the user has not left the
// field: nothing may recalculate, and coming back by Escape neither.
void TestNumericField::altToMenuBarIsNotLeaving()
{
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    QMainWindow window;
    QMenu *menu = window.menuBar()->addMenu(QStringLiteral("&File"));
    menu->addAction(QStringLiteral("E&xit"));
    auto *field = new NumericField(Kind::Money);
    window.setCentralWidget(field);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field->setFocus(Qt::TabFocusReason);
    QSignalSpy exited(field, &NumericField::exited);

    // What QMenuBar does when Alt is pressed and released alone; whether the
    // current style lets Alt do it is the style's business.
    window.menuBar()->setFocus(Qt::MenuBarFocusReason);
    QVERIFY(window.menuBar()->hasFocus());
    QCOMPARE(exited.size(), 0);
    field->setFocus(Qt::MenuBarFocusReason);
    QCOMPARE(exited.size(), 0);

    QTest::keyClick(field, Qt::Key_Alt);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(exited.size(), 0);
    QCOMPARE(QApplication::focusWidget(), field);
}

QTEST_MAIN(TestNumericField)
#include "tst_numericfield.moc"
