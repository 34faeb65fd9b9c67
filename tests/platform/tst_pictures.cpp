#include "platform/pictures.h"
#include "support/workingfolder.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPolygonF>
#include <QTest>
#include <QTransform>

#include <limits>

#include <sys/stat.h>

namespace {

QByteArray imageBytes(const char *format)
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A picture of that size in one colour, which compresses to little: a
// phone's photo as the readers meet it, without its file's weight.
QByteArray plainPicture(const QSize &size, QImage::Format pixels, const char *format)
{
    QByteArray bytes;
    {
        QImage image(size, pixels);
        image.fill(Qt::white);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format, 10);
    }
    return bytes;
}

const QByteArray Svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 20 10\">"
                       "<rect x=\"0\" y=\"0\" width=\"20\" height=\"10\" fill=\"#ff0000\"/></svg>";

} // namespace

// Pictures read from files: the shop's picture, the banks' bitmaps, the
// program's drawings.
class TestPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void photo_data();
    void photo();
    void straightenedGivesTheFrameBack_data();
    void straightenedGivesTheFrameBack();
    void load_data();
    void load();
    void shopPictureGif();
    void drawnAtTheSizeAsked_data();
    void drawnAtTheSizeAsked();
};

void TestPictures::load_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("loads");
    QTest::newRow("bitmap") << "bq_A.bmp" << imageBytes("BMP") << true;
    QTest::newRow("jpeg") << "a.jpg" << imageBytes("JPG") << true;
    QTest::newRow("svg") << "a.svg" << Svg << true;
    QTest::newRow("svg without its extension") << "drawing" << Svg << true;
    QTest::newRow("not a picture") << "bq_D.bmp" << QByteArray("not a picture") << false;
    QTest::newRow("broken svg") << "b.svg" << QByteArray("<svg><rect") << false;
    QTest::newRow("missing") << "" << QByteArray() << false;
    QTest::newRow("a pipe in its place") << "pipe" << QByteArray() << false;
}

void TestPictures::load()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, loads);
    WorkingFolder folder;
    if (name == QLatin1String("pipe"))
        QCOMPARE(::mkfifo(QFile::encodeName(folder.path(name)).constData(), 0600), 0);
    else if (!name.isEmpty())
        folder.write(name, bytes);
    const platform::Result<platform::Picture> picture =
        platform::Picture::load(name.isEmpty() ? QStringLiteral("absent.gif") : name);
    QCOMPARE(picture.ok(), loads);
    if (!loads) {
        QVERIFY(!picture.error().isEmpty());
        return;
    }
    QCOMPARE(picture->size(), QSize(20, 10));
    const QImage drawn = picture->pixmap().toImage();
    QVERIFY(drawn.pixelColor(10, 5).red() > 250);
}

void TestPictures::shopPictureGif()
{
    // Qt writes no GIF: the one the program ships serves.
    const QString shipped = QFINDTESTDATA("../seed/fc_img_024.gif");
    QVERIFY(!shipped.isEmpty());
    const platform::Result<platform::Picture> picture = platform::Picture::load(shipped);
    QVERIFY2(picture, qPrintable(picture.error()));
    QCOMPARE(picture->size(), QSize(117, 82));
}

void TestPictures::drawnAtTheSizeAsked_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("keepAspect");
    QTest::addColumn<QSize>("pixels");
    QTest::newRow("svg stretched") << Svg << QSize(40, 40) << 1.0 << false << QSize(40, 40);
    QTest::newRow("svg on a fine screen") << Svg << QSize(40, 20) << 2.0 << false << QSize(80, 40);
    QTest::newRow("svg kept in proportion") << Svg << QSize(40, 40) << 1.0 << true << QSize(40, 20);
    QTest::newRow("bitmap kept in proportion") << imageBytes("BMP") << QSize(100, 40) << 1.0 << true << QSize(80, 40);
}

void TestPictures::drawnAtTheSizeAsked()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, asked);
    QFETCH(qreal, ratio);
    QFETCH(bool, keepAspect);
    QFETCH(QSize, pixels);
    WorkingFolder folder;
    folder.write(QStringLiteral("p"), bytes);
    const platform::Result<platform::Picture> picture = platform::Picture::load(QStringLiteral("p"));
    QVERIFY(picture);
    const QPixmap pixmap = picture->pixmap(asked, ratio, keepAspect ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio);
    QCOMPARE(pixmap.size(), pixels);
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    // Red all the way to the corners: drawn to fill, not left transparent.
    const QImage image = pixmap.toImage();
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1).red(), 255);
}

void TestPictures::photo_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("suffix"); // empty: refused
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("said"); // by a refusal
    // A phone held upright writes its picture sideways and says so in an
    // Exif mark: orientation 6, to be turned a quarter clockwise.
    QByteArray turned = imageBytes("JPG");
    turned.insert(2, QByteArray::fromHex("ffe10022"
                                         "457869660000"
                                         "4d4d002a00000008"
                                         "0001"
                                         "011200030000000100060000"
                                         "00000000"));
    {
        // The mark is read, or the row would prove nothing.
        QBuffer buffer(&turned);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QCOMPARE(QImageReader(&buffer).transformation(), QImageIOHandler::TransformationRotate90);
    }
    QTest::newRow("a scan in PNG") << imageBytes("PNG") << "png" << QSize(20, 10) << "";
    QTest::newRow("a scan in BMP") << imageBytes("BMP") << "bmp" << QSize(20, 10) << "";
    QTest::newRow("a photo") << imageBytes("JPG") << "jpg" << QSize(20, 10) << "";
    QTest::newRow("a photo taken upright") << turned << "jpg" << QSize(10, 20) << "";
    QTest::newRow("a GIF") << imageBytes("GIF") << "" << QSize() << "JPEG, PNG ou BMP";
    QTest::newRow("a drawing") << Svg << "" << QSize() << "JPEG, PNG ou BMP";
    QTest::newRow("not a picture") << QByteArray("not a picture") << "" << QSize() << "JPEG, PNG ou BMP";
    // A phone's photos at full size, which Qt's own limit of 128 MB a
    // picture refused from 33 million points.
    for (const QSize size : {QSize(6000, 4500), QSize(7000, 5250), QSize(8000, 6000)}) {
        QTest::addRow("%d x %d", size.width(), size.height())
            << plainPicture(size, QImage::Format_RGB888, "JPG") << "jpg" << size << "";
    }
    // The weight of a phone's detailed photo, in a file of another kind.
    QTest::newRow("a photo of 24 MB") << imageBytes("JPG") + QByteArray(24'000'000, '\0') << "jpg" << QSize(20, 10)
                                      << "";
    QTest::newRow("just beyond 50 million points")
        << plainPicture(QSize(8165, 6124), QImage::Format_Mono, "PNG") << "" << QSize()
        << "a 50,1 millions de points ; 50 millions au plus : réduisez la photo à 8164 × 6123 points";
}

