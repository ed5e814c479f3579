#include "Icons.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include <algorithm>

namespace {

int coveredPixels(const QImage &image)
{
    int covered = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            covered += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    }
    return covered;
}

// How many pixels of a picture drawn at `size` pixels show anything.
int coveredPixels(QSvgRenderer &renderer, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return coveredPixels(image);
}

} // namespace

class TestIcons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theResourcesAreTheListedPictures();
    void everyPictureIsA16PixelDrawing_data();
    void everyPictureIsA16PixelDrawing();
};

void TestIcons::theResourcesAreTheListedPictures()
{
    QStringList listed;
    for (const char *path : icons::all)
        listed << QString::fromLatin1(path);
    std::sort(listed.begin(), listed.end());
    QCOMPARE(std::adjacent_find(listed.cbegin(), listed.cend()), listed.cend());
    QCOMPARE(listed.size(), 18);

    QStringList compiled;
    for (const QString &name : QDir(QStringLiteral(":/icons")).entryList(QDir::Files))
        compiled << QStringLiteral(":/icons/") + name;
    std::sort(compiled.begin(), compiled.end());
    QCOMPARE(compiled, listed);
}

void TestIcons::everyPictureIsA16PixelDrawing_data()
{
    QTest::addColumn<QString>("path");
    for (const char *path : icons::all)
        QTest::newRow(path) << QString::fromLatin1(path);
}

void TestIcons::everyPictureIsA16PixelDrawing()
{
    QFETCH(QString, path);
    QSvgRenderer renderer(path);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 16, 16));
    QCOMPARE(renderer.defaultSize(), QSize(16, 16));

    // It draws a real shape, not a speck, and it scales as a drawing: twice
    // the size covers about four times the pixels.
    const int small = coveredPixels(renderer, 16);
    const int large = coveredPixels(renderer, 32);
    QVERIFY2(small >= 16 * 16 / 4, qPrintable(QString::number(small)));
    QVERIFY2(large > 3 * small && large < 5 * small,
             qPrintable(QStringLiteral("%1 then %2").arg(small).arg(large)));

    // Menus and buttons show it through QIcon, which needs Qt's SVG support
    // at run time; without it the picture would come out empty.
    const QIcon icon(path);
    const QImage shown = icon.pixmap(QSize(16, 16)).toImage();
    QCOMPARE(shown.size(), QSize(16, 16));
    QCOMPARE(coveredPixels(shown), small);
}

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
