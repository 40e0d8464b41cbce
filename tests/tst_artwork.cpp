// The game's artwork and wave cues. The pictures must come out at their layout sizes and
// crisp at a device pixel ratio of 2, transparent where the board has to show through,
// the hammer pointers strictly black, white and clear with their hot spot on the head,
// the board graded and holed where the game places its eyes, and a fireball must hide
// the eyes under it at every hole. The wave files must be plain 16-bit PCM that start on
// the beat and never clip. The icon tool must write the window icon's drawing at every
// size of the desktop's icon theme, and a scalable drawing that looks the same.

#include "aboutart.h"
#include "artwork.h"
#include "boardpicture.h"
#include "designedboard.h"
#include "testfiles.h"
#include "waves.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QResource>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <iterator>

using Drawing = QPixmap (*)(qreal);
Q_DECLARE_METATYPE(Drawing)

namespace {

constexpr int WaveHeaderSize = 44;
constexpr int OnsetSamples = Waves::SampleRate * 2 / 1000;

using DesignedBoard::Places;

// Mean colour of a rectangle given in logical pixels.
QColor meanColour(const QImage &image, const QRect &logical)
{
    const qreal dpr = image.devicePixelRatio();
    const QRect area(logical.topLeft() * dpr, logical.size() * dpr);
    qint64 red = 0, green = 0, blue = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
        }
    const qint64 count = qint64(area.width()) * area.height();
    return QColor(int(red / count), int(green / count), int(blue / count));
}

bool near(const QColor &colour, const QColor &expected, int tolerance)
{
    return std::abs(colour.red() - expected.red()) <= tolerance
        && std::abs(colour.green() - expected.green()) <= tolerance
        && std::abs(colour.blue() - expected.blue()) <= tolerance;
}

quint32 readLittleEndian(const QByteArray &bytes, int offset, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(offset + i));
    return value;
}

}

class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void pictures_data();
    void pictures();
    void hammers_data();
    void hammers();
    void boardGradient();
    void boardHoles_data();
    void boardHoles();
    void fireballHidesEyes_data();
    void fireballHidesEyes();
    void eyesIcon_data();
    void eyesIcon();
    void logoLettering();

    void waveFiles_data();
    void waveFiles();

private:
    QTemporaryDir m_waveDir;
    QTemporaryDir m_iconTheme;
};

void TestArtwork::initTestCase()
{
    QVERIFY(m_waveDir.isValid());
    QVERIFY(Waves::writeCues(m_waveDir.path().toStdString()));
    // Written nowhere without a folder to write them to.
    QVERIFY(!Waves::writeCues(m_waveDir.filePath(QStringLiteral("missing")).toStdString()));
    QVERIFY(m_iconTheme.isValid());
    QProcess tool;
    tool.start(besideTheTests(QStringLiteral(ZUBBO_MAKEICONS_FROM_TESTS)),
               {m_iconTheme.path(), QStringLiteral("eyes"), QStringLiteral("16"),
                QStringLiteral("22"), QStringLiteral("256")});
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), 0);
}

// Each picture at its layout size at device pixel ratios 1 and 2, opaque or clear where the
// board must show through or not: the points are logical pixels, those after the bar clear.
void TestArtwork::pictures_data()
{
    QTest::addColumn<Drawing>("draw");
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<QSize>("logical");
    QTest::addColumn<QList<QPoint>>("opaque");
    QTest::addColumn<QList<QPoint>>("clear");
    const struct
    {
        const char *name;
        Drawing draw;
        QSize logical;
        QList<QPoint> opaque;
        QList<QPoint> clear;
    } pictures[] = {
        {"board", Artwork::board, {400, 400}, {{0, 0}, {399, 399}}, {}},
        // Corners, and left of the pill.
        {"panel", Artwork::panel, {127, 52}, {{63, 25}}, {{0, 0}, {126, 51}, {3, 25}}},
        // Corners, and between the eyes' tops.
        {"target", Artwork::target, {60, 52}, {{20, 16}}, {{0, 0}, {59, 51}, {30, 4}}},
        // Corners, and the left edge.
        {"hit", Artwork::hit, {60, 60}, {{30, 30}}, {{0, 0}, {59, 59}, {1, 30}}},
        {"raised hammer", Artwork::raisedHammer, {32, 32}, {}, {}},
        {"striking hammer", Artwork::strikingHammer, {32, 32}, {}, {}},
        {"about icon", Artwork::aboutIcon, {32, 32}, {}, {}},
        {"logo", Artwork::logo, {120, 56}, {}, {}},
    };
    for (const auto &picture : pictures)
        for (qreal dpr : {1.0, 2.0})
            QTest::addRow("%s @%g", picture.name, dpr)
                << picture.draw << dpr << picture.logical << picture.opaque << picture.clear;
}

