// What a screen reader finds in the main window: the accessible tree as Qt
// hands it to the platform's accessibility bridge (AT-SPI on Linux).
#include "Application.h"
#include "HelpViewer.h"
#include "Hints.h"
#include "MonthBox.h"
#include "NumericField.h"
#include "Platform.h"
#include "ResultsGrid.h"
#include "TfrmMain.h"
#include "Worksheet.h"

#include <QAccessible>
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <functional>

namespace {

using Visit = std::function<void(QAccessibleInterface *)>;

// Every interface below `iface` that is not hidden, depth first.
void walk(QAccessibleInterface *iface, const Visit &visit, int depth = 0)
{
    QVERIFY2(depth < 40, "the accessible tree has a cycle");
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        if (!child || child->state().invisible)
            continue;
        QCOMPARE(child->parent() ? child->parent()->object() : nullptr, iface->object());
        visit(child);
        walk(child, visit, depth + 1);
    }
}

QString nameOf(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// The name of what labels `object` for assistive tools; empty without one.
QString labelOf(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    const auto labels = iface ? iface->relations(QAccessible::Label)
                              : QList<QPair<QAccessibleInterface *, QAccessible::Relation>>();
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

QString descriptionOf(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Description) : QString();
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void entryFieldIsNamedByItsCaption_data();
    void entryFieldIsNamedByItsCaption();
    void everyEntryControlInTheTreeIsNamed();
    void gridExposesColumnTitlesAndPriceRows();
    void resultLabelsReadWithTheirCaptions();
    void toolbarButtonsAreNamed();
    void menuItemsAreNamed();
    void statusBarLinkIsNamed();
    void keyboardFocusIsShown();
    void everyMenuCommandIsReachableByKeyboard();

private:
    QWidget *control(const char *name) const
    {
        return m_window->findChild<QWidget *>(QLatin1StringView(name));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfrmMain> m_window;
};

void TestAccessibility::initTestCase()
{
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    HelpViewer::setWindowEnabled(false);
    platform::setInformationHandler([](QWidget *, const QString &) {});
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("XDG_CONFIG_HOME", m_dir->path().toLocal8Bit());

    m_window = std::make_unique<TfrmMain>();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestAccessibility::cleanupTestCase()
{
    if (m_window)
        m_window->close();
    m_window.reset();
}

void TestAccessibility::entryFieldIsNamedByItsCaption_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("calculated");

    // Tab order; the computed fields have no Tab stop but are read all the same.
    const std::pair<const char *, const char *> inputs[] = {
        {"edtVDPOriginalLoanAmount", "Your Loan Amount $"},
        {"edtVDPOriginalTerm", "Term"},
        {"edtVDPOriginalInterestRate", "Interest Rate %"},
        {"edtVDPOriginalPI", "Monthly Payment (P&I) $"},
        {"edtVDPDesiredSalesPrice", "Your Desired Sales Price $"},
        {"edtVDPFirstLoanBalance", "First Mortgage Balance $"},
        {"edtVDPSecondLoanBalance", "Second Mortgage Balance $"},
        {"edtVDPOtherLoans", "Other Loans Against House $"},
        {"edtVDPPropertyTaxes", "Annual Property Taxes $"},
        {"edtVDPInsurance", "Annual Insurance $"},
        {"edtVDPAnnualHOADues", "Annual HOA Dues $"},
        {"edtVDPMonthlyUtilities", "Average Monthly Utilities $"},
        {"cbVDPClosingMonth", "Estimated Closing Month"},
        {"edtVDPPropertyTaxesPaid", "Prorated Property Taxes Due $"},
        {"edtVDPTransferTaxPercent", "Transfer Taxes (% of Sales Price)"},
        {"edtVDPTransferTaxesPaid", "Transfer Taxes Due $"},
        {"edtVDPPrepaymentPenalty", "Mortgage Prepayment Penalty $"},
        {"edtVDPSalesCommissionPercent", "Sales Commission %"},
        {"edtVDPSalesCommission", "Sales Commission $"},
        {"edtVDPOtherSalesCommission", "Other Sales Commission $"},
        {"edtVDPOtherFees", "Other Fees $"},
        {"edtSpread", "Sales Price Interval"},
    };
    const QSet<QString> computed{
        QStringLiteral("edtVDPOriginalPI"), QStringLiteral("edtVDPPropertyTaxesPaid"),
        QStringLiteral("edtVDPTransferTaxesPaid"), QStringLiteral("edtVDPSalesCommission")};
    for (const auto &[object, name] : inputs)
        QTest::newRow(object) << QString::fromLatin1(name)
                              << computed.contains(QLatin1StringView(object));
}

void TestAccessibility::entryFieldIsNamedByItsCaption()
{
    QFETCH(QString, name);
    QFETCH(bool, calculated);

    QWidget *field = control(QTest::currentDataTag());
    QVERIFY(field);
    if (auto *box = qobject_cast<QComboBox *>(field)) {
        // Qt on Linux names a combo box by its text and leaves the caption to
        // the label relation, which is what a screen reader reads first.
        QCOMPARE(labelOf(box), name);
        QCOMPARE(nameOf(box->lineEdit()), name);
        QCOMPARE(box->accessibleName(), name);
    } else {
        QCOMPARE(nameOf(field), name);
        // Where the caption has no ampersand it also labels the field.
        if (name.contains(u'$') && !name.contains(u'&') && name != u"Sales Commission $")
            QCOMPARE(labelOf(field), name);
    }

    // Reachable from the window the way a screen reader walks it.
    bool found = false;
    walk(QAccessible::queryAccessibleInterface(m_window.get()),
         [&](QAccessibleInterface *iface) { found = found || iface->object() == field; });
    QVERIFY(found);

    const QString description = descriptionOf(field);
    if (calculated) {
        QVERIFY2(description.startsWith(u"Calculated"), qPrintable(description));
    } else {
        // What the status bar would show under the pointer, for ears.
        QCOMPARE(description, hints::longPart(hints::hint(field)).trimmed());
        QVERIFY(!description.isEmpty());
    }
}

void TestAccessibility::everyEntryControlInTheTreeIsNamed()
{
    // The visible controls that take figures: none may be nameless, and there
    // are exactly the 22 of the worksheet.
    QSet<QObject *> entries;
    QStringList nameless;
    walk(QAccessible::queryAccessibleInterface(m_window.get()), [&](QAccessibleInterface *iface) {
        const QAccessible::Role role = iface->role();
        if (role != QAccessible::EditableText && role != QAccessible::ComboBox &&
            role != QAccessible::SpinBox)
            return;
        if (iface->text(QAccessible::Name).isEmpty())
            nameless << iface->object()->objectName() + QLatin1Char('/') +
                            QString::fromLatin1(iface->object()->metaObject()->className());
        // The text part of the month box belongs to the box.
        if (!qobject_cast<QComboBox *>(iface->object()->parent()))
            entries.insert(iface->object());
    });
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u", ")));
    QCOMPARE(entries.size(), 22);
    QVERIFY(!entries.contains(control("edtEnteredPrepaymentPenalty")));
}

