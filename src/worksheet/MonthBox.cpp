#include "MonthBox.h"

#include "FieldExit.h"
#include "SaleCalculation.h"

#include <QFocusEvent>
#include <QLineEdit>

MonthBox::MonthBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    // Completion would turn a typed "j" into "january" behind the user's back;
    // the recalculation decides what a typed text means.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(12);
    for (const char *name : ClosingMonthNames())
        addItem(QString::fromLatin1(name));
    setCurrentIndex(6); // "July"
}

void MonthBox::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    if (!isFieldExit(*event))
        return;
    Q_EMIT exited();
}
