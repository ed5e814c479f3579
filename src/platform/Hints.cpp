#include "Hints.h"

#include <QVariant>
#include <QWidget>

namespace hints {
namespace {

constexpr char hintProperty[] = "vdlHint";
constexpr char helpContextProperty[] = "vdlHelpContext";

} // namespace

void setHint(QWidget *widget, const QString &text)
{
    widget->setProperty(hintProperty, text);
}

QString hint(const QWidget *widget)
{
    return widget->property(hintProperty).toString();
}

QString nearestHint(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QString text = hint(widget);
        if (!text.isEmpty())
            return text;
    }
    return {};
}

QString shortPart(const QString &text)
{
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    return bar < 0 ? text : text.left(bar);
}

QString longPart(const QString &text)
{
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    return bar < 0 ? text : text.mid(bar + 1);
}

void setHelpContext(QWidget *widget, int context)
{
    widget->setProperty(helpContextProperty, context);
}

int nearestHelpContext(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const int context = widget->property(helpContextProperty).toInt();
        if (context != 0)
            return context;
    }
    return 0;
}

} // namespace hints
