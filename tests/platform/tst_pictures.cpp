#include "platform/pictures.h"
#include "support/workingfolder.h"

#include <QBuffer>
#include <QImage>
#include <QFile>
#include <QTest>

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

const QByteArray Svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 20 10\">"
                       "<rect x=\"0\" y=\"0\" width=\"20\" height=\"10\" fill=\"#ff0000\"/></svg>";

} // namespace

// Pictures read from files: the shop's picture, the banks' bitmaps, the
// program's drawings.
class TestPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
    QTest::newRow("bitmap kept in proportion") << imageBytes("BMP") << QSize(100, 40) << 1.0 << true
                                               << QSize(80, 40);
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
    const QPixmap pixmap =
        picture->pixmap(asked, ratio, keepAspect ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio);
    QCOMPARE(pixmap.size(), pixels);
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    // Red all the way to the corners: drawn to fill, not left transparent.
    const QImage image = pixmap.toImage();
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1).red(), 255);
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
