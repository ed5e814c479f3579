#pragma once

#include "PreparedPage.h"

#include <QFont>

class ReportTemplate;

// Turns templates into prepared pages. Layout is done in layout units with
// the font's own outline metrics, independent of any screen or printer.
namespace report {

// Inset of a text box's text area from the box.
inline constexpr double textInsetX = 2;
inline constexpr double textInsetY = 1;
// Space between consecutive lines beyond the font's line height.
inline constexpr double lineGap = 2;

QFont qtFont(const ReportFont &font);

// The box with its text broken into lines and placed, relative to `origin`
// (the top-left corner of its band on the sheet).
PlacedText placeText(const TextBox &box, QPointF origin = {});

PreparedPage preparePage(const TemplatePage &page);

// One prepared page per template page, with the texts the slots hold now.
QList<PreparedPage> prepareReport(const ReportTemplate &report);

} // namespace report
