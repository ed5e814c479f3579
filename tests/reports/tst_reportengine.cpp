#include "ReportFile.h"
#include "ReportLayout.h"
#include "ReportPainter.h"
#include "ReportTemplate.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <string>

using namespace report;

namespace {

TextBox box(const QString &name, const QRectF &rect, const QString &text = QString(),
            HAlign h = HAlign::Left, VAlign v = VAlign::Top, bool framed = false)
{
    TextBox b;
    b.name = name;
    b.rect = rect;
    b.text = text;
    b.hAlign = h;
    b.vAlign = v;
    b.framed = framed;
    return b;
}

Band band(BandKind kind, double height, QList<TextBox> boxes = {})
{
    Band b;
    b.kind = kind;
    b.height = height;
    b.boxes = std::move(boxes);
    return b;
}

const PlacedText *placed(const PreparedPage &page, const QString &name)
{
    for (const PlacedText &t : page.texts) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

QImage render(const PreparedPage &page)
{
    QImage image(int(paperWidth), int(paperHeight), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, page);
    return image;
}

// Pixels darker than mid grey within `area`.
int darkPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ++count;
        }
    }
    return count;
}

const char longText[] =
    "The quick brown fox jumps over the lazy dog while the seller counts the months the house "
    "stays on the market, and every month costs another share of taxes, insurance and dues.";

QList<PreparedPage> samplePages()
{
    TemplatePage first;
    Band title =
        band(BandKind::Title, 772.2,
             {box(QStringLiteral("lblA"), QRectF(40.5, 21.25, 300, 30), QStringLiteral("Vendalo"),
                  HAlign::Right, VAlign::Bottom, true),
              box(QStringLiteral("lblB"), QRectF(40, 60, 120, 60), QString::fromLatin1(longText))});
    title.rules.append({32, 85, 712, 1.5});
    first.bands = {title, band(BandKind::PageFooter, 74,
                               {box(QStringLiteral("lblURL"), QRectF(432, 4, 312, 18),
                                    QStringLiteral("Grüße, \"quoted\" \\ back\tslash"))})};
    TemplatePage second;
    second.bands = {
        band(BandKind::Title, 100, {box(QStringLiteral("empty"), QRectF(0, 0, 10, 10))})};
    return {preparePage(first), preparePage(second)};
}

} // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findObjectIgnoresCaseOnEveryPageAndBand();
    void bandsArePlacedOnTheSheet_data();
    void bandsArePlacedOnTheSheet();
    void linesAreAlignedInTheTextArea_data();
    void linesAreAlignedInTheTextArea();
    void longTextWrapsAtWordsWithTheLineGap();
    void lineAHairWiderThanItsAreaStaysWhole_data();
    void lineAHairWiderThanItsAreaStaysWhole();
    void overlongTextIsCutAtItsBoxAndNeighboursStay();
    void emptyFramedBoxPrintsOnlyItsFrame();
    void printSequenceFollowsRangeCopiesAndCollation_data();
    void printSequenceFollowsRangeCopiesAndCollation();
    void printingToAFileThatCannotBeWrittenRaises();
    void reportFileRoundTripIsExact();
    void reportFileRoundTripIsExactUnderGermanCLocale();
    void damagedReportFileIsRefused_data();
    void damagedReportFileIsRefused();
    void oversizedReportFileIsRefusedUnread();
};

void TestReportEngine::findObjectIgnoresCaseOnEveryPageAndBand()
{
    TemplatePage page1;
    page1.bands = {
        band(BandKind::Title, 80, {box(QStringLiteral("lblReportTitle"), QRectF(0, 0, 10, 10))}),
        band(BandKind::PageFooter, 74, {box(QStringLiteral("lblURL"), QRectF(0, 0, 10, 10))})};
    TemplatePage page2;
    page2.bands = {
        band(BandKind::PageHeader, 20, {}),
        band(BandKind::PageFooter, 74, {box(QStringLiteral("lblURL3"), QRectF(0, 0, 10, 10))})};
    ReportTemplate report(QStringLiteral("frxTest"), {}, {page1, page2});

    QCOMPARE(report.FindObject(u"LBLURL"), &report.pages()[0].bands[1].boxes[0]);
    QCOMPARE(report.FindObject(u"lblurl3"), &report.pages()[1].bands[1].boxes[0]);
    QCOMPARE(report.FindObject(u"LblReportTitle"), &report.pages()[0].bands[0].boxes[0]);
    QCOMPARE(report.FindObject(u"lblURL2"), nullptr);
    QCOMPARE(report.FindObject(u"lblUR"), nullptr);
    QCOMPARE(report.FindObject(u""), nullptr);
}