void TestAccessibility::gridExposesColumnTitlesAndPriceRows()
{
    ResultsGrid *grid = m_window->worksheet()->grid();
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(grid);
    QVERIFY(iface);
    QAccessibleTableInterface *table = iface->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->columnCount(), ResultsGrid::columns);

    // The column headers a screen reader announces, as the table and as its children.
    QStringList titles;
    for (int c = 0; c < ResultsGrid::columns; ++c)
        titles << ResultsGrid::headerText(c);
    QStringList described, headerChildren;
    for (int c = 0; c < ResultsGrid::columns; ++c)
        described << table->columnDescription(c);
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        if (child && child->role() == QAccessible::ColumnHeader)
            headerChildren << child->text(QAccessible::Name);
    }
    QCOMPARE(described, titles);
    QCOMPARE(headerChildren, titles);
    QCOMPARE(titles.at(1), QStringLiteral("Desired Proceeds"));
    QCOMPARE(titles.at(13), QStringLiteral("12 Months"));

    // Each row of figures is headed by its sales price once there is one; the
    // row of titles has no number of its own to read out.
    for (int r = 0; r < ResultsGrid::rows; ++r)
        QCOMPARE(table->rowDescription(r), QString());
    NumericField *price = m_window->worksheet()->field(u"edtVDPDesiredSalesPrice");
    price->setFocus();
    m_window->worksheet()->field(u"edtVDPFirstLoanBalance")->setFocus(); // leaving recalculates
    QVERIFY(grid->cellText(2, 0).startsWith(u'$'));
    for (int r = 1; r < ResultsGrid::rows; ++r) {
        QCOMPARE(table->rowDescription(r), grid->cellText(r, 0));
        QAccessibleInterface *cell = table->cellAt(r, 5);
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), grid->cellText(r, 5));
        QCOMPARE(cell->tableCellInterface()->rowIndex(), r);
    }
    QCOMPARE(table->rowDescription(0), QString());
    // Rows the grid lost and got back are headed again after the next recalculation.
    grid->setRowCount(3);
    m_window->worksheet()->CalcVDP(nullptr);
    QCOMPARE(table->rowDescription(4), grid->cellText(4, 0));
    QVERIFY(!grid->cellText(4, 0).isEmpty());
    // The grid looks as before: titles in row 0, no header bars.
    QVERIFY(grid->horizontalHeader()->isHidden());
    QVERIFY(grid->verticalHeader()->isHidden());
    QCOMPARE(grid->cellText(0, 4), QStringLiteral("3 Months"));
}