void TestArtwork::pictures()
{
    QFETCH(Drawing, draw);
    QFETCH(qreal, dpr);
    QFETCH(QSize, logical);
    QFETCH(QList<QPoint>, opaque);
    QFETCH(QList<QPoint>, clear);
    const QPixmap pixmap = draw(dpr);
    QCOMPARE(pixmap.size(), logical * dpr);
    QCOMPARE(pixmap.devicePixelRatio(), dpr);
    const QImage image = pixmap.toImage();
    for (const QPoint &point : opaque)
        QCOMPARE(qAlpha(image.pixel(point * dpr)), 255);
    for (const QPoint &point : clear)
        QCOMPARE(qAlpha(image.pixel(point * dpr)), 0);
}

void TestArtwork::hammers_data()
{
    QTest::addColumn<Drawing>("draw");
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<QPoint>("hotSpot");
    for (qreal dpr : {1.0, 2.0}) {
        QTest::addRow("raised @%g", dpr)
            << Drawing(Artwork::raisedHammer) << dpr << QPoint(9, 19) * dpr;
        QTest::addRow("striking @%g", dpr)
            << Drawing(Artwork::strikingHammer) << dpr << QPoint(9, 19) * dpr;
    }
}

// A masked pointer shows no grey and no half-transparent edge, and the player aims with
// its head, so the hot spot (in the picture's pixels here) must lie on it. X11 takes the hot
// spot in those pixels, Wayland in logical ones.
void TestArtwork::hammers()
{
    QFETCH(Drawing, draw);
    QFETCH(qreal, dpr);
    QFETCH(QPoint, hotSpot);
    const QPixmap hammer = draw(dpr);
    const QImage image = hammer.toImage().convertToFormat(QImage::Format_ARGB32);
    int black = 0;
    int white = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            QVERIFY2(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255),
                     qPrintable(
                         QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(pixel, 8, 16)));
            ++(pixel == qRgb(0, 0, 0) ? black : white);
        }
    QVERIFY(black > 20 * dpr * dpr);
    QVERIFY(white > 20 * dpr * dpr);
    QCOMPARE(qAlpha(image.pixel(hotSpot)), 255);
    QCOMPARE(Artwork::hammerHotSpot(dpr, u"xcb"), hotSpot);
    QCOMPARE(Artwork::hammerHotSpot(dpr, u"wayland") * dpr, hotSpot);

    const QCursor pointer = Artwork::pointer(hammer);
    QCOMPARE(pointer.hotSpot() * dpr, hotSpot); // offscreen reads it as Wayland does
    QCOMPARE(pointer.pixmap().size(), QSize(32, 32) * dpr);
}

// The wall darkens from orange at the bottom to dark brown at the top, in the program as built. The
// bands avoid the holes: the top and bottom rows lie above and below them, the middle band between
// holes 3, 5 and 7 at its sides.
void TestArtwork::boardGradient()
{
    const QImage image = Artwork::board().toImage();
    const QColor top = meanColour(image, QRect(0, 0, 400, 10));
    const QColor middleLeft = meanColour(image, QRect(0, 195, 140, 10));
    const QColor middleRight = meanColour(image, QRect(245, 195, 155, 10));
    const QColor bottom = meanColour(image, QRect(0, 390, 400, 10));
    QVERIFY2(near(top, QColor(75, 49, 10), 18), qPrintable(top.name()));
    QVERIFY2(near(middleLeft, QColor(165, 101, 9), 18), qPrintable(middleLeft.name()));
    QVERIFY2(near(middleRight, QColor(165, 101, 9), 18), qPrintable(middleRight.name()));
    QVERIFY2(near(bottom, QColor(252, 159, 6), 18), qPrintable(bottom.name()));
    QVERIFY(top.red() < middleLeft.red() && middleLeft.red() < bottom.red());
    QVERIFY(top.green() < middleLeft.green() && middleLeft.green() < bottom.green());

    // The program carries the wall as the build drew it: it must be the one drawn now.
    QVERIFY(QResource(QStringLiteral(":/zubbo/board.rgb32")).isValid());
    QCOMPARE(boardPicture(1.0).toImage().convertToFormat(QImage::Format_RGB32),
             Artwork::board().toImage().convertToFormat(QImage::Format_RGB32));
}

