#pragma once

#include <QFlags>
#include <QList>
#include <QRectF>
#include <QString>

// A printed document as the program holds it: pages of bands, bands of text
// boxes and horizontal rules. Positions and sizes are in layout units of
// 1/96 inch and may be fractional; the sheet is US Letter portrait, 816 by
// 1056 units, without margins.
namespace report {

inline constexpr double paperWidth = 816;
inline constexpr double paperHeight = 1056;

// Arial (Liberation Sans where Arial is missing), black, sized by its
// character height in units.
struct ReportFont
{
    double height = 13;
    bool bold = false;
    bool italic = false;

    friend bool operator==(const ReportFont &, const ReportFont &) = default;
};

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

struct TextBox
{
    QString name;
    QRectF rect; // within its band
    ReportFont font;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool framed = false; // a black line 1 unit wide along all four edges
    QString text;
};

// Drawn from (left, top) to (left + length, top).
struct HorizontalRule
{
    double left = 0;
    double top = 0;
    double length = 0;
    double thickness = 1;
};

enum class BandKind {
    Title,      // with its top on the top edge of the sheet
    PageHeader, // directly below the title band
    PageFooter, // with its bottom on the bottom edge of the sheet
};

struct Band
{
    BandKind kind = BandKind::Title;
    double height = 0;
    QList<TextBox> boxes;
    QList<HorizontalRule> rules;
};

// At most one band of each kind. No band overflows, so a template page
// prints as exactly one sheet.
struct TemplatePage
{
    QList<Band> bands;
};

} // namespace report

// One of the program's documents. Print commands find its text boxes by
// name and set their texts; then it is laid out afresh and shown.
class ReportTemplate
{
public:
    // The commands its preview window offers besides zoom, full-screen view and Close.
    enum class Command {
        Print = 0x1,
        OpenSave = 0x2,
        PageNavigation = 0x4,
    };
    Q_DECLARE_FLAGS(Commands, Command)

    ReportTemplate(QString name, Commands commands, QList<report::TemplatePage> pages);

    const QString &name() const { return m_name; }
    Commands commands() const { return m_commands; }
    const QList<report::TemplatePage> &pages() const { return m_pages; }
    QList<report::TemplatePage> &pages() { return m_pages; }

    // The text box of that name on any page and in any band, letter case
    // ignored; nullptr when there is none.
    report::TextBox *FindObject(QStringView name);
    const report::TextBox *FindObject(QStringView name) const;

private:
    QString m_name;
    Commands m_commands;
    QList<report::TemplatePage> m_pages;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ReportTemplate::Commands)