void TestReportEngine::bandsArePlacedOnTheSheet_data()
{
    QTest::addColumn<double>("titleHeight"); // 0: no title band
    QTest::addColumn<double>("headerHeight");
    QTest::addColumn<double>("footerHeight");
    QTest::addColumn<double>("headerTop");
    QTest::addColumn<double>("footerTop");

    QTest::newRow("checklist first page") << 80.0 << 800.0 << 74.0 << 80.0 << 982.0;
    QTest::newRow("no title band") << 0.0 << 755.0 << 74.0 << 0.0 << 982.0;
    QTest::newRow("fractional title") << 772.2 << 10.0 << 74.0 << 772.2 << 982.0;
    QTest::newRow("tall footer") << 80.0 << 100.0 << 300.0 << 80.0 << 756.0;
}

void TestReportEngine::bandsArePlacedOnTheSheet()
{
    QFETCH(double, titleHeight);
    QFETCH(double, headerHeight);
    QFETCH(double, footerHeight);
    const QRectF r(10, 5, 100, 20);
    TemplatePage page;
    // Listed footer first: placement follows the kind, not the order.
    page.bands.append(band(BandKind::PageFooter, footerHeight,
                           {box(QStringLiteral("f"), r, QStringLiteral("F"))}));
    page.bands.append(band(BandKind::PageHeader, headerHeight,
                           {box(QStringLiteral("h"), r, QStringLiteral("H"))}));
    if (titleHeight > 0)
        page.bands.append(
            band(BandKind::Title, titleHeight, {box(QStringLiteral("t"), r, QStringLiteral("T"))}));

    const PreparedPage prepared = preparePage(page);
    QCOMPARE(prepared.size, QSizeF(816, 1056));
    if (titleHeight > 0)
        QCOMPARE(placed(prepared, QStringLiteral("t"))->rect, r);
    QFETCH(double, headerTop);
    QFETCH(double, footerTop);
    QCOMPARE(placed(prepared, QStringLiteral("h"))->rect, r.translated(0, headerTop));
    QCOMPARE(placed(prepared, QStringLiteral("f"))->rect, r.translated(0, footerTop));
    // A footer's bottom is the sheet's bottom edge.
    QCOMPARE(footerTop + footerHeight, 1056.0);
}

void TestReportEngine::linesAreAlignedInTheTextArea_data()
{
    QTest::addColumn<int>("hAlign");
    QTest::addColumn<int>("vAlign");
    QTest::addColumn<QString>("text");

    const QString one = QStringLiteral("$258,000.00");
    const QString two = QStringLiteral("Potential\nProfit:");
    for (int h = 0; h < 3; ++h) {
        for (int v = 0; v < 3; ++v) {
            QTest::addRow("h%d v%d one line", h, v) << h << v << one;
            QTest::addRow("h%d v%d two lines", h, v) << h << v << two;
        }
    }
}