void TestAccessibility::resultLabelsReadWithTheirCaptions()
{
    Worksheet *sheet = m_window->worksheet();
    sheet->CalcVDP(nullptr);
    const QString carrying = sheet->carryingCostsLabel()->text();
    QVERIFY(carrying.startsWith(u'$'));
    QCOMPARE(nameOf(sheet->carryingCostsLabel()),
             QStringLiteral("Your Monthly Carrying Costs: ") + carrying);
    QCOMPARE(nameOf(sheet->closingCostsLabel()),
             QStringLiteral("Sales Transacation Costs: ") + sheet->closingCostsLabel()->text());

    // A new amount is read, not one remembered from before.
    sheet->carryingCostsLabel()->setText(QStringLiteral("$1.00"));
    QCOMPARE(nameOf(sheet->carryingCostsLabel()),
             QStringLiteral("Your Monthly Carrying Costs: $1.00"));
    QCOMPARE(QAccessible::queryAccessibleInterface(sheet->carryingCostsLabel())->role(),
             QAccessible::StaticText);
    // Other labels keep Qt's own reading.
    auto *title = m_window->findChild<QLabel *>(QStringLiteral("lblMainMenu"));
    QCOMPARE(nameOf(title), QStringLiteral("Home Sales Transaction Details"));
}

void TestAccessibility::toolbarButtonsAreNamed()
{
    QStringList names;
    walk(QAccessible::queryAccessibleInterface(m_window.get()), [&](QAccessibleInterface *iface) {
        if (qobject_cast<QToolButton *>(iface->object()))
            names << iface->text(QAccessible::Name);
    });
    QCOMPARE(names, (QStringList{"Print Preview", "Reset values", "Check for Update", "About",
                                 "Help", "Close Vendalo ..."}));
    QCOMPARE(descriptionOf(control("btnPrint")), QStringLiteral("Display Print Preview ..."));
    QCOMPARE(QAccessible::queryAccessibleInterface(control("btnExit"))->role(),
             QAccessible::Button);
}

void TestAccessibility::menuItemsAreNamed()
{
    // Each menu and each item is read by its caption without the access-key
    // marker; separators are the only unnamed entries.
    QMenuBar *bar = m_window->menuBar();
    QAccessibleInterface *barIface = QAccessible::queryAccessibleInterface(bar);
    QStringList menus;
    for (int i = 0; i < barIface->childCount(); ++i)
        menus << barIface->child(i)->text(QAccessible::Name);
    QCOMPARE(menus, (QStringList{"File", "Real Estate Forms", "Online Resources", "Help"}));

    int items = 0;
    const QList<QMenu *> all = m_window->findChildren<QMenu *>();
    for (QMenu *menu : all) {
        QAccessibleInterface *menuIface = QAccessible::queryAccessibleInterface(menu);
        QCOMPARE(menuIface->childCount(), menu->actions().size());
        for (int i = 0; i < menuIface->childCount(); ++i) {
            QAction *action = menu->actions().at(i);
            const QString name = menuIface->child(i)->text(QAccessible::Name);
            if (action->isSeparator()) {
                QVERIFY(name.isEmpty());
                continue;
            }
            QVERIFY2(!name.isEmpty(), qPrintable(action->objectName()));
            QVERIFY2(!name.contains(u'&'), qPrintable(name));
            ++items;
        }
    }
    QVERIFY(items >= 30);
    QAccessibleInterface *file = QAccessible::queryAccessibleInterface(
        m_window->findChild<QMenu *>(QStringLiteral("MnuFile")));
    QCOMPARE(file->child(1)->text(QAccessible::Name), QStringLiteral("Print Preview ..."));
}

