#include "platform/desktop.h"
#include "prompt_dialog/form97.h"
#include "support/workingfolder.h"
#include "window_services/imagestore.h"
#include "window_services/picturebutton.h"
#include "window_services/suitefile.h"
#include "window_services/textfield.h"
#include "window_services/windows.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
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
    void captionWrittenUnderThePicture();
    void fieldsHoldWhatTheFilesCanHold();
    void fieldMenusSpeakFrench();
    void suiteFileCreatedAndShared();
    void mainWindowPlacement();
};

void TestWindowServices::storeHolds_data()
{
    QTest::addColumn<QString>("array");
    QTest::addColumn<int>("index");
    QTest::addColumn<QSize>("size"); // empty: not held
    QTest::addColumn<QString>("caption");
    for (int i = 0; i < 8; ++i)
        QTest::addRow("ccb %d", i) << "ccb" << i << QSize(32, 32) << "";
    const QList<std::pair<int, QString>> faces{{0, "Créer"},   {1, "Recher."}, {2, "Valider"},
                                               {3, "Annuler"}, {5, "Outils"},  {11, "Fin"}};
    for (const auto &[index, caption] : faces)
        QTest::addRow("btc %d", index) << "btc" << index << QSize(48, 48) << caption;
    for (int i : {4, 54, 72, 73})
        QTest::addRow("btc %d is not held", i) << "btc" << i << QSize() << "";
    QTest::newRow("default bank picture") << "Picture1" << 0 << QSize(100, 40) << "";
    QTest::newRow("ccb 8 is not held") << "ccb" << 8 << QSize() << "";
    QTest::newRow("no such array") << "p12" << 0 << QSize() << "";
}

void TestWindowServices::storeHolds()
{
    QFETCH(QString, array);
    QFETCH(int, index);
    QFETCH(QSize, size);
    QFETCH(QString, caption);
    const StoredPicture stored = icc.lookup(array, index);
    QCOMPARE(stored.isNull(), size.isEmpty());
    QCOMPARE(stored.picture.size(), size.isEmpty() ? QSize() : size);
    QCOMPARE(stored.caption, caption);
    if (!size.isEmpty()) {
        // Drawn, not empty, at whatever size a screen asks for.
        const QImage drawn = stored.picture.pixmap(size * 2, 1.5).toImage();
        QCOMPARE(drawn.size(), size * 3);
        int drawnPixels = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x)
                drawnPixels += drawn.pixelColor(x, y).alpha() > 0 ? 1 : 0;
        }
        QVERIFY(drawnPixels > drawn.width() * drawn.height() / 10);
    }
}

void TestWindowServices::replacedPictureReachesTheDialog()
{
    QImage shop(40, 20, QImage::Format_RGB32);
    shop.fill(Qt::magenta);
    WorkingFolder folder;
    QVERIFY(shop.save(folder.path(QStringLiteral("shop.bmp"))));
    const platform::Result<platform::Picture> loaded = platform::Picture::load(QStringLiteral("shop.bmp"));
    QVERIFY(loaded);
    const platform::Picture before = icc.lookup(QStringLiteral("Image1"), 2).picture;
    QVERIFY(!before.isNull());
    icc.replace(QStringLiteral("Image1"), 2, *loaded);
    QCOMPARE(icc.lookup(QStringLiteral("Image1"), 2).picture.size(), QSize(40, 20));

    // Every dialog opened afterwards shows it at its top left.
    prompt_dialog::Form97 dialog(QStringLiteral("Bonjour"), 0);
    QVERIFY(dialog.Image1->pixmap().toImage().pixel(5, 5) == QColor(Qt::magenta).rgb());
    icc.replace(QStringLiteral("Image1"), 2, before);
}

void TestWindowServices::captionWrittenUnderThePicture()
{
    PictureButton button;
    button.resize(73, 73);
    button.setFace(icc.lookup(QStringLiteral("btc"), 2));
    QCOMPARE(button.text(), QStringLiteral("Valider"));
    const QImage captioned = button.grab().toImage();
    // A null face leaves the button as it was.
    button.setFace(icc.lookup(QStringLiteral("btc"), 72));
    QCOMPARE(button.text(), QStringLiteral("Valider"));
    button.setFace({icc.lookup(QStringLiteral("btc"), 2).picture, QString()});
    QVERIFY(button.grab().toImage() != captioned);
}

void TestWindowServices::fieldsHoldWhatTheFilesCanHold()
{
    TextField field;
    QSignalSpy refused(&field, &TextField::characterRefused);
    for (const QChar c : QStringLiteral("Łódź €"))
        QTest::sendKeyEvent(QTest::Click, &field, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    QCOMPARE(field.text(), QStringLiteral("ód €"));
    QCOMPARE(refused.count(), 2);
    // Nor does a paste bring one in.
    field.insert(QStringLiteral("日本"));
    QCOMPARE(field.text(), QStringLiteral("ód €"));
}

void TestWindowServices::fieldMenusSpeakFrench()
{
    platform::useFrenchForQtTexts();
    TextField field;
    field.resize(200, 30);
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));
    // The right button opens the field's own menu, Qt's.
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), field.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(&field, &event);
    QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QStringList entries;
    for (const QAction *action : menu->actions())
        entries << action->text();
    menu->close();
    QVERIFY2(entries.join(QLatin1Char('|')).contains(QStringLiteral("Co&uper")),
             qPrintable(entries.join(QStringLiteral(" | "))));
}

void TestWindowServices::suiteFileCreatedAndShared()
{
    WorkingFolder folder;
    platform::RecordFile file;
    QVERIFY(openSuiteFile(file));
    QVERIFY(file.isOpen());
    QVERIFY(folder.exists(QStringLiteral("w_cai020.wdo")));
    QCOMPARE(folder.read(QStringLiteral("w_cai020.wdo")).size(), 0);
    // Another program of the suite opens and writes it while we hold it.
    QProcess other;
    other.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("printf abc >> w_cai020.wdo")});
    QVERIFY(other.waitForFinished(10000));
    QCOMPARE(other.exitCode(), 0);
    QCOMPARE(folder.read(QStringLiteral("w_cai020.wdo")), QByteArray("abc"));
    // Opening again closes the previous hold first.
    QVERIFY(openSuiteFile(file));
    file.close();
    QVERIFY(!file.isOpen());
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