void TestReportEngine::linesAreAlignedInTheTextArea()
{
    QFETCH(int, hAlign);
    QFETCH(int, vAlign);
    QFETCH(QString, text);
    const QRectF r(202.5, 141, 135, 60);
    const TextBox b = box(QStringLiteral("x"), r, text, HAlign(hAlign), VAlign(vAlign));
    const PlacedText p = placeText(b, QPointF(0, 100));
    const QRectF onSheet = r.translated(0, 100);
    QCOMPARE(p.rect, onSheet);
    const QRectF area = onSheet.adjusted(2, 1, -2, -1);
    QVERIFY(!p.lines.isEmpty());
    QCOMPARE(p.lines.size(), text.count(QLatin1Char('\n')) + 1);

    for (const PlacedLine &line : p.lines) {
        QVERIFY(line.rect.width() > 0);
        switch (HAlign(hAlign)) {
        case HAlign::Left:
            QCOMPARE(line.rect.left(), area.left());
            break;
        case HAlign::Right:
            QVERIFY(qAbs(line.rect.right() - area.right()) < 1e-9);
            break;
        case HAlign::Center:
            QVERIFY(qAbs(line.rect.center().x() - area.center().x()) < 1e-9);
            break;
        }
    }
    const double blockTop = p.lines.first().rect.top();
    const double blockBottom = p.lines.last().rect.bottom();
    switch (VAlign(vAlign)) {
    case VAlign::Top:
        QCOMPARE(blockTop, area.top());
        break;
    case VAlign::Bottom:
        QVERIFY(qAbs(blockBottom - area.bottom()) < 1e-9);
        break;
    case VAlign::Center:
        QVERIFY(qAbs((blockTop + blockBottom) / 2 - area.center().y()) < 1e-9);
        break;
    }
    // The baseline lies inside the line, at the font's ascent.
    const QFontMetricsF metrics(qtFont(b.font));
    for (const PlacedLine &line : p.lines)
        QVERIFY(qAbs(line.baseline - line.rect.top() - metrics.ascent()) < 0.01);
}