void TestArtwork::boardHoles_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("black");
    for (qreal dpr : {1.0, 2.0}) {
        for (int i = 0; i < int(std::size(Places)); ++i)
            QTest::addRow("hole %d @%g", i, dpr) << dpr << Places[i].centre << true;
        const QPoint between[] = {{200, 150}, {30, 110}, {230, 60}, {200, 380}, {380, 300}};
        for (const QPoint &point : between)
            QTest::addRow("wall at %d,%d @%g", point.x(), point.y(), dpr) << dpr << point << false;
    }
}

void TestArtwork::boardHoles()
{
    QFETCH(qreal, dpr);
    QFETCH(QPoint, point);
    QFETCH(bool, black);
    const QImage image = Artwork::board(dpr).toImage();
    const QColor colour = meanColour(image, QRect(point - QPoint(1, 1), QSize(3, 3)));
    if (black)
        QVERIFY2(near(colour, Qt::black, 8), qPrintable(colour.name()));
    else
        QVERIFY2(colour.red() > 50, qPrintable(colour.name()));
}

void TestArtwork::fireballHidesEyes_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<QPoint>("offset");
    for (qreal dpr : {1.0, 2.0})
        for (int i = 0; i < int(std::size(Places)); ++i)
            QTest::addRow("hole %d @%g", i, dpr) << dpr << Places[i].fireball - Places[i].target;
}

// Wherever the eyes cover a pixel, the fireball over them must be fully opaque.
void TestArtwork::fireballHidesEyes()
{
    QFETCH(qreal, dpr);
    QFETCH(QPoint, offset);
    const QImage eyes = Artwork::target(dpr).toImage();
    const QImage fireball = Artwork::hit(dpr).toImage();
    const QPoint shift = offset * dpr;
    for (int y = 0; y < eyes.height(); ++y)
        for (int x = 0; x < eyes.width(); ++x) {
            if (qAlpha(eyes.pixel(x, y)) == 0)
                continue;
            const QPoint over = QPoint(x, y) - shift;
            QVERIFY2(fireball.rect().contains(over) && qAlpha(fireball.pixel(over)) == 255,
                     qPrintable(QStringLiteral("eye pixel %1,%2 shows").arg(x).arg(y)));
        }
}

void TestArtwork::eyesIcon_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("ofWindow"); // one of the window icon's sizes
    QTest::addColumn<bool>("ofTheme");  // one of the sizes the icon tool wrote here
    QTest::newRow("16, set pixel by pixel") << 16 << true << true;
    QTest::newRow("22, drawn") << 22 << false << true;
    QTest::newRow("32, drawn") << 32 << true << false;
    QTest::newRow("256, drawn") << 256 << false << true;
}

// The window icon's picture is clear in its corners and solid in the eyes. The window icon
// and the icon theme's sizes are that picture; the scalable icon, rendered at that size,
// covers the same pixels but for a seam of anti-aliasing along the outlines. At 16 pixels
// the icon is set pixel by pixel and the drawing is not expected to match it.
void TestArtwork::eyesIcon()
{
    QFETCH(int, size);
    QFETCH(bool, ofWindow);
    QFETCH(bool, ofTheme);
    const QImage drawn = Artwork::eyesImage(size).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(drawn.size(), QSize(size, size));
    for (const QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 2)})
        QCOMPARE(qAlpha(drawn.pixel(corner)), 0);
    QCOMPARE(qAlpha(drawn.pixel(size / 4, size / 4)), 255);
    if (ofWindow) {
        const QIcon icon = Artwork::eyesIcon();
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        QCOMPARE(icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32),
                 drawn);
    }
    if (!ofTheme)
        return;
    const QString folder = m_iconTheme.filePath(QStringLiteral("hicolor/%1x%1/apps").arg(size));
    QCOMPARE(QImage(folder + QStringLiteral("/eyes.png")).convertToFormat(QImage::Format_ARGB32),
             drawn);
    if (size == 16)
        return;

    QSvgRenderer scalable(m_iconTheme.filePath(QStringLiteral("hicolor/scalable/apps/eyes.svg")));
    QVERIFY(scalable.isValid());
    QImage rendered(size, size, QImage::Format_ARGB32);
    rendered.fill(Qt::transparent);
    QPainter painter(&rendered);
    scalable.render(&painter);
    painter.end();
    int differing = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            differing += std::abs(qGray(rendered.pixel(x, y)) - qGray(drawn.pixel(x, y))) > 64
                || std::abs(qAlpha(rendered.pixel(x, y)) - qAlpha(drawn.pixel(x, y))) > 64;
    QVERIFY2(differing < size * size / 50, qPrintable(QString::number(differing)));
}

