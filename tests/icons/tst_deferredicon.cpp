#include "Artwork.h"
#include "DeferredIconEngine.h"
#include "Icons.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QTest>

class TestDeferredIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nothingIsReadUntilTheIconIsDrawn();
    void drawsWhatTheIconOfThePictureDraws_data();
    void drawsWhatTheIconOfThePictureDraws();
    void aMissingPictureIsANullIcon();
};

void TestDeferredIcon::nothingIsReadUntilTheIconIsDrawn()
{
    auto *engine = new DeferredIconEngine(QString::fromLatin1(icons::printPreview));
    const QIcon icon(engine);
    // What menus and buttons ask when they are made.
    QVERIFY(!icon.isNull());
    const QIcon copy = icon;
    QVERIFY(!copy.isNull());
    QVERIFY(!engine->isLoaded());

    QVERIFY(!icon.pixmap(QSize(16, 16)).isNull());
    QVERIFY(engine->isLoaded());
}

void TestDeferredIcon::drawsWhatTheIconOfThePictureDraws_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QIcon::Mode>("mode");

    const QString toolbar = QString::fromLatin1(icons::printPreview);
    const QString program = QString::fromLatin1(art::programIcon);
    QTest::newRow("toolbar picture") << toolbar << QSize(16, 16) << 1.0 << QIcon::Normal;
    QTest::newRow("disabled") << toolbar << QSize(16, 16) << 1.0 << QIcon::Disabled;
    QTest::newRow("screen at twice the scale") << toolbar << QSize(16, 16) << 2.0 << QIcon::Normal;
    QTest::newRow("screen at 1.5") << toolbar << QSize(16, 16) << 1.5 << QIcon::Normal;
    QTest::newRow("program icon, large") << program << QSize(48, 48) << 1.0 << QIcon::Normal;
    QTest::newRow("program icon, large, scaled")
        << program << QSize(32, 32) << 2.0 << QIcon::Active;
}

void TestDeferredIcon::drawsWhatTheIconOfThePictureDraws()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(double, ratio);
    QFETCH(QIcon::Mode, mode);

    const QIcon direct(path);
    const QIcon deferred = art::icon(path.toLatin1().constData());
    const QPixmap expected = direct.pixmap(size, ratio, mode);
    const QPixmap shown = deferred.pixmap(size, ratio, mode);
    QVERIFY(!expected.isNull());
    QCOMPARE(shown.size(), expected.size());
    QCOMPARE(shown.devicePixelRatio(), expected.devicePixelRatio());
    QCOMPARE(shown.toImage().convertToFormat(QImage::Format_ARGB32),
             expected.toImage().convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(deferred.actualSize(size, mode), direct.actualSize(size, mode));

    // Painted into a rectangle, as a menu does.
    QImage viaPaint(size * 2, QImage::Format_ARGB32);
    QImage directPaint(size * 2, QImage::Format_ARGB32);
    for (auto [image, icon] : {std::pair{&viaPaint, &deferred}, std::pair{&directPaint, &direct}}) {
        image->fill(Qt::white);
        QPainter painter(image);
        icon->paint(&painter, QRect(QPoint(size.width() / 2, size.height() / 2), size),
                    Qt::AlignCenter, mode);
    }
    QCOMPARE(viaPaint, directPaint);
}

void TestDeferredIcon::aMissingPictureIsANullIcon()
{
    const QIcon icon = art::icon(":/icons/no-such-picture.svg");
    QVERIFY(icon.isNull());
    QVERIFY(icon.pixmap(QSize(16, 16)).isNull());
}

QTEST_MAIN(TestDeferredIcon)
#include "tst_deferredicon.moc"
