#pragma once

#include <QString>

class QWidget;

// The hints and help contexts of controls. A hint has two parts separated by
// "|": the short part is the pop-up tip, the long part (the text after the
// first "|", or the whole hint when it has none) goes into the status bar.
// A help context is the number of the help topic F1 opens over the control.
namespace hints {

void setHint(QWidget *widget, const QString &hint);
QString hint(const QWidget *widget);
// The hint of `widget`, or of its nearest parent that has one; empty when none has.
QString nearestHint(const QWidget *widget);

QString shortPart(const QString &hint);
QString longPart(const QString &hint);

void setHelpContext(QWidget *widget, int context);
// The help context of `widget`, or of its nearest parent that has one; 0 when none has.
int nearestHelpContext(const QWidget *widget);

} // namespace hints
