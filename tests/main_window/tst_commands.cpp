#include "main_window/form1.h"
#include "main_window/globals.h"
#include "main_window/pendingcheque.h"
#include "platform/currentprinter.h"
#include "platform/desktop.h"
#include "platform/recordingsurface.h"
#include "support/modal.h"
#include "support/recordingprinter.h"
#include "support/workingfolder.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using main_window::Form1;

namespace {

const QByteArray Layout =
    "Banque\r\nArial\r\n10\r\n132\r\n26\r\n6\r\n29\r\n90\r\n38\r\n134\r\n38\r\n55\r\n17\r\n6\r\n43\r\n60\r\n";

} // namespace

// The main window's commands, driven as a person would: a click on the
// amount, answers typed into the prompt dialog, the parameter button.
class TestCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void amountEntry_data();
    void amountEntry();
    void cancelledEntryGivesZero();
    void refusedAmountKeepsThePrevious_data();
    void refusedAmountKeepsThePrevious();
    void parameterCommandSwitches();
    void dialogEndsParameterMode();

private:
    void startWithAmount(Form1 &form, const QByteArray &amount);
    std::optional<RecordingPrinter> m_printer;
    std::optional<WorkingFolder> m_folder;
};

void TestCommands::init()
{
    m_printer.emplace();
    main_window::KeepOpenAfterPrint = true;
    m_folder.emplace();
    m_folder->write(QStringLiteral("bq_A.txt"), Layout);
}

void TestCommands::cleanup()
{
    m_folder.reset();
    m_printer.reset();
}

void TestCommands::startWithAmount(Form1 &form, const QByteArray &amount)
{
    m_folder->write(main_window::PendingChequeFileName,
                    QByteArray(400, ' ') + "     " + amount.leftJustified(15, ' '));
    form.startUp();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
}

void TestCommands::amountEntry_data()
{
    QTest::addColumn<QString>("typed"); // null: confirm the amount offered
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("words");
    QTest::newRow("confirmed as offered") << QString() << "1575.98"
                                          << "MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE VINGT DIX HUIT CENTIMES";
    QTest::newRow("blanks inside and in front") << " 1 575.5" << "1575.50"
                                                << "MILLE CINQ CENT SOIXANTE QUINZE EUROS ET CINQUANTE CENTIMES";
    QTest::newRow("half goes up") << "0.125" << "0.13" << "ZÉRO EURO ET TREIZE CENTIMES";
    QTest::newRow("below half") << "0.124" << "0.12" << "ZÉRO EURO ET DOUZE CENTIMES";
    QTest::newRow("whole") << "12" << "12.00" << "DOUZE EUROS";
    QTest::newRow("decimal comma") << "12,50" << "12.50" << "DOUZE EUROS ET CINQUANTE CENTIMES";
    QTest::newRow("decimal comma and blanks") << "1 575,5" << "1575.50"
                                              << "MILLE CINQ CENT SOIXANTE QUINZE EUROS ET CINQUANTE CENTIMES";
}

void TestCommands::amountEntry()
{
    QFETCH(QString, typed);
    QFETCH(QString, amount);
    QFETCH(QString, words);
    Form1 form;
    startWithAmount(form, "1575.98");
    QString question;
    QString offered;
    answerNextPrompt(
        [&offered, typed](prompt_dialog::Form97 *d) {
            offered = d->Text2->text();
            if (typed.isNull()) {
                QTest::mouseClick(d->command3D[1], Qt::LeftButton);
                return;
            }
            // The amount offered is selected: typing replaces it.
            QTest::keyClicks(d->Text2, typed);
            QTest::keyClick(d->Text2, Qt::Key_Return);
        },
        &question);
    QTest::mouseClick(form.text1, Qt::LeftButton);
    QCOMPARE(question, QStringLiteral("Entrez le montant du chèque ?"));
    QCOMPARE(offered, QStringLiteral("1575.98"));
    QCOMPARE(form.text1->text(), amount);
    QCOMPARE(form.Text2->text(), words);
    QCOMPARE((form.Text3->text().trimmed() + QLatin1Char(' ') + form.Text10->text().trimmed()).trimmed(), words);
}

void TestCommands::cancelledEntryGivesZero()
{
    Form1 form;
    startWithAmount(form, "12");
    answerNextPrompt([](prompt_dialog::Form97 *d) { QTest::keyClick(d->Text2, Qt::Key_Escape); }, nullptr);
    QTest::mouseClick(form.text1, Qt::LeftButton);
    QCOMPARE(form.text1->text(), QStringLiteral("0.00"));
    QCOMPARE(form.Text2->text(), QStringLiteral("ZÉRO EURO"));
}

void TestCommands::refusedAmountKeepsThePrevious_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("negative") << "-5";
    QTest::newRow("sixteen digits") << "1234567890123456";
}

void TestCommands::refusedAmountKeepsThePrevious()
{
    QFETCH(QString, typed);
    Form1 form;
    startWithAmount(form, "21");
    QString refusal;
    answerNextPrompt(
        [typed, &refusal](prompt_dialog::Form97 *d) {
            confirmNextMessage(&refusal);
            QTest::keyClicks(d->Text2, typed);
            QTest::keyClick(d->Text2, Qt::Key_Return);
        },
        nullptr);
    QTest::mouseClick(form.text1, Qt::LeftButton);
    QVERIFY(!refusal.isEmpty());
    QCOMPARE(form.text1->text(), QStringLiteral("21"));
    QCOMPARE(form.Text2->text(), QStringLiteral("VINGT ET UN EUROS"));
}

void TestCommands::parameterCommandSwitches()
{
    Form1 form;
    startWithAmount(form, "21");
    QTest::mouseClick(form.command4, Qt::LeftButton);
    QCOMPARE(platform::pointer(), platform::QuestionArrowPointer);
    QTest::mouseClick(form.bt_banq[0], Qt::LeftButton);
    QVERIFY(m_printer->surface().printingCalls().isEmpty());

    QTest::mouseClick(form.command4, Qt::LeftButton);
    QCOMPARE(platform::pointer(), platform::ArrowPointer);
    QTest::mouseClick(form.bt_banq[0], Qt::LeftButton);
    QCOMPARE(m_printer->surface().documentsEnded(), 1);
}

void TestCommands::dialogEndsParameterMode()
{
    Form1 form;
    startWithAmount(form, "21");
    QTest::mouseClick(form.command4, Qt::LeftButton);
    QCOMPARE(platform::pointer(), platform::QuestionArrowPointer);
    typeNextAnswer(QStringLiteral("30"), nullptr);
    QTest::mouseClick(form.text1, Qt::LeftButton);
    QCOMPARE(form.text1->text(), QStringLiteral("30.00"));
    QVERIFY(platform::pointer() != platform::QuestionArrowPointer);
    QTest::mouseClick(form.bt_banq[0], Qt::LeftButton);
    QCOMPARE(m_printer->surface().documentsEnded(), 1);
    QVERIFY(m_printer->surface().printingCalls().contains(QStringLiteral("printText(****30.00 €)")));
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
