#include "FieldExit.h"

#include <QFocusEvent>

bool isFieldExit(const QFocusEvent &event)
{
    switch (event.reason()) {
    case Qt::PopupFocusReason:
    case Qt::ActiveWindowFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        return true;
    }
}
