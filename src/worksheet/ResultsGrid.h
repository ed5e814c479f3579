#pragma once

#include <QTableWidget>

// The net proceeds grid: row 0 is a fixed header row, rows 1 to 4 hold one
// sales price each over the months on the market. Read-only, never focused.
class ResultsGrid : public QTableWidget
{
    Q_OBJECT

public:
    static constexpr int rows = 5;
    static constexpr int columns = 14;

    explicit ResultsGrid(QWidget *parent = nullptr);

    // Rows (with their cells, should any be missing), current cell at the
    // top-left header cell, every cell centred,
    // the column widths. Done when the window is made and on every recalculation.
    void prepare();
    // A text wider than its column gets the whole text as its tip.
    void setCellText(int row, int column, const QString &text);
    QString cellText(int row, int column) const;

    static QString headerText(int column);
    static int standardColumnWidth(int column);

private:
    bool fitsColumn(const QString &text, int column) const;
};
