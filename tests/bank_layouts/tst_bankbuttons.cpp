#include "bank_layouts/layoutfile.h"
#include "main_window/form1.h"
#include "main_window/globals.h"
#include "main_window/pendingcheque.h"
#include "platform/currentprinter.h"
#include "platform/desktop.h"
#include "platform/recordingsurface.h"
#include "support/modal.h"
#include "support/recordingprinter.h"
#include "support/workingfolder.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using main_window::Form1;
using namespace bank_layouts;

namespace {

QByteArray layout(const QByteArray &bankName, int lines = 16)
{
    QList<QByteArray> all{bankName, "Arial", "10", "132", "26", "6", "29", "90", "38", "134", "38", "55", "17",
                          "6", "43", "60"};
    QByteArray bytes;
    for (int i = 0; i < lines && i < all.size(); ++i)
        bytes += all[i] + "\r\n";
    return bytes;
}

QByteArray bitmap()
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QByteArray pendingAmount(const QByteArray &record21)
{
    return QByteArray(400, ' ') + record21;
}

} // namespace

class TestBankButtons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void buttonsStandInThreeRowsOfFive();
    void noLayoutFiles();
    void buttonsFollowTheFiles();
    void moreThanFifteenFiles();
    void rebuildingKeepsWhatFilesDoNotChange();
    void clickPrints_data();
    void clickPrints();
    void failedPrintShowsTheMessage_data();
    void failedPrintShowsTheMessage();
    void parameterModePrintsNothing();
    void amountWithoutWordsIsNotPrinted();
    void noPrinterShowsTheMessage();

private:
    std::optional<RecordingPrinter> m_printer;
};

void TestBankButtons::init()
{
    m_printer.emplace();
    main_window::KeepOpenAfterPrint = false;
    BankFiles.fill(QString());
    SelectedBankFile.clear();
}

void TestBankButtons::cleanup()
{
    m_printer.reset();
}

void TestBankButtons::buttonsStandInThreeRowsOfFive()
{
    WorkingFolder folder;
    Form1 form;
    const int columns[] = {300, 2310, 4320, 6330, 8340};
    const int rows[] = {7530, 8460, 9390};
    for (int i = 0; i < 15; ++i) {
        const QRect expected(platform::twipsToPixels(columns[i % 5]), platform::twipsToPixels(rows[i / 5]),
                             platform::twipsToPixels(1980), platform::twipsToPixels(915));
        QCOMPARE(form.bt_banq[i]->geometry(), expected);
    }
}

void TestBankButtons::noLayoutFiles()
{
    WorkingFolder folder;
    Form1 form;
    form.startUp();
    for (QToolButton *button : form.bt_banq)
        QCOMPARE(button->text(), QString());
    QString message;
    confirmNextMessage(&message);
    QTest::mouseClick(form.bt_banq[3], Qt::LeftButton);
    QCOMPARE(message, QStringLiteral("Cette banque n'est pas définie !"));
    QVERIFY(m_printer->surface().printingCalls().filter(QStringLiteral("printText")).isEmpty());
    QVERIFY(!form.hasEnded());
}

void TestBankButtons::buttonsFollowTheFiles()
{
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_A.txt"), layout("Cr\xe9" "dit du Sud"));
    folder.write(QStringLiteral("bq_A.bmp"), bitmap());
    folder.write(QStringLiteral("bq_B.txt"), layout("Sans image"));
    folder.write(QStringLiteral("bq_C.txt"), QByteArray()); // no first line
    folder.write(QStringLiteral("bq_D.txt"), layout("Banque D"));
    folder.write(QStringLiteral("bq_D.bmp"), "not a picture");
    folder.write(QStringLiteral("bq_E.txt"), layout("Apr\xe8s"));
    Form1 form;
    form.startUp();

    QCOMPARE(form.bt_banq[0]->text(), QStringLiteral("Crédit du Sud"));
    QCOMPARE(form.bt_banq[1]->text(), QStringLiteral("Sans image"));
    QCOMPARE(form.bt_banq[2]->text(), QString());
    QCOMPARE(form.bt_banq[3]->text(), QStringLiteral("Banque D"));
    QCOMPARE(form.bt_banq[4]->text(), QStringLiteral("Après"));
    QCOMPARE(form.bt_banq[5]->text(), QString());
    QCOMPARE(form.bt_banq[5]->icon().isNull(), true);

    // The bank's own picture where it has one, the default one otherwise.
    const QImage own = form.bt_banq[0]->icon().pixmap(QSize(100, 40)).toImage();
    QCOMPARE(QColor(own.pixel(own.width() / 2, own.height() / 2)), QColor(Qt::red));
    const QImage standard = form.bt_banq[1]->icon().pixmap(QSize(100, 40)).toImage();
    for (int i : {2, 3, 4})
        QCOMPARE(form.bt_banq[i]->icon().pixmap(QSize(100, 40)).toImage(), standard);
    QVERIFY(standard != own);

    const QStringList files{"bq_A.txt", "bq_B.txt", "bq_C.txt", "bq_D.txt", "bq_E.txt"};
    for (int i = 0; i < files.size(); ++i)
        QCOMPARE(BankFiles[i], files[i]);
    QCOMPARE(BankFiles[5], QString());
    QCOMPARE(SelectedBankFile, QStringLiteral("bq_E.txt"));
}

