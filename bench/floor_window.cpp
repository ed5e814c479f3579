// The floor of the start-up timing: a plain Qt main window of the same shape
// as Vendalo's, showing the same words in the same fonts, built the plainest
// way Qt offers: a menu bar of four menus with as many items as Vendalo's, a
// toolbar of six buttons with captions instead of pictures, the worksheet's
// 22 labelled line edits holding the sample figures, a month box, the 5 x 14
// table with its header row and a status bar with two panels. With
// VDL_EXIT_AFTER_FIRST_PAINT set it reports its first paint the way Vendalo
// does.
#include "FirstPaintProbe.h"
#include "ResultsGrid.h"
#include "WorksheetFields.h"

#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>

#include <tuple>

namespace {

QFont arial(int pixelSize, bool bold = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void addMenu(QMenuBar *bar, const QString &title, int items)
{
    QMenu *menu = bar->addMenu(title);
    for (int i = 0; i < items; ++i)
        menu->addAction(QStringLiteral("Item %1 ...").arg(i + 1));
}

QLabel *addLabel(QWidget *parent, const QString &text, const QRect &geometry,
                 const QFont &font = arial(12))
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    label->setGeometry(geometry);
    return label;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vendalo, 2.2.10"));
    window.setFont(arial(12));

    addMenu(window.menuBar(), QStringLiteral("&File"), 3);
    addMenu(window.menuBar(), QStringLiteral("&Real Estate Forms"), 2);
    addMenu(window.menuBar(), QStringLiteral("&Online Resources"), 12);
    addMenu(window.menuBar(), QStringLiteral("&Help"), 5);

    QToolBar *toolBar = window.addToolBar(QStringLiteral("Tools"));
    toolBar->setMovable(false);
    for (const char *caption : {"Preview", "Reset", "Update", "About", "Help", "Exit"})
        toolBar->addAction(QString::fromLatin1(caption));

    auto *client = new QWidget(&window);
    client->setFixedSize(790, 546);
    addLabel(client, QStringLiteral("Home Sales Transaction Details"), QRect(15, 2, 500, 23),
             arial(19, true));
    addLabel(client, QStringLiteral("Enter the numbers related to selling your home:"),
             QRect(15, 25, 600, 23), arial(19));

    // The worked example, with what the recalculation made of it.
    const QHash<QString, double> figures{
        {QStringLiteral("edtVDPOriginalLoanAmount"), 235000},
        {QStringLiteral("edtVDPOriginalTerm"), 360},
        {QStringLiteral("edtVDPOriginalInterestRate"), 6},
        {QStringLiteral("edtVDPOriginalPI"), 1408.94},
        {QStringLiteral("edtVDPDesiredSalesPrice"), 258000},
        {QStringLiteral("edtVDPFirstLoanBalance"), 228000},
        {QStringLiteral("edtVDPPropertyTaxes"), 1200},
        {QStringLiteral("edtVDPInsurance"), 1800},
        {QStringLiteral("edtVDPAnnualHOADues"), 1200},
        {QStringLiteral("edtVDPMonthlyUtilities"), 370},
        {QStringLiteral("edtVDPPropertyTaxesPaid"), 700},
        {QStringLiteral("edtVDPSalesCommissionPercent"), 6},
        {QStringLiteral("edtVDPSalesCommission"), 15480},
        {QStringLiteral("edtVDPOtherFees"), 50},
    };
    const QLocale locale;
    auto *panel = new QWidget(client);
    panel->setGeometry(15, 50, 761, 321);
    for (const WorksheetField &entry : worksheetFields()) {
        const QString caption = QString::fromLatin1(entry.caption);
        QLabel *label = addLabel(panel, caption, QRect());
        const int w = label->fontMetrics().horizontalAdvance(caption) + 4;
        label->setGeometry(entry.labelRight - w, entry.field.top(), w, 21);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (qstrcmp(entry.name, closingMonthBoxName) == 0) {
            auto *month = new QComboBox(panel);
            month->setEditable(true);
            for (int m = 1; m <= 12; ++m)
                month->addItem(locale.monthName(m));
            month->setCurrentIndex(6);
            month->setGeometry(entry.field);
            continue;
        }
        const double value = figures.value(QString::fromLatin1(entry.name));
        const int decimals = entry.kind == NumericField::Kind::Months ? 0 : 2;
        auto *edit = new QLineEdit(locale.toString(value, 'f', decimals), panel);
        edit->setGeometry(entry.field);
        edit->setAlignment(Qt::AlignRight);
    }
    QPalette red;
    red.setColor(QPalette::WindowText, Qt::red);
    const std::tuple<const char *, const char *, int> totals[] = {
        {"Your Monthly Carrying Costs:", "$2,128.94", 346},
        {"Sales Transacation Costs:", "$16,230.00", 760},
    };
    for (auto [caption, text, end] : totals) {
        QLabel *label = addLabel(panel, QString::fromLatin1(caption),
                                 QRect(end - 296, 290, 170, 21), arial(12, true));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QLabel *total = addLabel(panel, QString::fromLatin1(text), QRect(end - 122, 290, 122, 21),
                                 arial(12, true));
        total->setPalette(red);
        total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    auto *hidden = new QLineEdit(locale.toString(0.0, 'f', 2), client);
    hidden->hide();

    addLabel(client,
             QStringLiteral("NET PROCEEDS:  Profits (Sales Proceeds) Diminish with Each Month the "
                            "House is On the Market"),
             QRect(6, 374, 560, 21), arial(12, true));
    addLabel(client, QStringLiteral("Sales Price Interval"), QRect(580, 374, 110, 21));
    auto *spread = new QLineEdit(locale.toString(4000.0, 'f', 2), client);
    spread->setGeometry(693, 374, 91, 21);
    spread->setAlignment(Qt::AlignRight);

    auto *table = new QTableWidget(ResultsGrid::rows, ResultsGrid::columns, client);
    table->setGeometry(0, 397, 790, 130);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(22);
    QFont cellFont;
    cellFont.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans")});
    cellFont.setPixelSize(11);
    table->setFont(cellFont);
    cellFont.setBold(true);
    for (int c = 0; c < ResultsGrid::columns; ++c) {
        auto *header = new QTableWidgetItem(ResultsGrid::headerText(c));
        header->setFont(cellFont);
        header->setTextAlignment(Qt::AlignCenter);
        table->setItem(0, c, header);
        table->setColumnWidth(c, ResultsGrid::standardColumnWidth(c));
    }
    window.setCentralWidget(client);

    auto *link = new QLabel(QStringLiteral("<a href=\"https://www.vendalo.example/\">Vendalo "
                                           "Online</a>"));
    link->setTextFormat(Qt::RichText);
    window.statusBar()->addWidget(link);
    window.statusBar()->addWidget(
        new QLabel(QStringLiteral("Welcome to Vendalo by Brantel Software")), 1);

    installFirstPaintProbe(&window);
    window.show();
    return app.exec();
}
