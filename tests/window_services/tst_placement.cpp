#include "window_services/placement.h"

#include <QTest>

using namespace window_services;

class TestPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void centredLeft_data();
    void centredLeft();
    void dialogTopLeft_data();
    void dialogTopLeft();
    void framePieces_data();
    void framePieces();
};

void TestPlacement::centredLeft_data()
{
    QTest::addColumn<double>("screenWidth");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("left");
    QTest::newRow("main window on 1024 pixels") << 15360.0 << MainWindowWidth << 0.0;
    QTest::newRow("main window on a wide screen") << 28800.0 << MainWindowWidth << 6720.0;
    QTest::newRow("narrow screen cuts both sides") << 12000.0 << MainWindowWidth << -1680.0;
    QTest::newRow("editor") << 15360.0 << EditorWidth << 1680.0;
}

void TestPlacement::centredLeft()
{
    QFETCH(double, screenWidth);
    QFETCH(double, width);
    QTEST(window_services::centredLeft(screenWidth, width), "left");
}

void TestPlacement::dialogTopLeft_data()
{
    QTest::addColumn<double>("screenWidth");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QPointF>("topLeft");
    QTest::newRow("prompt dialog") << 19200.0 << 6795.0 << 5670.0 << QPointF(6202.5, 1665);
    QTest::newRow("narrow screen") << 4800.0 << 6795.0 << 5670.0 << QPointF(-997.5, 1665);
    QTest::newRow("taller than the band") << 19200.0 << 12000.0 << 11070.0 << QPointF(3600, -1035);
}

void TestPlacement::dialogTopLeft()
{
    QFETCH(double, screenWidth);
    QFETCH(double, width);
    QFETCH(double, height);
    QTEST(window_services::dialogTopLeft(screenWidth, width, height), "topLeft");
}

void TestPlacement::framePieces_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QRectF>("rect");
    // The prompt dialog's own size, 6795 x 5670.
    QTest::newRow("top-left corner") << 0 << QRectF(0, 0, 480, 480);
    QTest::newRow("top-right corner") << 1 << QRectF(6315, 0, 480, 480);
    QTest::newRow("bottom-right corner") << 2 << QRectF(6315, 5190, 480, 480);
    QTest::newRow("bottom-left corner") << 3 << QRectF(0, 5190, 480, 480);
    QTest::newRow("left edge") << 4 << QRectF(0, 480, 480, 4710);
    QTest::newRow("top edge") << 5 << QRectF(480, 0, 5835, 480);
    QTest::newRow("right edge") << 6 << QRectF(6315, 480, 480, 4710);
    QTest::newRow("bottom edge") << 7 << QRectF(480, 5190, 5835, 480);
}

void TestPlacement::framePieces()
{
    QFETCH(int, index);
    QTEST(framePieceRects(6795, 5670)[std::size_t(index)], "rect");
}

QTEST_APPLESS_MAIN(TestPlacement)
#include "tst_placement.moc"
