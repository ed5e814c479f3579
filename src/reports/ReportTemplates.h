#pragma once

#include "ReportTemplate.h"

// The program's three documents, as built into it. Each call builds a fresh
// template whose slots hold placeholders until a print command fills them.
namespace report {

// One US Letter page: the worksheet's inputs, its two totals and the net
// proceeds for four sales prices over twelve months on the market.
ReportTemplate makeNetGainAfterSale();

// Four pages of rating tables: general interior and kitchen, rooms,
// exterior, systems with room for additional notes.
ReportTemplate makeHomeInspectionForm();

// Three pages of tasks with boxes to tick, by the time left before moving day.
ReportTemplate makeToDoList();

// The number of table lines and columns of the net gain report: line k,
// column c is the slot "lbl<k>_<c>".
inline constexpr int netGainTableLines = 14;
inline constexpr int netGainTableColumns = 4;

} // namespace report
