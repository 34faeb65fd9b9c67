#include "platform/desktop.h"
#include "prompt_dialog/form97.h"
#include "prompt_dialog/globals.h"
#include "support/workingfolder.h"
#include "window_services/imagestore.h"
#include "window_services/windows.h"

#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <QWidget>

using namespace window_services;

// The store's pictures, the suite file, and the windows placed on the screen.
class TestWindowServices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storeHolds_data();
    void storeHolds();
    void replacedPictureReachesTheDialog();
    void suiteFileCreatedAndShared();
    void mainWindowPlacement();
};

void TestWindowServices::storeHolds_data()
{
    QTest::addColumn<QString>("array");
    QTest::addColumn<int>("index");
    QTest::addColumn<QSize>("size"); // empty: not held
    for (int i = 0; i < 8; ++i)
        QTest::addRow("ccb %d", i) << "ccb" << i << QSize(32, 32);
    for (int i : {0, 1, 2, 3, 5, 11})
        QTest::addRow("btc %d", i) << "btc" << i << QSize(73, 73);
    for (int i : {4, 54, 72, 73})
        QTest::addRow("btc %d is not held", i) << "btc" << i << QSize();
    QTest::newRow("default bank picture") << "Picture1" << 0 << QSize(100, 40);
    QTest::newRow("ccb 8 is not held") << "ccb" << 8 << QSize();
    QTest::newRow("no such array") << "p12" << 0 << QSize();
}

void TestWindowServices::storeHolds()
{
    QFETCH(QString, array);
    QFETCH(int, index);
    QFETCH(QSize, size);
    const QPixmap picture = icc::lookup(array, index);
    QCOMPARE(picture.isNull(), size.isEmpty());
    if (!size.isEmpty())
        QCOMPARE(picture.size(), size);
}

void TestWindowServices::replacedPictureReachesTheDialog()
{
    QPixmap shop(40, 20);
    shop.fill(Qt::magenta);
    const QPixmap before = icc::lookup(QStringLiteral("Image1"), 2);
    QVERIFY(!before.isNull());
    icc::replace(QStringLiteral("Image1"), 2, shop);
    QCOMPARE(icc::lookup(QStringLiteral("Image1"), 2).toImage(), shop.toImage());

    // Every dialog opened afterwards shows it at its top left.
    prompt_dialog::PromptText = QStringLiteral("Bonjour");
    prompt_dialog::PromptValue = 0;
    prompt_dialog::Form97 dialog;
    QVERIFY(dialog.Image1->pixmap().toImage().pixel(5, 5) == QColor(Qt::magenta).rgb());
    icc::replace(QStringLiteral("Image1"), 2, before);
}

void TestWindowServices::suiteFileCreatedAndShared()
{
    WorkingFolder folder;
    QVERIFY(openSuiteFile());
    QVERIFY(suiteFileIsOpen());
    QVERIFY(folder.exists(QStringLiteral("w_cai020.wdo")));
    QCOMPARE(folder.read(QStringLiteral("w_cai020.wdo")).size(), 0);
    // Another program of the suite opens and writes it while we hold it.
    QProcess other;
    other.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("printf abc >> w_cai020.wdo")});
    QVERIFY(other.waitForFinished(10000));
    QCOMPARE(other.exitCode(), 0);
    QCOMPARE(folder.read(QStringLiteral("w_cai020.wdo")), QByteArray("abc"));
    // Opening again closes the previous hold first.
    QVERIFY(openSuiteFile());
    closeSuiteFile();
    QVERIFY(!suiteFileIsOpen());
}

void TestWindowServices::mainWindowPlacement()
{
    QWidget window;
    placeMainWindow(&window);
    QCOMPARE(window.size(), QSize(platform::twipsToPixels(15360), platform::twipsToPixels(11070)));
    QCOMPARE(window.y(), 0);
    QCOMPARE(window.x(), platform::twipsToPixels((platform::screenWidthTwips() - 15360) / 2));
    QWidget editor;
    placeEditor(&editor);
    QCOMPARE(editor.size(), QSize(platform::twipsToPixels(12000), platform::twipsToPixels(9000)));
    QCOMPARE(editor.x(), platform::twipsToPixels((platform::screenWidthTwips() - 12000) / 2));
}

QTEST_MAIN(TestWindowServices)
#include "tst_windowservices.moc"