void TestBankButtons::moreThanFifteenFiles()
{
    WorkingFolder folder;
    for (int i = 0; i < 23; ++i)
        folder.write(QStringLiteral("bq_%1.txt").arg(i, 2, 10, QLatin1Char('0')), layout("B" + QByteArray::number(i)));
    Form1 form;
    form.startUp();
    for (int i = 0; i < 15; ++i)
        QCOMPARE(form.bt_banq[i]->text(), QStringLiteral("B%1").arg(i));
    QCOMPARE(BankFiles[20], QStringLiteral("bq_20.txt"));
    QCOMPARE(SelectedBankFile, QStringLiteral("bq_20.txt"));
}

void TestBankButtons::rebuildingKeepsWhatFilesDoNotChange()
{
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_A.txt"), layout("Premier"));
    folder.write(QStringLiteral("bq_B.txt"), layout("Second"));
    Form1 form;
    form.startUp();
    QFile::remove(folder.path(QStringLiteral("bq_A.txt")));
    folder.write(QStringLiteral("bq_B.txt"), layout("Second, revu"));
    form.charge_banque();
    QCOMPARE(form.bt_banq[0]->text(), QStringLiteral("Second, revu"));
    // Beyond the files, a button keeps what it had.
    QCOMPARE(form.bt_banq[1]->text(), QStringLiteral("Second"));
    QCOMPARE(BankFiles[0], QStringLiteral("bq_B.txt"));
    QCOMPARE(BankFiles[1], QStringLiteral("bq_B.txt"));
}

void TestBankButtons::clickPrints_data()
{
    QTest::addColumn<bool>("keepOpen");
    QTest::newRow("handed over alone: the program ends") << false;
    QTest::newRow("asked to stay open") << true;
}

void TestBankButtons::clickPrints()
{
    QFETCH(bool, keepOpen);
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_A.txt"), layout("Banque"));
    folder.write(main_window::PendingChequeFileName,
                 pendingAmount(keepOpen ? "     12.5         T " : "     12.5           "));
    Form1 form;
    QSignalSpy ended(&form, &Form1::programEnded);
    form.startUp();
    if (keepOpen)
        form.text1->setText(QStringLiteral("12.5")); // the flag shares the amount's characters
    QVERIFY(form.converti_txt());
    m_printer->surface().clearCalls();

    QTest::mouseClick(form.bt_banq[0], Qt::LeftButton);
    const QStringList calls = m_printer->surface().printingCalls();
    QCOMPARE(calls.first(), QStringLiteral("setFontName(Arial)"));
    QVERIFY(calls.contains(QStringLiteral("printText(****12.5 €)")));
    QCOMPARE(m_printer->surface().documentsEnded(), 1);
    QCOMPARE(LayoutTwips[1], 7484.4f);
    QCOMPARE(form.hasEnded(), !keepOpen);
    QCOMPARE(ended.count(), keepOpen ? 0 : 1);
    // A printed cheque that ends the program does not write the settings.
    QVERIFY(!folder.exists(main_window::SettingsFileName));
}

void TestBankButtons::failedPrintShowsTheMessage_data()
{
    QTest::addColumn<QByteArray>("layoutBytes");
    QTest::addColumn<QString>("failOn");
    QTest::newRow("fifteen lines") << layout("Court", 15) << "";
    QTest::newRow("printer refuses") << layout("Banque") << "printText";
    QTest::newRow("job cannot be sent") << layout("Banque") << "endDocument";
}

void TestBankButtons::failedPrintShowsTheMessage()
{
    QFETCH(QByteArray, layoutBytes);
    QFETCH(QString, failOn);
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_A.txt"), layoutBytes);
    Form1 form;
    form.startUp();
    m_printer->surface().failOn(failOn);
    QString message;
    confirmNextMessage(&message);
    QTest::mouseClick(form.bt_banq[0], Qt::LeftButton);
    QCOMPARE(message, QStringLiteral("Cette banque n'est pas définie !"));
    QCOMPARE(m_printer->surface().documentsEnded(), 0);
    QVERIFY(!form.hasEnded());
}

void TestBankButtons::parameterModePrintsNothing()
{
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_A.txt"), layout("Banque"));
    folder.write(QStringLiteral("bq_B.txt"), layout("Autre"));
    Form1 form;
    form.startUp();
    m_printer->surface().clearCalls();
    platform::setPointer(platform::QuestionArrowPointer);
    QTest::mouseClick(form.bt_banq[0], Qt::LeftButton);
    QCOMPARE(SelectedBankFile, QStringLiteral("bq_A.txt"));
    QVERIFY(m_printer->surface().printingCalls().isEmpty());
    QVERIFY(!form.hasEnded());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestBankButtons::amountWithoutWordsIsNotPrinted()
{
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_A.txt"), layout("Banque"));
    folder.write(main_window::PendingChequeFileName, pendingAmount("     12 EUR         "));
    Form1 form;
    form.startUp();
    QCOMPARE(form.text1->text(), QStringLiteral("12 EUR"));
    m_printer->surface().clearCalls();
    QString message;
    confirmNextMessage(&message);
    QTest::mouseClick(form.bt_banq[0], Qt::LeftButton);
    QVERIFY(message.contains(QStringLiteral("12 EUR")));
    QVERIFY(m_printer->surface().printingCalls().isEmpty());
    QVERIFY(!form.hasEnded());
}

void TestBankButtons::noPrinterShowsTheMessage()
{
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_A.txt"), layout("Banque"));
    Form1 form;
    form.startUp();
    platform::selectPrinter(QStringLiteral("ormeline-queue-that-does-not-exist"));
    QString message;
    confirmNextMessage(&message);
    QTest::mouseClick(form.bt_banq[0], Qt::LeftButton);
    QCOMPARE(message, QStringLiteral("Cette banque n'est pas définie !"));
    QVERIFY(!form.hasEnded());
}

QTEST_MAIN(TestBankButtons)
#include "tst_bankbuttons.moc"