void TestReportEngine::longTextWrapsAtWordsWithTheLineGap()
{
    const QString text =
        QStringLiteral("NOTE:  Though effort was made  to be accurate, there is  NO WARRANTY,  "
                       "express or implied, for the accuracy of this information.");
    const QRectF r(32, 28, 160, 400);
    const PlacedText p = placeText(box(QStringLiteral("note"), r, text));
    QVERIFY2(p.lines.size() >= 4, qPrintable(QString::number(p.lines.size())));

    QStringList words;
    for (qsizetype i = 0; i < p.lines.size(); ++i) {
        const PlacedLine &line = p.lines.at(i);
        // From the text area's left edge, never past the box; no line starts
        // or ends with the blank of a break.
        QCOMPARE(line.rect.left(), r.left() + 2);
        QVERIFY(line.rect.right() <= r.right() + 1e-9);
        QVERIFY(!line.text.startsWith(QLatin1Char(' ')));
        QVERIFY(!line.text.endsWith(QLatin1Char(' ')));
        if (i > 0) {
            const PlacedLine &previous = p.lines.at(i - 1);
            QVERIFY(qAbs(line.rect.top() - previous.rect.bottom() - 2) < 1e-9);
        }
        words += line.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    // Breaks fall between words only, and no word is lost.
    QCOMPARE(words, text.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    // Double blanks inside a line are kept.
    bool sawDouble = false;
    for (const PlacedLine &line : p.lines)
        sawDouble = sawDouble || line.text.contains(QStringLiteral("  "));
    QVERIFY(sawDouble);
}

void TestReportEngine::lineAHairWiderThanItsAreaStaysWhole_data()
{
    QTest::addColumn<double>("overrun"); // beyond the text area's width
    QTest::addColumn<int>("lines");
    QTest::newRow("fits the area") << -0.5 << 1;
    QTest::newRow("half a unit into the inset") << 0.5 << 1;
    QTest::newRow("one and a half units") << 1.5 << 1;
    QTest::newRow("past the box") << 2.5 << 2;
}

void TestReportEngine::lineAHairWiderThanItsAreaStaysWhole()
{
    QFETCH(double, overrun);
    const QString text = QStringLiteral("MONTHLY CARRYING COSTS:");
    const ReportFont font{11, false, false};
    const double width = QFontMetricsF(qtFont(font)).horizontalAdvance(text);
    for (HAlign h : {HAlign::Left, HAlign::Center, HAlign::Right}) {
        TextBox b = box(QStringLiteral("caption"), QRectF(35, 374, width + 4 - overrun, 15), text,
                        h, VAlign::Bottom);
        b.font = font;
        const PlacedText p = placeText(b);
        QTEST(int(p.lines.size()), "lines");
        if (p.lines.size() == 1)
            QVERIFY(p.rect.contains(p.lines[0].rect));
        // A frame along the edge leaves no room: the line breaks unless it
        // fits the text area.
        b.framed = true;
        QCOMPARE(placeText(b).lines.size(), overrun > 0 ? 2 : 1);
    }
}

void TestReportEngine::overlongTextIsCutAtItsBoxAndNeighboursStay()
{
    // Tall enough for one line and the top half of the next: the box itself
    // must cut that one.
    const QRectF longBox(100, 100, 101, 22);
    const QRectF neighbourBelow(100, 128, 101, 15);
    const QRectF neighbourRight(230, 100, 101, 22);
    auto pageWith = [&](const QString &text) {
        TemplatePage page;
        page.bands = {band(
            BandKind::Title, 500,
            {box(QStringLiteral("long"), longBox, text, HAlign::Right, VAlign::Bottom),
             box(QStringLiteral("below"), neighbourBelow, QString(), HAlign::Right),
             box(QStringLiteral("right"), neighbourRight, QStringLiteral("$1"), HAlign::Right)})};
        return preparePage(page);
    };
    const PreparedPage shortPage = pageWith(QStringLiteral("$5,770"));
    const PreparedPage longPage = pageWith(QString::fromLatin1(longText));

    const PlacedText *cut = placed(longPage, QStringLiteral("long"));
    QVERIFY(cut->lines.size() > 3);
    QCOMPARE(cut->rect, longBox);
    // What does not fit is the end of the text: the block starts at the top.
    QCOMPARE(cut->lines.first().rect.top(), longBox.top() + 1);
    QVERIFY(cut->lines.last().rect.bottom() > longBox.bottom());
    for (const QString &name : {QStringLiteral("below"), QStringLiteral("right")})
        QCOMPARE(*placed(longPage, name), *placed(shortPage, name));

    // Drawn, nothing of it shows outside the box.
    const QImage image = render(longPage);
    QVERIFY(darkPixels(image, longBox.toRect().adjusted(1, 1, -1, -1)) > 0);
    QVERIFY(cut->lines.at(1).rect.top() < longBox.bottom());
    QVERIFY(darkPixels(image, QRect(101, 116, 99, 5)) > 0);
    QCOMPARE(darkPixels(image, QRect(90, 123, 130, 60)), 0);
    QCOMPARE(darkPixels(image, QRect(60, 80, 38, 60)), 0);
}

void TestReportEngine::emptyFramedBoxPrintsOnlyItsFrame()
{
    TemplatePage page;
    page.bands = {band(BandKind::Title, 100,
                       {box(QStringLiteral("tick"), QRectF(20, 20, 68, 21), QString(),
                            HAlign::Center, VAlign::Center, true),
                        box(QStringLiteral("next"), QRectF(88, 20, 68, 21), QString(),
                            HAlign::Center, VAlign::Center, true)})};
    const PreparedPage prepared = preparePage(page);
    QVERIFY(placed(prepared, QStringLiteral("tick"))->lines.isEmpty());
    const QImage image = render(prepared);
    // All four edges dark, the inside white; the edge the two boxes share is
    // one line, no thicker than an outer edge.
    const auto across = [&](int x, int y) {
        return darkPixels(image, QRect(x - 2, y, 5, 1));
    };
    const auto down = [&](int x, int y) {
        return darkPixels(image, QRect(x, y - 2, 1, 5));
    };
    QVERIFY(across(20, 30) >= 1);
    QVERIFY(across(156, 30) >= 1);
    QVERIFY(down(50, 20) >= 1);
    QVERIFY(down(50, 41) >= 1);
    QVERIFY(across(88, 30) >= 1);
    QVERIFY(across(88, 30) <= across(20, 30));
    QCOMPARE(darkPixels(image, QRect(22, 22, 64, 17)), 0);
    QCOMPARE(darkPixels(image, QRect(90, 22, 64, 17)), 0);
}

void TestReportEngine::printSequenceFollowsRangeCopiesAndCollation_data()
{
    QTest::addColumn<int>("range"); // QPrinter::PrintRange
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<QList<int>>("sequence");

    QTest::newRow("all, one copy")
        << int(QPrinter::AllPages) << 0 << 0 << 1 << true << QList<int>{0, 1, 2, 3};
    QTest::newRow("range 2-3") << int(QPrinter::PageRange) << 2 << 3 << 1 << true
                               << QList<int>{1, 2};
    QTest::newRow("range 2-3, two collated")
        << int(QPrinter::PageRange) << 2 << 3 << 2 << true << QList<int>{1, 2, 1, 2};
    QTest::newRow("range 2-3, two uncollated")
        << int(QPrinter::PageRange) << 2 << 3 << 2 << false << QList<int>{1, 1, 2, 2};
    QTest::newRow("range past the end")
        << int(QPrinter::PageRange) << 3 << 9 << 1 << true << QList<int>{2, 3};
    QTest::newRow("range outside")
        << int(QPrinter::PageRange) << 7 << 9 << 1 << true << QList<int>{};
    QTest::newRow("current page") << int(QPrinter::CurrentPage) << 0 << 0 << 2 << true
                                  << QList<int>{2, 2};
}

void TestReportEngine::printSequenceFollowsRangeCopiesAndCollation()
{
    QFETCH(int, range);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, copies);
    QFETCH(bool, collate);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat); // makes no copies itself
    QVERIFY(!printer.supportsMultipleCopies());
    printer.setPrintRange(QPrinter::PrintRange(range));
    printer.setFromTo(from, to);
    printer.setCopyCount(copies);
    printer.setCollateCopies(collate);
    QTEST(printSequence(printer, 4, 3), "sequence");
}

