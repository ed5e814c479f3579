#include "ReportFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cmath>
#include <initializer_list>

namespace report {
namespace {

constexpr char formatName[] = "Vendalo report";

// Bounds on what a report can hold. The program's own reports stay far
// below them; they keep a hostile file from asking for absurd work.
constexpr qsizetype maxPages = 100;
constexpr qsizetype maxItemsPerPage = 5000;
constexpr qsizetype maxLinesPerText = 500;
constexpr qsizetype maxNameLength = 200;
constexpr qsizetype maxLineLength = 5000;
constexpr double maxCoordinate = 100000;
constexpr double maxFontHeight = 1000;
constexpr double maxThickness = 100;

QString hAlignName(HAlign a)
{
    switch (a) {
    case HAlign::Left:
        return QStringLiteral("left");
    case HAlign::Center:
        return QStringLiteral("center");
    case HAlign::Right:
        return QStringLiteral("right");
    }
    return {};
}

QString vAlignName(VAlign a)
{
    switch (a) {
    case VAlign::Top:
        return QStringLiteral("top");
    case VAlign::Center:
        return QStringLiteral("center");
    case VAlign::Bottom:
        return QStringLiteral("bottom");
    }
    return {};
}

QJsonArray rectArray(const QRectF &r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

QJsonObject textObject(const PlacedText &text)
{
    QJsonArray lines;
    for (const PlacedLine &line : text.lines) {
        lines.append(QJsonObject{{QStringLiteral("text"), line.text},
                                 {QStringLiteral("rect"), rectArray(line.rect)},
                                 {QStringLiteral("baseline"), line.baseline}});
    }
    return QJsonObject{
        {QStringLiteral("name"), text.name},
        {QStringLiteral("rect"), rectArray(text.rect)},
        {QStringLiteral("font"), QJsonObject{{QStringLiteral("height"), text.font.height},
                                             {QStringLiteral("bold"), text.font.bold},
                                             {QStringLiteral("italic"), text.font.italic}}},
        {QStringLiteral("halign"), hAlignName(text.hAlign)},
        {QStringLiteral("valign"), vAlignName(text.vAlign)},
        {QStringLiteral("framed"), text.framed},
        {QStringLiteral("lines"), lines},
    };
}

// Reads one JSON value after another, each checked for its type, its keys
// and its range. The path names the place of a fault in the message.
class Reader
{
public:
    [[noreturn]] static void fail(const QString &path, const QString &what)
    {
        throw ReportFileError(QStringLiteral("This is not a Vendalo report file: %1 %2.")
                                  .arg(path, what)
                                  .toStdString());
    }

    static QJsonObject object(const QJsonValue &v, const QString &path,
                              std::initializer_list<const char *> keys)
    {
        if (!v.isObject())
            fail(path, QStringLiteral("is not an object"));
        const QJsonObject o = v.toObject();
        for (const char *key : keys) {
            if (!o.contains(QLatin1StringView(key)))
                fail(path, QStringLiteral("lacks \"%1\"").arg(QLatin1StringView(key)));
        }
        if (o.size() != qsizetype(keys.size()))
            fail(path, QStringLiteral("holds unknown entries"));
        return o;
    }

    static QJsonArray array(const QJsonValue &v, const QString &path, qsizetype maxSize)
    {
        if (!v.isArray())
            fail(path, QStringLiteral("is not a list"));
        const QJsonArray a = v.toArray();
        if (a.size() > maxSize)
            fail(path, QStringLiteral("has more than %1 entries").arg(maxSize));
        return a;
    }

    static double number(const QJsonValue &v, const QString &path, double min, double max)
    {
        if (!v.isDouble())
            fail(path, QStringLiteral("is not a number"));
        const double d = v.toDouble();
        if (!std::isfinite(d) || d < min || d > max)
            fail(path, QStringLiteral("is out of range"));
        return d;
    }

    static bool boolean(const QJsonValue &v, const QString &path)
    {
        if (!v.isBool())
            fail(path, QStringLiteral("is not true or false"));
        return v.toBool();
    }

    static QString string(const QJsonValue &v, const QString &path, qsizetype maxLength)
    {
        if (!v.isString())
            fail(path, QStringLiteral("is not a text"));
        QString s = v.toString();
        if (s.size() > maxLength)
            fail(path, QStringLiteral("is longer than %1 characters").arg(maxLength));
        return s;
    }

    static QRectF rect(const QJsonValue &v, const QString &path)
    {
        const QJsonArray a = array(v, path, 4);
        if (a.size() != 4)
            fail(path, QStringLiteral("is not a rectangle"));
        const double x = number(a[0], path + QStringLiteral("[0]"), -maxCoordinate, maxCoordinate);
        const double y = number(a[1], path + QStringLiteral("[1]"), -maxCoordinate, maxCoordinate);
        const double w = number(a[2], path + QStringLiteral("[2]"), 0, maxCoordinate);
        const double h = number(a[3], path + QStringLiteral("[3]"), 0, maxCoordinate);
        return QRectF(x, y, w, h);
    }

    static HAlign hAlign(const QJsonValue &v, const QString &path)
    {
        const QString s = string(v, path, 10);
        for (HAlign a : {HAlign::Left, HAlign::Center, HAlign::Right}) {
            if (s == hAlignName(a))
                return a;
        }
        fail(path, QStringLiteral("is no alignment"));
    }

    static VAlign vAlign(const QJsonValue &v, const QString &path)
    {
        const QString s = string(v, path, 10);
        for (VAlign a : {VAlign::Top, VAlign::Center, VAlign::Bottom}) {
            if (s == vAlignName(a))
                return a;
        }
        fail(path, QStringLiteral("is no alignment"));
    }

    static PlacedLine line(const QJsonValue &v, const QString &path)
    {
        const QJsonObject o = object(v, path, {"text", "rect", "baseline"});
        PlacedLine line;
        line.text = string(o[u"text"], path + QStringLiteral(".text"), maxLineLength);
        line.rect = rect(o[u"rect"], path + QStringLiteral(".rect"));
        line.baseline = number(o[u"baseline"], path + QStringLiteral(".baseline"), -maxCoordinate,
                               maxCoordinate);
        return line;
    }

    static PlacedText text(const QJsonValue &v, const QString &path)
    {
        const QJsonObject o =
            object(v, path, {"name", "rect", "font", "halign", "valign", "framed", "lines"});
        PlacedText text;
        text.name = string(o[u"name"], path + QStringLiteral(".name"), maxNameLength);
        text.rect = rect(o[u"rect"], path + QStringLiteral(".rect"));
        const QString fontPath = path + QStringLiteral(".font");
        const QJsonObject font = object(o[u"font"], fontPath, {"height", "bold", "italic"});
        text.font.height =
            number(font[u"height"], fontPath + QStringLiteral(".height"), 1, maxFontHeight);
        text.font.bold = boolean(font[u"bold"], fontPath + QStringLiteral(".bold"));
        text.font.italic = boolean(font[u"italic"], fontPath + QStringLiteral(".italic"));
        text.hAlign = hAlign(o[u"halign"], path + QStringLiteral(".halign"));
        text.vAlign = vAlign(o[u"valign"], path + QStringLiteral(".valign"));
        text.framed = boolean(o[u"framed"], path + QStringLiteral(".framed"));
        const QJsonArray lines =
            array(o[u"lines"], path + QStringLiteral(".lines"), maxLinesPerText);
        for (qsizetype i = 0; i < lines.size(); ++i)
            text.lines.append(line(lines[i], path + QStringLiteral(".lines[%1]").arg(i)));
        return text;
    }

    static PlacedRule rule(const QJsonValue &v, const QString &path)
    {
        const QJsonObject o = object(v, path, {"x", "y", "length", "thickness"});
        PlacedRule rule;
        rule.start.setX(
            number(o[u"x"], path + QStringLiteral(".x"), -maxCoordinate, maxCoordinate));
        rule.start.setY(
            number(o[u"y"], path + QStringLiteral(".y"), -maxCoordinate, maxCoordinate));
        rule.length = number(o[u"length"], path + QStringLiteral(".length"), 0, maxCoordinate);
        rule.thickness =
            number(o[u"thickness"], path + QStringLiteral(".thickness"), 0, maxThickness);
        return rule;
    }

    static PreparedPage page(const QJsonValue &v, const QString &path)
    {
        const QJsonObject o = object(v, path, {"width", "height", "texts", "rules"});
        PreparedPage page;
        // Reports are laid out on US Letter only.
        const double width = number(o[u"width"], path + QStringLiteral(".width"), 1, maxCoordinate);
        const double height =
            number(o[u"height"], path + QStringLiteral(".height"), 1, maxCoordinate);
        if (width != paperWidth || height != paperHeight)
            fail(path, QStringLiteral("is not a US Letter sheet"));
        page.size = QSizeF(width, height);
        const QJsonArray texts =
            array(o[u"texts"], path + QStringLiteral(".texts"), maxItemsPerPage);
        for (qsizetype i = 0; i < texts.size(); ++i)
            page.texts.append(text(texts[i], path + QStringLiteral(".texts[%1]").arg(i)));
        const QJsonArray rules =
            array(o[u"rules"], path + QStringLiteral(".rules"), maxItemsPerPage);
        for (qsizetype i = 0; i < rules.size(); ++i)
            page.rules.append(rule(rules[i], path + QStringLiteral(".rules[%1]").arg(i)));
        return page;
    }
};

} // namespace

QByteArray reportToJson(const QList<PreparedPage> &pages)
{
    QJsonArray pageArray;
    for (const PreparedPage &page : pages) {
        QJsonArray texts;
        for (const PlacedText &text : page.texts)
            texts.append(textObject(text));
        QJsonArray rules;
        for (const PlacedRule &rule : page.rules) {
            rules.append(QJsonObject{{QStringLiteral("x"), rule.start.x()},
                                     {QStringLiteral("y"), rule.start.y()},
                                     {QStringLiteral("length"), rule.length},
                                     {QStringLiteral("thickness"), rule.thickness}});
        }
        pageArray.append(QJsonObject{{QStringLiteral("width"), page.size.width()},
                                     {QStringLiteral("height"), page.size.height()},
                                     {QStringLiteral("texts"), texts},
                                     {QStringLiteral("rules"), rules}});
    }
    const QJsonObject root{{QStringLiteral("format"), QLatin1StringView(formatName)},
                           {QStringLiteral("version"), reportFileVersion},
                           {QStringLiteral("pages"), pageArray}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

QList<PreparedPage> reportFromJson(const QByteArray &json)
{
    if (json.size() > maxReportFileSize)
        Reader::fail(QStringLiteral("the file"), QStringLiteral("is larger than 4 MiB"));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        Reader::fail(QStringLiteral("the text at byte %1").arg(error.offset),
                     QStringLiteral("cannot be read (%1)").arg(error.errorString()));
    }
    const QString root = QStringLiteral("the file");
    if (!document.isObject())
        Reader::fail(root, QStringLiteral("is not an object"));
    const QJsonObject o = Reader::object(document.object(), root, {"format", "version", "pages"});
    if (Reader::string(o[u"format"], QStringLiteral("format"), 100) !=
        QLatin1StringView(formatName))
        Reader::fail(QStringLiteral("format"), QStringLiteral("names another kind of file"));
    const double version = Reader::number(o[u"version"], QStringLiteral("version"), 0, 1e9);
    if (version != reportFileVersion) {
        throw ReportFileError(
            QStringLiteral(
                "This report file has version %1, which this version of Vendalo cannot read.")
                .arg(version)
                .toStdString());
    }
    const QJsonArray pages = Reader::array(o[u"pages"], QStringLiteral("pages"), maxPages);
    if (pages.isEmpty())
        Reader::fail(QStringLiteral("pages"), QStringLiteral("is empty"));
    QList<PreparedPage> result;
    for (qsizetype i = 0; i < pages.size(); ++i)
        result.append(Reader::page(pages[i], QStringLiteral("pages[%1]").arg(i)));
    return result;
}

void saveReportFile(const QString &fileName, const QList<PreparedPage> &pages)
{
    QSaveFile file(fileName);
    const QByteArray json = reportToJson(pages);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit()) {
        throw ReportFileError(QStringLiteral("The report could not be saved to %1: %2")
                                  .arg(fileName, file.errorString())
                                  .toStdString());
    }
}

QList<PreparedPage> loadReportFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ReportFileError(QStringLiteral("The report file %1 could not be opened: %2")
                                  .arg(fileName, file.errorString())
                                  .toStdString());
    }
    // Never more than the limit plus one byte, whatever size the file claims.
    const QByteArray bytes = file.read(maxReportFileSize + 1);
    if (bytes.size() > maxReportFileSize) {
        throw ReportFileError(
            QStringLiteral("The file %1 is larger than 4 MiB; it is not a Vendalo report file.")
                .arg(fileName)
                .toStdString());
    }
    if (file.error() != QFileDevice::NoError) {
        throw ReportFileError(QStringLiteral("The report file %1 could not be read: %2")
                                  .arg(fileName, file.errorString())
                                  .toStdString());
    }
    return reportFromJson(bytes);
}

} // namespace report