void TestPictures::photo()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, suffix);
    QFETCH(QSize, size);
    QFETCH(QString, said);
    WorkingFolder folder;
    folder.write(QStringLiteral("cheque"), bytes);
    const platform::Result<platform::Photo> photo = platform::loadPhoto(QStringLiteral("cheque"));
    QCOMPARE(photo.ok(), !suffix.isEmpty());
    if (!photo) {
        QVERIFY(photo.error().contains(QStringLiteral("cheque")));
        QVERIFY2(photo.error().contains(said), qPrintable(photo.error()));
        return;
    }
    QCOMPARE(photo->suffix, suffix);
    QCOMPARE(photo->image.size(), size);
    // Kept as it came, to be written beside the layout.
    QCOMPARE(photo->bytes, bytes);
}

namespace {

// Marks on a 175 x 80 mm cheque drawn at 10 pixels a millimetre, in mm.
const QList<QPointF> Marks{{20, 15}, {150, 12}, {160, 65}, {12, 70}, {87.5, 40}};

// Where the dark pixels around `near` gather, in pixels.
QPointF markAt(const QImage &image, const QPointF &near)
{
    QPointF sum;
    int count = 0;
    for (int y = int(near.y()) - 40; y <= int(near.y()) + 40; ++y) {
        for (int x = int(near.x()) - 40; x <= int(near.x()) + 40; ++x) {
            if (image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 80) {
                sum += QPointF(x + 0.5, y + 0.5);
                ++count;
            }
        }
    }
    return count ? sum / count : QPointF(-1000, -1000);
}

} // namespace

void TestPictures::straightenedGivesTheFrameBack_data()
{
    // Where the cheque's corners land on a 1600 x 1200 photo, clockwise from
    // its top left.
    QTest::addColumn<QPolygonF>("corners");
    QTest::newRow("a scan, the cheque square") << QPolygonF{{100, 200}, {1500, 200}, {1500, 840}, {100, 840}};
    QTest::newRow("a photo from the left, at an angle") << QPolygonF{{150, 300}, {1350, 150}, {1450, 1000}, {120, 820}};
    QTest::newRow("a photo from below") << QPolygonF{{300, 250}, {1300, 260}, {1550, 900}, {60, 880}};
    QTest::newRow("a cheque lying upright, turned") << QPolygonF{{1100, 50}, {1100, 1150}, {600, 1150}, {600, 50}};
}

void TestPictures::straightenedGivesTheFrameBack()
{
    QFETCH(QPolygonF, corners);
    QImage cheque(1750, 800, QImage::Format_RGB32);
    cheque.fill(Qt::white);
    {
        QPainter painter(&cheque);
        for (const QPointF &mark : Marks)
            painter.fillRect(QRectF(mark * 10 - QPointF(15, 15), QSizeF(30, 30)), Qt::black);
    }
    // The photo: the cheque seen in that perspective, on a grey table.
    QTransform seen;
    QVERIFY(QTransform::quadToQuad(QPolygonF{{0, 0}, {1750, 0}, {1750, 800}, {0, 800}}, corners, seen));
    QImage photo(1600, 1200, QImage::Format_RGB32);
    photo.fill(QColor(150, 150, 150));
    {
        QPainter painter(&photo);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setTransform(seen);
        painter.drawImage(0, 0, cheque);
    }
    const QImage straight =
        platform::straightened(photo, {corners[0], corners[1], corners[2], corners[3]}, QSize(1750, 800));
    QCOMPARE(straight.size(), QSize(1750, 800));
    for (const QPointF &mark : Marks) {
        const QPointF found = markAt(straight, mark * 10);
        // Within half a millimetre, five pixels.
        QVERIFY2(QLineF(found, mark * 10).length() < 5,
                 qPrintable(QStringLiteral("mark at %1, %2 mm found at %3, %4 px")
                                .arg(mark.x())
                                .arg(mark.y())
                                .arg(found.x())
                                .arg(found.y())));
    }
    // Corners that make no shape give nothing.
    QVERIFY(platform::straightened(photo, {corners[0], corners[0], corners[0], corners[0]}, QSize(1750, 800)).isNull());
    // Nor do corners that are no numbers.
    const QPointF nowhere(std::numeric_limits<double>::quiet_NaN(), 0);
    QVERIFY(platform::straightened(photo, {corners[0], corners[1], corners[2], nowhere}, QSize(1750, 800)).isNull());
    const QPointF infinite(std::numeric_limits<double>::infinity(), 0);
    QVERIFY(platform::straightened(photo, {infinite, corners[1], corners[2], corners[3]}, QSize(1750, 800)).isNull());
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
