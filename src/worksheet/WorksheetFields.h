#pragma once

#include "NumericField.h"

#include <QRect>

#include <span>

// One control of the worksheet: its object name, the caption of its label,
// what it holds, the status-bar hint and where it sits. The catalogue lists
// them in Tab order.
struct WorksheetField
{
    const char *name;
    const char *caption; // nullptr: no label of its own
    NumericField::Kind kind;
    NumericField::Role role;
    const char *hint; // nullptr: none
    QRect field;      // within pnlMain
    int labelRight;   // the label ends here, right-aligned; ignored without caption
    // What a screen reader calls the field where no caption of its own names it.
    const char *spokenName = nullptr;
};

// The name a screen reader gives the control: its caption, or its spoken name.
QString accessibleNameOf(const WorksheetField &entry);

// The 20 numeric fields and the closing-month box of pnlMain in Tab order.
// The closing-month box is the entry named cbVDPClosingMonth; its kind is
// meaningless.
std::span<const WorksheetField> worksheetFields();

inline constexpr char closingMonthBoxName[] = "cbVDPClosingMonth";
