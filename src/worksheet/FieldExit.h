#pragma once

class QFocusEvent;

// Whether losing the focus counts as the user leaving a worksheet field,
// the event on which the worksheet recalculates. Moving on by keyboard or
// mouse does; a menu or list popping up, another window taking over and the
// Alt key handing the keyboard to the menu bar do not: the user comes back to
// the same field, and a message box shown in between would otherwise start
// the recalculation again.
bool isFieldExit(const QFocusEvent &event);