// Dark capitals on white above white letters on a red band: the lettering must have been
// rendered, not left out for want of a font.
void TestArtwork::logoLettering()
{
    const QImage image = Artwork::logo().toImage();
    int dark = 0;
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 80;
    int white = 0;
    int red = 0;
    for (int y = 32; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour(image.pixel(x, y));
            white += colour.lightness() > 230;
            red += colour.red() > 150 && colour.green() < 80 && colour.blue() < 80;
        }
    QVERIFY2(dark > 300, qPrintable(QString::number(dark)));
    QVERIFY2(white > 200, qPrintable(QString::number(white)));
    QVERIFY2(red > 1000, qPrintable(QString::number(red)));
    QCOMPARE(QColor(image.pixel(2, 2)), QColor(Qt::white));
}

void TestArtwork::waveFiles_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<double>("shortest");
    QTest::addColumn<double>("longest");
    QTest::newRow("up") << QStringLiteral("Up.wav") << 0.06 << 0.15;
    QTest::newRow("hit") << QStringLiteral("Hit.wav") << 0.1 << 0.2;
    QTest::newRow("end") << QStringLiteral("End.wav") << 0.3 << 1.0;
}

void TestArtwork::waveFiles()
{
    QFETCH(QString, fileName);
    QFETCH(double, shortest);
    QFETCH(double, longest);
    const QByteArray bytes = fileContent(m_waveDir.filePath(fileName));
    QVERIFY(bytes.size() > WaveHeaderSize);

    QCOMPARE(bytes.left(4), QByteArray("RIFF"));
    QCOMPARE(readLittleEndian(bytes, 4, 4), quint32(bytes.size() - 8));
    QCOMPARE(bytes.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(readLittleEndian(bytes, 16, 4), 16u); // plain fmt chunk, not extensible
    QCOMPARE(readLittleEndian(bytes, 20, 2), 1u);  // integer PCM
    QCOMPARE(readLittleEndian(bytes, 22, 2), 1u);  // mono
    QCOMPARE(readLittleEndian(bytes, 24, 4), 44100u);
    QCOMPARE(readLittleEndian(bytes, 28, 4), 88200u);
    QCOMPARE(readLittleEndian(bytes, 32, 2), 2u);
    QCOMPARE(readLittleEndian(bytes, 34, 2), 16u);
    QCOMPARE(bytes.mid(36, 4), QByteArray("data"));
    const quint32 dataSize = readLittleEndian(bytes, 40, 4);
    QCOMPARE(dataSize, quint32(bytes.size() - WaveHeaderSize));

    const int count = int(dataSize / 2);
    const double seconds = double(count) / Waves::SampleRate;
    QVERIFY2(seconds >= shortest && seconds <= longest, qPrintable(QString::number(seconds)));

    QList<int> samples;
    int peak = 0;
    for (int i = 0; i < count; ++i) {
        samples.append(qint16(readLittleEndian(bytes, WaveHeaderSize + 2 * i, 2)));
        peak = std::max(peak, std::abs(samples.last()));
    }
    // About -3 dBFS: clearly audible, well clear of clipping.
    QVERIFY2(peak > 32767 / 2 && peak < 32767 * 9 / 10, qPrintable(QString::number(peak)));

    int onset = 0;
    while (std::abs(samples.at(onset)) < peak / 10)
        ++onset;
    QVERIFY2(onset <= OnsetSamples, qPrintable(QString::number(onset)));
    // Faded at both ends, so starting and stopping do not click.
    QVERIFY(std::abs(samples.first()) < 328);
    QVERIFY(std::abs(samples.last()) < 328);
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