void TestAccessibility::statusBarLinkIsNamed()
{
    auto *link = m_window->findChild<QLabel *>(QStringLiteral("statusBarPanel0"));
    QVERIFY(link);
    QCOMPARE(nameOf(link), QStringLiteral("www.vendalo.example"));
    QVERIFY(!descriptionOf(link).isEmpty());
}

void TestAccessibility::keyboardFocusIsShown()
{
    // The style marks the focused field by its frame, not only by the
    // blinking caret: compare the outer two pixels all round.
    const auto frame = [](QWidget *w) {
        const QImage image = w->grab().toImage();
        QList<QRgb> ring;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (x < 2 || y < 2 || x >= image.width() - 2 || y >= image.height() - 2)
                    ring << image.pixel(x, y);
            }
        }
        return ring;
    };
    for (const char *name : {"edtVDPInsurance", "cbVDPClosingMonth", "edtSpread"}) {
        QWidget *field = control(name);
        QWidget *other = control("edtVDPOriginalTerm");
        other->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(other->hasFocus());
        const QList<QRgb> unfocused = frame(field);
        field->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(field->hasFocus());
        QVERIFY2(frame(field) != unfocused, name);
    }
}

void TestAccessibility::everyMenuCommandIsReachableByKeyboard()
{
    // Alt and the menu's access key open it; the arrow keys walk to every
    // item, into the submenu too, and Return runs it. The handlers are
    // unhooked here: only the way there is under test.
    m_window->worksheet()->CalcVDP(nullptr); // enables File > Print Preview
    QMenuBar *bar = m_window->menuBar();
    const auto keyToPopup = [](Qt::Key key) {
        QWidget *popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QTest::keyClick(popup, key);
    };
    int reached = 0;
    const QList<QAction *> menus = bar->actions();
    for (QAction *menuAction : menus) {
        const QString title = menuAction->text();
        const qsizetype amp = title.indexOf(u'&');
        QVERIFY2(amp >= 0, qPrintable(title));
        const auto accessKey = Qt::Key(title.at(amp + 1).toUpper().unicode());
        QMenu *menu = menuAction->menu();

        // The items in the order the arrow keys meet them, submenus opened.
        QList<std::pair<QAction *, QList<Qt::Key>>> targets;
        int down = 0;
        for (QAction *action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            QList<Qt::Key> path(down, Qt::Key_Down);
            if (QMenu *sub = action->menu()) {
                int subDown = 0;
                for (QAction *item : sub->actions()) {
                    QList<Qt::Key> subPath = path;
                    subPath << Qt::Key_Right;
                    subPath << QList<Qt::Key>(subDown++, Qt::Key_Down);
                    targets.push_back({item, subPath});
                }
            } else {
                targets.push_back({action, path});
            }
            ++down;
        }
        for (const auto &[action, path] : targets) {
            QVERIFY2(action->isEnabled(), qPrintable(action->objectName()));
            QObject::disconnect(action, &QAction::triggered, m_window.get(), nullptr);
            QSignalSpy triggered(action, &QAction::triggered);
            m_window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
            QTest::keyClick(QApplication::focusWidget(), accessKey, Qt::AltModifier);
            QTRY_VERIFY(menu->isVisible());
            for (Qt::Key key : path)
                keyToPopup(key);
            keyToPopup(Qt::Key_Return);
            QVERIFY2(triggered.size() == 1, qPrintable(action->objectName()));
            QTRY_VERIFY(!QApplication::activePopupWidget());
            ++reached;
        }
    }
    // File 3, Real Estate Forms 2, Online Resources 5 and 5 more in the
    // submenu, Help 5.
    QCOMPARE(reached, 20);
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestAccessibility test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_accessibility.moc"
