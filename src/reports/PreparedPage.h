#pragma once

#include "ReportTemplate.h"

#include <QList>
#include <QRectF>
#include <QString>

// A laid-out sheet: every text box and rule at its place on the paper, the
// texts already broken into lines. Drawing, printing and the report file
// work from this alone, never from the template.
namespace report {

struct PlacedLine
{
    QString text;
    QRectF rect;     // the line's ink box: natural width, ascent plus descent
    double baseline; // y of the baseline

    friend bool operator==(const PlacedLine &, const PlacedLine &) = default;
};

struct PlacedText
{
    QString name;
    QRectF rect; // the box on the sheet; drawing is clipped to it
    ReportFont font;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool framed = false;
    QList<PlacedLine> lines; // may reach past the box; those parts are not drawn

    friend bool operator==(const PlacedText &, const PlacedText &) = default;
};

struct PlacedRule
{
    QPointF start; // on the sheet; the line runs to the right
    double length = 0;
    double thickness = 1;

    friend bool operator==(const PlacedRule &, const PlacedRule &) = default;
};

struct PreparedPage
{
    QSizeF size{paperWidth, paperHeight};
    QList<PlacedText> texts;
    QList<PlacedRule> rules;

    friend bool operator==(const PreparedPage &, const PreparedPage &) = default;
};

} // namespace report
