#include "ResultsGrid.h"

#include <QHeaderView>
#include <QStyle>

ResultsGrid::ResultsGrid(QWidget *parent)
    : QTableWidget(parent)
{
    setColumnCount(columns);
    setRowCount(rows);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(22);
    horizontalHeader()->setMinimumSectionSize(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setShowGrid(true);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QFont cellFont;
    // Tahoma where it exists; else Liberation Sans, which keeps the header texts
    // inside their columns where the wider DejaVu Sans would not.
    cellFont.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans")});
    cellFont.setPixelSize(11);
    setFont(cellFont);
    prepare();
}

void ResultsGrid::prepare()
{
    setRowCount(rows);
    QFont headerFont = font();
    headerFont.setBold(true);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            QTableWidgetItem *cell = item(r, c);
            if (!cell) {
                cell = new QTableWidgetItem;
                cell->setFlags(Qt::ItemIsEnabled);
                if (r == 0) {
                    cell->setText(headerText(c));
                    cell->setFont(headerFont);
                    cell->setBackground(palette().button());
                }
                setItem(r, c, cell);
            }
            cell->setTextAlignment(Qt::AlignCenter);
        }
        // The headers stay hidden, since row 0 shows the column titles, but a
        // screen reader reads a cell with its headers: the column's title and
        // the row's sales price (none for the row of titles).
        if (!verticalHeaderItem(r))
            setVerticalHeaderItem(r, new QTableWidgetItem(r > 0 ? item(r, 0)->text() : QString()));
    }
    for (int c = 0; c < columns; ++c) {
        if (!horizontalHeaderItem(c))
            setHorizontalHeaderItem(c, new QTableWidgetItem(headerText(c)));
    }
    setCurrentCell(0, 0);
    for (int c = 0; c < columns; ++c)
        setColumnWidth(c, standardColumnWidth(c));
}

void ResultsGrid::setCellText(int row, int column, const QString &text)
{
    QTableWidgetItem *cell = item(row, column);
    cell->setText(text);
    if (column == 0 && row > 0)
        verticalHeaderItem(row)->setText(text);
    // The column keeps its width and a text too wide for it is cut short on
    // screen, so the whole amount is offered as the cell's tip.
    cell->setToolTip(fitsColumn(text, column) ? QString() : text);
}

bool ResultsGrid::fitsColumn(const QString &text, int column) const
{
    // The view leaves this much room on either side of a cell's text.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return fontMetrics().horizontalAdvance(text) + 2 * margin <= columnWidth(column);
}

QString ResultsGrid::cellText(int row, int column) const
{
    return item(row, column)->text();
}

QString ResultsGrid::headerText(int column)
{
    switch (column) {
    case 0:
        return QStringLiteral("Sales Price");
    case 1:
        return QStringLiteral("Desired Proceeds");
    case 2:
        return QStringLiteral("After 1 Month");
    default:
        return QStringLiteral("%1 Months").arg(column - 1);
    }
}

int ResultsGrid::standardColumnWidth(int column)
{
    switch (column) {
    case 0:
        return 80;
    case 1:
        return 115;
    case 2:
        return 100;
    default:
        return 70;
    }
}
