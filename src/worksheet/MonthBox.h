#pragma once

#include <QComboBox>

// The editable closing-month box: the twelve month names to pick from, or any
// text typed. Leaving it (not by the window losing the focus or the list
// popping up) emits exited().
class MonthBox : public QComboBox
{
    Q_OBJECT

public:
    explicit MonthBox(QWidget *parent = nullptr);

Q_SIGNALS:
    void exited();

protected:
    void focusOutEvent(QFocusEvent *event) override;
};