void TestReportEngine::printingToAFileThatCannotBeWrittenRaises()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/vendalo/report.pdf"));
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, printReport(printer, samplePages()));
    QVERIFY_THROWS_EXCEPTION(
        std::runtime_error,
        writePdf(QStringLiteral("/nonexistent-folder/vendalo/report.pdf"), samplePages()));
    // A range that holds none of the pages is not a silent success either.
    printer.setOutputFileName(QDir::temp().filePath(QStringLiteral("vdl-never-written.pdf")));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(5, 6);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, printReport(printer, samplePages()));
}

void TestReportEngine::reportFileRoundTripIsExact()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("sample.vdr"));
    const QList<PreparedPage> pages = samplePages();
    saveReportFile(path, pages);
    const QList<PreparedPage> loaded = loadReportFile(path);
    QCOMPARE(loaded.size(), 2);
    QCOMPARE(loaded, pages);
    // Saving what was read gives the same bytes.
    QCOMPARE(reportToJson(loaded), reportToJson(pages));
}

void TestReportEngine::reportFileRoundTripIsExactUnderGermanCLocale()
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        QSKIP("the de_DE.UTF-8 locale is not generated on this machine");
    const auto restore = qScopeGuard([&] { std::setlocale(LC_ALL, previous.c_str()); });
    const QByteArray json = reportToJson(samplePages());
    QVERIFY(json.contains("21.25"));
    QCOMPARE(reportFromJson(json), samplePages());
}

