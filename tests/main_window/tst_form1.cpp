#include "amount_words/wordsplit.h"
#include "main_window/form1.h"
#include "main_window/globals.h"
#include "main_window/pendingcheque.h"
#include "platform/clock.h"
#include "platform/currentprinter.h"
#include "platform/desktop.h"
#include "platform/recordingsurface.h"
#include "support/modal.h"
#include "support/recordingprinter.h"
#include "support/workingfolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using main_window::Form1;

namespace {

QByteArray pendingFile(const QByteArray &record21)
{
    QByteArray bytes;
    for (int i = 0; i < 20; ++i)
        bytes += QByteArray(20, char('A' + i));
    return bytes + record21;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void windowShowsTheChequeTexts();
    void startWithNoFiles();
    void startWithFullSettings();
    void blankPlaceShowsFirstInstallation();
    void pendingCheque_data();
    void pendingCheque();
    void wordsAreSplitByPrintedWidth();
    void exitWritesSixLines_data();
    void exitWritesSixLines();
    void failedSettingsWriteAsksBeforeQuitting_data();
    void failedSettingsWriteAsksBeforeQuitting();
    void printerPickThatCannotBeKeptStillApplies();

private:
    std::optional<RecordingPrinter> m_printer;
};

void TestForm1::init()
{
    m_printer.emplace();
    platform::setTodayForTests(QDate(2026, 3, 7));
    main_window::KeepOpenAfterPrint = false;
    main_window::PrintersReady = false;
    amount_words::WordsLine1.clear();
    amount_words::WordsLine2.clear();
}

void TestForm1::cleanup()
{
    m_printer.reset();
    platform::setTodayForTests(QDate());
}

void TestForm1::windowShowsTheChequeTexts()
{
    WorkingFolder folder;
    Form1 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Ormeline"));
    QStringList texts;
    for (const QLabel *label : form.findChildren<QLabel *>())
        texts << label->text();
    for (const char *expected :
         {"Payer contre ce chèque", "€", "à", "le", "Payable en France", "Compte", "Chéque à rédiger en Euros",
          "Edition des Chèques", "Choix de l'Imprimante",
          "Choisissez dans la liste ci-dessus l'imprimante standard que vous utiliserez pour imprimer les chèques.  "
          "Ne pas sélectionner l'imprimante ticket !",
          "Ensuite cliquez sur le bouton 'Outils' ci contre pour tester l'imprimante choisie :",
          "Cliquez ci-dessous sur un des icones correpondant à la banque de votre client, si vous ne la trouvez pas "
          "choisissez un des des positionnement génériques  (Lieu en dessous de la date ou lieu à gauche de la date)",
          "Cliquez sur 'paramètres' puis sur un icone 'Banque' pour modifier le position des zones d'impression si "
          "necessaire.",
          "Outils permet de regler l'impression de chèques sur votre imprimante."}) {
        QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
    }
    QCOMPARE(form.Frame1->title(), QStringLiteral("Première Installation"));
    // 15360 x 11070 twips.
    QCOMPARE(form.size(), QSize(platform::twipsToPixels(15360), platform::twipsToPixels(11070)));

    // The cheque reads from top to bottom as a real one.
    const auto top = [&form](QWidget *w) { return w->mapTo(&form, QPoint(0, 0)).y(); };
    QVERIFY(top(form.Text3) < top(form.Text10));
    QVERIFY(top(form.Text10) < top(form.Text8));
    QVERIFY(top(form.Text8) < top(form.Text7));
    QCOMPARE(top(form.Text7), top(form.Text4));
    QVERIFY(form.text1->mapTo(&form, QPoint(0, 0)).x() > form.Text10->mapTo(&form, QPoint(0, 0)).x());
    QVERIFY(form.text1->isReadOnly());
    for (QLineEdit *hidden : {form.Text2, form.Text5, form.Text6, form.Text9, form.Text11})
        QVERIFY(!hidden->isVisibleTo(&form));
}

void TestForm1::startWithNoFiles()
{
    WorkingFolder folder;
    Form1 form;
    form.startUp();
    QCOMPARE(form.text1->text(), QString());
    QCOMPARE(form.Text2->text(), QString());
    QCOMPARE(form.Text3->text(), QString());
    QCOMPARE(form.Text8->text(), QString());
    QCOMPARE(form.Text7->text(), QString());
    QCOMPARE(form.Text4->text(), QStringLiteral("07/03/2026"));
    QCOMPARE(form.Text9->text(), QStringLiteral("Euro"));
    QCOMPARE(form.Text11->text(), QStringLiteral("centime"));
    QVERIFY(form.Frame1->isVisibleTo(&form));
    QVERIFY(main_window::PrintersReady);
    QVERIFY(!main_window::KeepOpenAfterPrint);
    QVERIFY(form.Timer1->isActive());
    QCOMPARE(form.Timer1->interval(), 500);
    QCOMPARE(folder.read(main_window::PendingChequeFileName), QByteArray(400, '\0') + "----                ");
    QVERIFY(!folder.exists(main_window::SettingsFileName));
}

void TestForm1::startWithFullSettings()
{
    WorkingFolder folder;
    folder.write(main_window::SettingsFileName, " 3 \r\n-2 \r\nFranc\r\nsou\r\nGarage Mo\xeftessier\r\nAlbi\r\n");
    Form1 form;
    form.startUp();
    QCOMPARE(form.Text5->text(), QStringLiteral(" 3 "));
    QCOMPARE(form.Text6->text(), QStringLiteral("-2 "));
    QCOMPARE(form.Text9->text(), QStringLiteral("Franc"));
    QCOMPARE(form.Text11->text(), QStringLiteral("sou"));
    QCOMPARE(form.Text8->text(), QStringLiteral("Garage Moïtessier"));
    QCOMPARE(form.Text7->text(), QStringLiteral("Albi"));
    QVERIFY(!form.Frame1->isVisibleTo(&form));
}

void TestForm1::blankPlaceShowsFirstInstallation()
{
    WorkingFolder folder;
    folder.write(main_window::SettingsFileName, " 0 \r\n 0 \r\nEuro\r\ncentime\r\nMoi\r\n   \r\n");
    Form1 form;
    form.startUp();
    QCOMPARE(form.Text8->text(), QStringLiteral("Moi"));
    QVERIFY(form.Frame1->isVisibleTo(&form));
}

void TestForm1::pendingCheque_data()
{
    QTest::addColumn<QByteArray>("record21");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("keepOpen");
    QTest::addColumn<QString>("words");
    QTest::newRow("amount") << QByteArray("12345   1575.98     ") << "1575.98" << false
                            << "MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE VINGT DIX HUIT CENTIMES";
    QTest::newRow("stay open") << QByteArray("     21           T ") << "21           T" << true << "";
    QTest::newRow("stay open, no amount") << QByteArray("                  T ") << "T" << true << "";
    QTest::newRow("taken") << QByteArray("----                ") << "" << false << "";
    QTest::newRow("French comma") << QByteArray("     12,5           ") << "12,5" << false
                                  << "DOUZE EUROS ET CINQUANTE CENTIMES";
}

void TestForm1::pendingCheque()
{
    QFETCH(QByteArray, record21);
    QFETCH(QString, amount);
    QFETCH(bool, keepOpen);
    QFETCH(QString, words);
    WorkingFolder folder;
    folder.write(main_window::PendingChequeFileName, pendingFile(record21));
    Form1 form;
    form.startUp();
    QCOMPARE(form.text1->text(), amount);
    QCOMPARE(main_window::KeepOpenAfterPrint, keepOpen);
    QCOMPARE(form.Text2->text(), words);
    QCOMPARE(form.wordsMatchAmount(), amount.isEmpty() || !words.isEmpty());
    QCOMPARE(folder.read(main_window::PendingChequeFileName), pendingFile("----                "));
}

void TestForm1::wordsAreSplitByPrintedWidth()
{
    WorkingFolder folder;
    folder.write(main_window::PendingChequeFileName, pendingFile("     1575.98        "));
    Form1 form;
    form.startUp();
    const QString words = form.Text2->text();
    const QString line1 = form.Text3->text();
    const QString line2 = form.Text10->text();
    QVERIFY(line1.startsWith(QLatin1Char(' ')));
    QVERIFY(line2.endsWith(QLatin1Char(' ')));
    QVERIFY(!line2.trimmed().isEmpty());
    QCOMPARE(line1.trimmed() + QLatin1Char(' ') + line2.trimmed(), words);
    QCOMPARE(amount_words::WordsLine1, line1);
    QCOMPARE(amount_words::WordsLine2, QString());
    // The split measured with the printer, against the on-screen width of
    // the first line: one more word would not have fitted.
    const double limit = platform::pixelsToTwips(form.Text3->width());
    QVERIFY(m_printer->surface().textWidth(line1) < limit);
    const QString nextWord = line2.trimmed().section(QLatin1Char(' '), 0, 0);
    QVERIFY(m_printer->surface().textWidth(line1 + QLatin1Char(' ') + nextWord) >= limit);
}

void TestForm1::exitWritesSixLines_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("exit button") << false;
    QTest::newRow("close box") << true;
}

