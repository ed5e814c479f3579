#pragma once

#include "NumericField.h"

#include <QWidget>

#include <exception>

class MonthBox;
class QLabel;
class ResultsGrid;

// The worksheet of the main window: the headings, the panel of fields pnlMain,
// the two result labels, and pnlEffects with the interval field and the
// results grid. The controls themselves hold the figures; every other part of
// the program reads and writes them by their object names.
class Worksheet : public QWidget
{
    Q_OBJECT

public:
    static constexpr int width = 790;
    static constexpr int height = 527;
    static constexpr char unsetResultText[] = "$99,9999.99";
    // The help topic F1 opens in the closing-month box; elsewhere the
    // window's own topic applies.
    static constexpr int closingMonthHelpContext = 130;

    explicit Worksheet(QWidget *parent = nullptr);
    ~Worksheet() override;

    // A numeric field by object name, edtSpread and edtEnteredPrepaymentPenalty
    // included; nullptr for any other name.
    NumericField *field(QAnyStringView name) const;
    MonthBox *closingMonthBox() const { return m_closingMonth; }
    QLabel *carryingCostsLabel() const { return m_carryingCosts; }
    QLabel *closingCostsLabel() const { return m_closingCosts; }
    ResultsGrid *grid() const { return m_grid; }

    // The one recalculation: reads every input field, writes the computed
    // fields, both result labels and the grid. `sender` is the control whose
    // event started it; only the closing-month box is treated differently.
    // Raises FloatingPointError when the arithmetic fails; what was written
    // before that stays.
    void CalcVDP(QObject *sender);

Q_SIGNALS:
    // Emitted at the start of every recalculation: print preview is now available.
    void allowPrintingRequested();
    // A recalculation started by leaving or changing a control failed; the
    // error is handed on here instead of unwinding through the toolkit.
    void recalculationFailed(QObject *sender, std::exception_ptr error);

private:
    void buildMainPanel();
    void buildEffectsPanel();
    NumericField *addField(QWidget *panel, const char *name, NumericField::Kind kind,
                           NumericField::Role role, const char *hint, const QRect &geometry);
    void recalculateFrom(QObject *sender);
    static void describe(QWidget *control, const QString &name, NumericField::Role role);
    static void labelBy(QLabel *caption, QWidget *control);
    QLabel *addLabel(QWidget *panel, const QString &caption, int right, int top, bool bold = false);

    QList<NumericField *> m_fields; // every numeric field, hidden one included
    QList<QWidget *> m_tabOrder;
    MonthBox *m_closingMonth = nullptr;
    QLabel *m_carryingCosts = nullptr;
    QLabel *m_closingCosts = nullptr;
    ResultsGrid *m_grid = nullptr;
};
