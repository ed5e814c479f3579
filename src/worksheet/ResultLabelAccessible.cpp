#include "ResultLabelAccessible.h"

#include "ResultLabel.h"

ResultLabelAccessible::ResultLabelAccessible(ResultLabel *label)
    : QAccessibleWidget(label, QAccessible::StaticText)
{
}

QString ResultLabelAccessible::text(QAccessible::Text t) const
{
    const auto *label = static_cast<const ResultLabel *>(widget());
    if (t != QAccessible::Name || !label->accessibleName().isEmpty())
        return QAccessibleWidget::text(t);
    if (!label->caption())
        return label->text();
    return label->caption()->text() + QLatin1Char(' ') + label->text();
}

void ResultLabelAccessible::installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(&ResultLabelAccessible::factory);
        return true;
    }();
    Q_UNUSED(installed);
}

QAccessibleInterface *ResultLabelAccessible::factory(const QString &className, QObject *object)
{
    // Qt asks for the most derived class first, before its own label reading.
    if (className != QLatin1StringView(ResultLabel::staticMetaObject.className()))
        return nullptr;
    return new ResultLabelAccessible(static_cast<ResultLabel *>(object));
}