void TestForm1::exitWritesSixLines()
{
    QFETCH(bool, closeBox);
    WorkingFolder folder;
    folder.write(main_window::SettingsFileName, "2\r\n-3\r\n\r\n\r\nAncien\r\nN\xeemes\r\n");
    Form1 form;
    form.startUp();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClicks(form.Text8, QStringLiteral(" & Fils"));
    QTest::keyClick(form.Text7, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(form.Text7, QStringLiteral("Arles"));
    if (closeBox)
        QVERIFY(form.close());
    else
        QTest::mouseClick(form.bt_fin, Qt::LeftButton);
    QVERIFY(form.hasEnded());
    QCOMPARE(folder.read(main_window::SettingsFileName),
             QByteArray(" 2 \r\n-3 \r\nEuro\r\ncentime\r\nAncien & Fils\r\nArles\r\n"));
}

void TestForm1::failedSettingsWriteAsksBeforeQuitting_data()
{
    QTest::addColumn<bool>("quit");
    QTest::newRow("stay to try again") << false;
    QTest::newRow("quit anyway") << true;
}

void TestForm1::failedSettingsWriteAsksBeforeQuitting()
{
    QFETCH(bool, quit);
    WorkingFolder folder;
    const QByteArray before(" 1 \r\n 1 \r\nEuro\r\ncentime\r\nAvant\r\nParis\r\n");
    folder.write(main_window::SettingsFileName, before);
    Form1 form;
    form.startUp();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Text8->setText(QStringLiteral("Un nom bien plus long que le fichier ne le permet"));
    QString message;
    answerNextQuestion(quit, &message);
    {
        FileSizeLimit full(8);
        QTest::mouseClick(form.bt_fin, Qt::LeftButton);
    }
    QVERIFY(message.contains(QStringLiteral("zvochq1.ini")));
    QCOMPARE(form.hasEnded(), quit);
    QCOMPARE(folder.read(main_window::SettingsFileName), before);
}

void TestForm1::printerPickThatCannotBeKeptStillApplies()
{
    WorkingFolder folder;
    // A folder where the assignment file should be: it can be neither read
    // nor written.
    QVERIFY(QDir().mkdir(folder.path(QStringLiteral("WFICP_IA.WDO"))));
    platform::setInstalledPrintersForTests(QStringList{QStringLiteral("Premiere"), QStringLiteral("Seconde")});
    Form1 form;
    form.startUp();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.CbPrinters->count(), 2);
    QCOMPARE(form.CbPrinters->currentIndex(), 0);

    const platform::PrinterSurface *before = &platform::currentPrinter();
    QString message;
    confirmNextMessage(&message);
    form.CbPrinters->setFocus();
    QTest::keyClick(form.CbPrinters, Qt::Key_Down);
    QCOMPARE(form.CbPrinters->currentText(), QStringLiteral("Seconde"));
    QVERIFY2(message.contains(QStringLiteral("WFICP_IA.WDO")), qPrintable(message));
    // The pick holds for this run all the same: a new current printer.
    QVERIFY(&platform::currentPrinter() != before);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