void TestReportEngine::damagedReportFileIsRefused_data()
{
    QTest::addColumn<QByteArray>("content");

    const QByteArray good = reportToJson(samplePages());
    auto edited = [&](const std::function<void(QJsonObject &)> &edit) {
        QJsonObject root = QJsonDocument::fromJson(good).object();
        edit(root);
        return QJsonDocument(root).toJson(QJsonDocument::Compact);
    };
    auto editText = [&](const std::function<void(QJsonObject &)> &edit) {
        return edited([&](QJsonObject &root) {
            QJsonArray pages = root[u"pages"].toArray();
            QJsonObject page = pages[0].toObject();
            QJsonArray texts = page[u"texts"].toArray();
            QJsonObject text = texts[0].toObject();
            edit(text);
            texts[0] = text;
            page[u"texts"] = texts;
            pages[0] = page;
            root[u"pages"] = pages;
        });
    };

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not JSON") << QByteArray("Vendalo report\n\x01\x02\x03");
    QTest::newRow("truncated") << good.left(good.size() / 2);
    QTest::newRow("last byte cut") << good.chopped(1);
    QTest::newRow("array root") << QByteArray("[1,2,3]");
    QTest::newRow("deep nesting") << QByteArray(5000, '[') + QByteArray(5000, ']');
    QTest::newRow("other format") << edited(
        [](QJsonObject &r) { r[u"format"] = QStringLiteral("Other report"); });
    QTest::newRow("newer version") << edited([](QJsonObject &r) { r[u"version"] = 2; });
    QTest::newRow("version as text")
        << edited([](QJsonObject &r) { r[u"version"] = QStringLiteral("1"); });
    QTest::newRow("unknown entry")
        << edited([](QJsonObject &r) { r[u"script"] = QStringLiteral("x"); });
    QTest::newRow("no pages") << edited([](QJsonObject &r) { r[u"pages"] = QJsonArray(); });
    QTest::newRow("pages not a list") << edited([](QJsonObject &r) { r[u"pages"] = 3; });
    QTest::newRow("too many pages") << edited([](QJsonObject &r) {
        QJsonArray pages;
        for (int i = 0; i < 101; ++i)
            pages.append(r[u"pages"].toArray()[1]);
        r[u"pages"] = pages;
    });
    QTest::newRow("A4 sheet") << edited([](QJsonObject &r) {
        QJsonArray pages = r[u"pages"].toArray();
        QJsonObject page = pages[0].toObject();
        page[u"height"] = 1122.5;
        pages[0] = page;
        r[u"pages"] = pages;
    });
    QTest::newRow("missing rect") << editText([](QJsonObject &t) { t.remove(u"rect"); });
    QTest::newRow("rect of three") << editText([](QJsonObject &t) {
        t[u"rect"] = QJsonArray{1, 2, 3};
    });
    QTest::newRow("rect of text") << editText([](QJsonObject &t) {
        t[u"rect"] = QJsonArray{1, 2, 3, QStringLiteral("4")};
    });
    QTest::newRow("negative width") << editText([](QJsonObject &t) {
        t[u"rect"] = QJsonArray{1, 2, -3, 4};
    });
    QTest::newRow("absurd left") << editText([](QJsonObject &t) {
        t[u"rect"] = QJsonArray{1e300, 2, 3, 4};
    });
    QTest::newRow("zero font") << editText([](QJsonObject &t) {
        t[u"font"] = QJsonObject{{QStringLiteral("height"), 0},
                                 {QStringLiteral("bold"), false},
                                 {QStringLiteral("italic"), false}};
    });
    QTest::newRow("huge font") << editText([](QJsonObject &t) {
        t[u"font"] = QJsonObject{{QStringLiteral("height"), 1e9},
                                 {QStringLiteral("bold"), false},
                                 {QStringLiteral("italic"), false}};
    });
    QTest::newRow("bold as number") << editText([](QJsonObject &t) {
        t[u"font"] = QJsonObject{{QStringLiteral("height"), 11},
                                 {QStringLiteral("bold"), 1},
                                 {QStringLiteral("italic"), false}};
    });
    QTest::newRow("unknown alignment")
        << editText([](QJsonObject &t) { t[u"halign"] = QStringLiteral("justify"); });
    QTest::newRow("framed as text")
        << editText([](QJsonObject &t) { t[u"framed"] = QStringLiteral("true"); });
    QTest::newRow("line not an object")
        << editText([](QJsonObject &t) { t[u"lines"] = QJsonArray{QStringLiteral("x")}; });
    QTest::newRow("name too long")
        << editText([](QJsonObject &t) { t[u"name"] = QString(300, QLatin1Char('x')); });
    QVERIFY(good.contains("21.25"));
    QTest::newRow("infinite number") << QByteArray(good).replace("21.25", "1e999");
    QTest::newRow("huge number") << QByteArray(good).replace("21.25", "1e300");
}

void TestReportEngine::damagedReportFileIsRefused()
{
    QFETCH(QByteArray, content);
    QVERIFY_THROWS_EXCEPTION(ReportFileError, reportFromJson(content));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("damaged.vdr"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    try {
        loadReportFile(path);
        QFAIL("a damaged file was read");
    } catch (const ReportFileError &e) {
        QVERIFY(qstrlen(e.what()) > 0);
    }
}

void TestReportEngine::oversizedReportFileIsRefusedUnread()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.vdr"));
    // A sound report padded with blanks past 4 MiB.
    QByteArray content = reportToJson(samplePages());
    content.append(QByteArray(maxReportFileSize + 1 - content.size(), ' '));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QVERIFY_THROWS_EXCEPTION(ReportFileError, loadReportFile(path));
    // One byte less is within the limit.
    QVERIFY(file.resize(maxReportFileSize));
    QCOMPARE(loadReportFile(path), samplePages());
    QVERIFY_THROWS_EXCEPTION(ReportFileError,
                             loadReportFile(dir.filePath(QStringLiteral("missing.vdr"))));
}

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
