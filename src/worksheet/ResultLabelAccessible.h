#pragma once

#include <QAccessibleWidget>

class ResultLabel;

// What a screen reader hears for a result label: its caption and then its
// text ("Your Monthly Carrying Costs: $1,234.56"), where Qt's own reading of
// a label would give only the amount.
class ResultLabelAccessible : public QAccessibleWidget
{
public:
    explicit ResultLabelAccessible(ResultLabel *label);

    QString text(QAccessible::Text t) const override;

    // Hands out this interface for every ResultLabel; installing it twice
    // does nothing.
    static void installFactory();

private:
    static QAccessibleInterface *factory(const QString &className, QObject *object);
};
