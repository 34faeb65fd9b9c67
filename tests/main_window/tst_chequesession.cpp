#include "bank_layouts/layoutfile.h"
#include "common/numeric.h"
#include "journal/chequerecorder.h"
#include "journal/journal.h"
#include "main_window/chequeprinting.h"
#include "main_window/chequesession.h"
#include "main_window/pendingcheque.h"
#include "main_window/settings.h"
#include "main_window/windowside.h"
#include "printer_choice/printerlist.h"
#include "support/fakes.h"
#include "support/globals.h"
#include "support/layoutbytes.h"
#include "support/scriptedtalk.h"
#include "support/workingfolder.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using main_window::ChequeSession;
using main_window::WorkingFields;

namespace {

const QString UndefinedBank = QStringLiteral("Cette banque n'est pas définie !");
const QString Words1575 = QStringLiteral("MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE VINGT DIX HUIT CENTIMES");

// Records 1 to 20 belong to the suite's other programs.
QByteArray pendingFile(const QByteArray &record21)
{
    QByteArray bytes;
    for (int i = 0; i < 20; ++i)
        bytes += QByteArray(20, char('A' + i));
    return bytes + record21;
}

// The window's side of start-up, noted in order.
class FakeWindow final : public main_window::WindowSide
{
public:
    void loadShopPicture() override { steps << QStringLiteral("shop picture"); }
    void place() override { steps << QStringLiteral("place"); }
    void showBankButtons(const QList<bank_layouts::BankButtonFace> &faces) override
    {
        steps << QStringLiteral("banks");
        banks = faces;
    }
    double firstLineWidth() const override { return lineWidth; }
    void repaintNow() override { steps << QStringLiteral("repaint"); }
    void showPrinters(const QStringList &entries, int chosen) override
    {
        steps << QStringLiteral("printers");
        printers = entries;
        selected = chosen;
    }
    void showFirstInstallation() override { steps << QStringLiteral("first installation"); }
    void armFrontTimer() override { steps << QStringLiteral("front timer"); }
    bool openLayoutEditor(const layout_editor::EditedBank &bank) override
    {
        steps << QStringLiteral("editor");
        edited = bank.layoutFile;
        return editorOpens;
    }
    void openPrinterSetup() override { steps << QStringLiteral("set-up"); }
    void hideFirstInstallation() override { steps << QStringLiteral("hide first installation"); }
    void useWedgeSettings(const cheque_reader::WedgeSettings &) override {}
    void showReadCheque(const QString &text, int bankIndex) override
    {
        readCheque = text;
        readBank = bankIndex;
    }

    QStringList steps;
    QString readCheque; // what the window announces of the cheque a reader read
    int readBank = -1;
    QString edited; // the layout file the editor was opened on
    QList<bank_layouts::BankButtonFace> banks;
    QStringList printers;
    int selected = -2;
    // 0.6 em a character at 10 points is 120 twips: 58 characters.
    double lineWidth = 7000;
    bool editorOpens = true;
};

struct Rig
{
    explicit Rig(const QStringList &printers = {})
        : printing(printers)
    {
        session.setWindow(&window);
    }

    // As the program starts: the window's part, then the printers.
    void start()
    {
        session.startUp();
        session.preparePrinters();
    }

    FixedClock clock;
    MemoryRecorder recorder;
    FakePrinting printing;
    ScriptedTalk talk;
    FakeWindow window;
    main_window::ChequePrinting cheques{{clock, printing, talk, recorder}};
    ChequeSession session{{clock, printing, talk, cheques}};
};

} // namespace

// The main window's rules, without a window: start-up, the bank click, the
// amount entry, the printer pick and the end of the program.
class TestChequeSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void startWithNoFiles();
    void settingsAtStart_data();
    void settingsAtStart();
    void pendingCheque_data();
    void pendingCheque();
    void chequeThatCannotBeMarkedTakenIsTold();
    void wordsAreSplitByPrintedWidth();
    void exit_data();
    void exit();
    void bankClick_data();
    void bankClick();
    void parameterModePrintsNothing();
    void amountEntry_data();
    void amountEntry();
    void printerPick_data();
    void printerPick();
    void calibrationIsKeptAtOnce_data();
    void calibrationIsKeptAtOnce();
    void bankInParameterMode_data();
    void bankInParameterMode();
    void setUpCommands();
    void setUpTextsKeptAtOnce_data();
    void setUpTextsKeptAtOnce();
    void stoppedAtEachStep_data();
    void stoppedAtEachStep();

private:
    std::optional<WorkingFolder> m_folder;
};

void TestChequeSession::init()
{
    resetGlobals();
    m_folder.emplace();
}

void TestChequeSession::startWithNoFiles()
{
    Rig rig;
    QSignalSpy shown(&rig.session, &ChequeSession::fieldsChanged);
    QSignalSpy printersReady(&rig.session, &ChequeSession::printersReady);
    rig.start();
    const WorkingFields &fields = rig.session.fields();
    QCOMPARE(fields.amount, QString());
    QCOMPARE(fields.words, QString());
    QCOMPARE(fields.payee, QString());
    QCOMPARE(fields.place, QString());
    QCOMPARE(fields.date, QStringLiteral("07/03/2026"));
    QCOMPARE(fields.currencyName, QStringLiteral("Euro"));
    QCOMPARE(fields.hundredthName, QStringLiteral("centime"));
    QVERIFY(shown.count() > 0);
    QCOMPARE(printersReady.count(), 1);
    QVERIFY(!rig.session.keepsOpenAfterPrint());
    // The printing system is asked last, once the window can show.
    QCOMPARE(rig.window.steps, (QStringList{"shop picture", "place", "banks", "repaint", "first installation",
                                            "front timer", "printers"}));
    QCOMPARE(rig.window.selected, -1);
    QCOMPARE(m_folder->read(main_window::PendingChequeFileName), QByteArray(400, '\0') + "----                ");
    QVERIFY(m_folder->exists(QStringLiteral("w_cai020.wdo")));
    QVERIFY(!m_folder->exists(main_window::SettingsFileName));
    QVERIFY(rig.talk.seen().isEmpty());
}

void TestChequeSession::settingsAtStart_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields"); // Text5, Text6, Text9, Text11, Text8, Text7
    QTest::addColumn<bool>("firstInstallation");
    QTest::newRow("full") << QByteArray(" 3 \r\n-2 \r\nFranc\r\nsou\r\nGarage Mo\xeftessier\r\nAlbi\r\n")
                          << QStringList{" 3 ", "-2 ", "Franc", "sou", "Garage Moïtessier", "Albi"} << false;
    QTest::newRow("blank place") << QByteArray(" 0 \r\n 0 \r\nEuro\r\ncentime\r\nMoi\r\n   \r\n")
                                 << QStringList{" 0 ", " 0 ", "Euro", "centime", "Moi", "   "} << true;
    QTest::newRow("no currency names") << QByteArray("1\r\n2\r\n \r\n\r\nMoi\r\nNancy\r\n")
                                       << QStringList{"1", "2", "Euro", "centime", "Moi", "Nancy"} << false;
}

void TestChequeSession::settingsAtStart()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    QFETCH(bool, firstInstallation);
    m_folder->write(main_window::SettingsFileName, bytes);
    Rig rig;
    rig.start();
    const WorkingFields &f = rig.session.fields();
    QCOMPARE((QStringList{f.verticalOffset, f.horizontalOffset, f.currencyName, f.hundredthName, f.payee, f.place}),
             fields);
    QCOMPARE(rig.window.steps.contains(QStringLiteral("first installation")), firstInstallation);
}

void TestChequeSession::pendingCheque_data()
{
    QTest::addColumn<QByteArray>("record21");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("keepOpen");
    QTest::addColumn<QString>("words");
    QTest::newRow("amount") << QByteArray("12345   1575.98     ") << "1575.98" << false << Words1575;
    QTest::newRow("stay open") << QByteArray("     21           T ") << "21" << true << "VINGT ET UN EUROS";
    QTest::newRow("stay open, no amount") << QByteArray("                  T ") << "" << true << "";
    QTest::newRow("taken") << QByteArray("----                ") << "" << false << "";
    QTest::newRow("French comma") << QByteArray("     12,5           ") << "12,5" << false
                                  << "DOUZE EUROS ET CINQUANTE CENTIMES";
}

void TestChequeSession::pendingCheque()
{
    QFETCH(QByteArray, record21);
    QFETCH(QString, amount);
    QFETCH(bool, keepOpen);
    QFETCH(QString, words);
    m_folder->write(main_window::PendingChequeFileName, pendingFile(record21));
    Rig rig;
    rig.start();
    QCOMPARE(rig.session.fields().amount, amount);
    QCOMPARE(rig.session.keepsOpenAfterPrint(), keepOpen);
    QCOMPARE(rig.session.fields().words, words);
    QCOMPARE(rig.session.wordsMatchAmount(), amount.isEmpty() || !words.isEmpty());
    QCOMPARE(m_folder->read(main_window::PendingChequeFileName), pendingFile("----                "));
    rig.session.tellStartUpProblems();
    QCOMPARE(rig.talk.seen().size(), 0);
}

void TestChequeSession::chequeThatCannotBeMarkedTakenIsTold()
{
    m_folder->write(main_window::PendingChequeFileName, pendingFile("     1575.98        "));
    Rig rig;
    {
        // Nothing can be written past the first records.
        FileSizeLimit full(100);
        rig.start();
    }
    QCOMPARE(rig.session.fields().amount, QStringLiteral("1575.98"));
    QCOMPARE(rig.session.fields().words, Words1575);
    QVERIFY(rig.talk.seen().isEmpty());
    rig.talk.confirm();
    rig.session.tellStartUpProblems();
    const QStringList told = rig.talk.messages();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first().contains(QStringLiteral("provchq.wdo")) &&
                 told.first().contains(QStringLiteral("de nouveau")),
             qPrintable(told.first()));
    // Told once.
    rig.session.tellStartUpProblems();
    QCOMPARE(rig.talk.seen().size(), 1);
}

void TestChequeSession::wordsAreSplitByPrintedWidth()
{
    m_folder->write(main_window::PendingChequeFileName, pendingFile("     1575.98        "));
    Rig rig;
    rig.window.lineWidth = 5000;
    rig.start();
    const WorkingFields &fields = rig.session.fields();
    // 0.6 em a character at 10 points: " MILLE ... EUROS" is 38 characters
    // (4560 twips), " ET" more would make 41 (4920), " QUATRE" 48 (5760).
    QCOMPARE(fields.wordsLine1, QStringLiteral(" MILLE CINQ CENT SOIXANTE QUINZE EUROS ET"));
    QCOMPARE(fields.wordsLine2, QStringLiteral("QUATRE VINGT DIX HUIT CENTIMES "));
}

void TestChequeSession::exit_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QString>("answer"); // to the question asked when the settings cannot be written
    QTest::addColumn<bool>("ended");
    QTest::newRow("written") << false << "" << true;
    QTest::newRow("not written: stay to try again") << true << "no" << false;
    QTest::newRow("not written: quit anyway") << true << "yes" << true;
}

void TestChequeSession::exit()
{
    QFETCH(bool, diskFull);
    QFETCH(QString, answer);
    QFETCH(bool, ended);
    const QByteArray before("2\r\n-3\r\n\r\n\r\nAncien\r\nN\xeemes\r\n");
    m_folder->write(main_window::SettingsFileName, before);
    Rig rig;
    QSignalSpy programEnded(&rig.session, &ChequeSession::programEnded);
    rig.start();
    rig.session.edit(main_window::TypedField::Payee, QStringLiteral("Ancien & Fils"));
    rig.session.edit(main_window::TypedField::Place, QStringLiteral("Arles"));
    if (answer == QLatin1String("yes"))
        rig.talk.yes();
    else if (answer == QLatin1String("no"))
        rig.talk.no();
    bool quit = false;
    {
        std::optional<FileSizeLimit> full;
        if (diskFull)
            full.emplace(8);
        quit = rig.session.exitProgram();
    }
    QCOMPARE(quit, ended);
    QCOMPARE(rig.session.hasEnded(), ended);
    QCOMPARE(programEnded.count(), ended ? 1 : 0);
    QVERIFY(rig.talk.unexpected().isEmpty());
    QVERIFY(rig.talk.scriptDone());
    if (diskFull) {
        QVERIFY(rig.talk.messages().first().contains(main_window::SettingsFileName));
        QCOMPARE(m_folder->read(main_window::SettingsFileName), before);
    } else {
        QCOMPARE(m_folder->read(main_window::SettingsFileName),
                 QByteArray(" 2 \r\n-3 \r\nEuro\r\ncentime\r\nAncien & Fils\r\nArles\r\n"));
    }
}

void TestChequeSession::bankClick_data()
{
    QTest::addColumn<int>("layoutLines"); // 0: no layout file
    QTest::addColumn<QByteArray>("record21");
    QTest::addColumn<QStringList>("printers");
    QTest::addColumn<QString>("failOn");
    QTest::addColumn<QString>("message"); // the start of what is said; empty: printed
    QTest::addColumn<bool>("ended");
    QTest::addColumn<QString>("journalRefusal"); // the journal refuses each record, saying this
    const QByteArray amount("     12.5           ");
    const QStringList one{QStringLiteral("Bureau")};
    const QString undefined = UndefinedBank + QLatin1Char('\n');
    QTest::newRow("printed: the program ends") << 16 << amount << one << ""
                                               << "" << true << "";
    QTest::newRow("printed, the journal refuses: told, and the program ends")
        << 16 << amount << one << ""
        << "Le chèque de 12,50\u00a0€ a été imprimé, mais il n'est pas inscrit dans le journal "
           "des chèques : le disque est plein"
        << true << "le disque est plein";
    QTest::newRow("printed: asked to stay open") << 16 << QByteArray("     12.5         T ") << one << ""
                                                 << "" << false << "";
    QTest::newRow("no amount") << 16 << QByteArray() << one << ""
                               << "Il n'y a pas de montant" << false << "";
    QTest::newRow("amount without words") << 16 << QByteArray("     12 EUR         ") << one << ""
                                          << "Le montant « 12 EUR » ne peut pas être écrit en lettres" << false << "";
    QTest::newRow("no layout behind the button")
        << 0 << amount << one << "" << undefined + "Aucune banque n'est associée à ce bouton : cliquez sur 'paramètres'"
        << false << "";
    QTest::newRow("fifteen lines")
        << 15 << amount << one << ""
        << undefined + "Le fichier « bq_A.txt » ne peut pas être lu (le fichier a moins de seize lignes)" << false
        << "";
    QTest::newRow("printer refuses the font")
        << 16 << amount << one << "setFont" << undefined + "La police du fichier « bq_A.txt »" << false << "";
    QTest::newRow("printer refuses a text")
        << 16 << amount << one << "printText" << undefined + "Le chèque n'a pas été imprimé : l'enregistreur refuse"
        << false << "";
    QTest::newRow("job cannot be sent") << 16 << amount << one << "endDocument"
                                        << undefined + "Le chèque n'a pas été imprimé" << false << "";
    QTest::newRow("job refused once handed over")
        << 16 << amount << one << "send" << undefined + "Le chèque n'a pas été imprimé" << false << "";
    QTest::newRow("no printer installed") << 16 << amount << QStringList() << "endDocument"
                                          << undefined + "Aucune imprimante n'est installée" << false << "";
}

void TestChequeSession::bankClick()
{
    QFETCH(int, layoutLines);
    QFETCH(QByteArray, record21);
    QFETCH(QStringList, printers);
    QFETCH(QString, failOn);
    QFETCH(QString, message);
    QFETCH(bool, ended);
    QFETCH(QString, journalRefusal);
    if (layoutLines > 0)
        m_folder->write(QStringLiteral("bq_A.txt"), layoutBytes("Banque", layoutLines));
    m_folder->write(main_window::PendingChequeFileName, QByteArray(400, ' ') + record21);
    Rig rig(printers);
    rig.start();
    rig.printing.surface().clearCalls();
    rig.printing.surface().failOn(failOn);
    rig.recorder.refuse(journalRefusal);
    // Written down while nothing has gone to the printing system yet.
    int sentAtHandOver = -1;
    rig.recorder.whenHandedOver = [&] { sentAtHandOver = rig.printing.surface().documentsEnded(); };
    if (!message.isEmpty())
        rig.talk.confirm();

    rig.session.bankClicked(0);
    const bool handedOver = journalRefusal.isEmpty() && (message.isEmpty() || failOn == QLatin1String("send"));
    QCOMPARE(rig.recorder.handedOver().size(), handedOver ? 1 : 0);
    QCOMPARE(sentAtHandOver, handedOver ? 0 : -1);
    QCOMPARE(rig.recorder.notPrinted().size(), failOn == QLatin1String("send") ? 1 : 0);
    // Only a cheque the printing system took is recorded, as printed.
    const bool recorded = rig.printing.surface().documentsEnded() == 1 && journalRefusal.isEmpty();
    QCOMPARE(rig.recorder.cheques().size(), recorded ? 1 : 0);
    if (recorded) {
        const journal::PrintedCheque cheque = rig.recorder.cheques().first();
        QCOMPARE(cheque.amount, QStringLiteral("12.50"));
        // The journal has the words as printed.
        QVERIFY(rig.printing.surface().printingCalls().contains(
            QStringLiteral("printText(%1****)").arg(cheque.wordsLine1)));
        QCOMPARE(cheque.layoutFile, QStringLiteral("bq_A.txt"));
        QCOMPARE(cheque.bankName, QStringLiteral("Banque"));
        QCOMPARE(cheque.date, QStringLiteral("07/03/2026"));
        QCOMPARE(cheque.printedAt.date(), QDate(2026, 3, 7));
        QCOMPARE(int(cheque.source), int(journal::AmountSource::HandedOver));
    }
    // The button's bank: the first file in name order.
    const QList<journal::BankChoice> banks = rig.session.journalValues().banks;
    QCOMPARE(banks.isEmpty() ? QString() : banks.first().layoutFile,
             layoutLines > 0 ? QStringLiteral("bq_A.txt") : QString());
    QVERIFY(rig.talk.unexpected().isEmpty());
    const QStringList told = rig.talk.messages();
    QCOMPARE(told.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(told.first().startsWith(message), qPrintable(told.first()));
    const QStringList calls = rig.printing.surface().printingCalls();
    const bool printed = message.isEmpty() || !journalRefusal.isEmpty();
    QCOMPARE(rig.printing.surface().documentsEnded(), printed ? 1 : 0);
    if (printed) {
        QCOMPARE(calls.first(), QStringLiteral("setFontName(Arial)"));
        // The figures say what the words say, in two decimals.
        QVERIFY(calls.contains(QStringLiteral("printText(****12.50 €)")));
        // The amount at the layout's 132 mm, no offsets.
        const int amount = calls.indexOf(QStringLiteral("printText(****12.50 €)"));
        QCOMPARE(calls.mid(amount - 2, 1), QStringList{QStringLiteral("setCurrentX(7484.3999)")});
    }
    QCOMPARE(rig.session.hasEnded(), ended);
    // A printed cheque that ends the program does not write the settings.
    QVERIFY(!m_folder->exists(main_window::SettingsFileName));
}

void TestChequeSession::parameterModePrintsNothing()
{
    m_folder->write(QStringLiteral("bq_A.txt"), layoutBytes());
    m_folder->write(QStringLiteral("bq_B.txt"), layoutBytes());
    m_folder->write(main_window::PendingChequeFileName, pendingFile("     12.5           "));
    Rig rig;
    rig.start();
    rig.printing.surface().clearCalls();
    rig.session.parameterCommand();
    rig.session.bankClicked(1);
    QCOMPARE(rig.window.edited, QStringLiteral("bq_B.txt"));
    QVERIFY(rig.printing.surface().printingCalls().isEmpty());
    QVERIFY(!rig.session.hasEnded());
    // Twice: the plain arrow, and the buttons print again.
    rig.session.parameterCommand();
    QCOMPARE(platform::pointer(), platform::ArrowPointer);
    rig.session.bankClicked(1);
    QCOMPARE(rig.printing.surface().documentsEnded(), 1);
    QVERIFY(rig.talk.seen().isEmpty());
}

void TestChequeSession::amountEntry_data()
{
    QTest::addColumn<QString>("typed"); // null: the amount offered confirmed; "<cancel>": Escape
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("words");
    QTest::addColumn<bool>("refused");
    QTest::newRow("confirmed as offered") << QString() << "1575.98" << Words1575 << false;
    QTest::newRow("blanks inside and in front")
        << " 1 575.5"
        << "1575.50"
        << "MILLE CINQ CENT SOIXANTE QUINZE EUROS ET CINQUANTE CENTIMES" << false;
    QTest::newRow("half goes up") << "0.125"
                                  << "0.13"
                                  << "ZÉRO EURO ET TREIZE CENTIMES" << false;
    QTest::newRow("below half") << "0.124"
                                << "0.12"
                                << "ZÉRO EURO ET DOUZE CENTIMES" << false;
    QTest::newRow("whole") << "12"
                           << "12.00"
                           << "DOUZE EUROS" << false;
    QTest::newRow("decimal comma") << "12,50"
                                   << "12.50"
                                   << "DOUZE EUROS ET CINQUANTE CENTIMES" << false;
    QTest::newRow("cancel keeps the amount") << "<cancel>"
                                             << "1575.98" << Words1575 << false;
    QTest::newRow("empty is no cancel: refused") << ""
                                                 << "1575.98" << Words1575 << true;
    QTest::newRow("no number is refused") << "douze"
                                          << "1575.98" << Words1575 << true;
    QTest::newRow("negative is refused") << "-5"
                                         << "1575.98" << Words1575 << true;
    QTest::newRow("sixteen digits are refused") << "1234567890123456"
                                                << "1575.98" << Words1575 << true;
}

void TestChequeSession::amountEntry()
{
    QFETCH(QString, typed);
    QFETCH(QString, amount);
    QFETCH(QString, words);
    QFETCH(bool, refused);
    m_folder->write(main_window::PendingChequeFileName, pendingFile("     1575.98        "));
    Rig rig;
    rig.start();
    if (typed.isNull())
        rig.talk.confirmOffered();
    else if (typed == QLatin1String("<cancel>"))
        rig.talk.cancel();
    else
        rig.talk.type(typed);
    if (refused)
        rig.talk.confirm();

    rig.session.amountEntry();
    QVERIFY(rig.talk.unexpected().isEmpty());
    const prompt_dialog::PromptRequest asked = rig.talk.seen().first();
    QCOMPARE(asked.message, QStringLiteral("Entrez le montant du chèque ?"));
    QCOMPARE(asked.defaultAnswer, QStringLiteral("1575.98"));
    QCOMPARE(asked.mode, 1);
    QCOMPARE(rig.talk.seen().size(), refused ? 2 : 1);
    const WorkingFields &fields = rig.session.fields();
    QCOMPARE(fields.amount, amount);
    QCOMPARE(fields.words, words);
    QCOMPARE((fields.wordsLine1.trimmed() + QLatin1Char(' ') + fields.wordsLine2.trimmed()).trimmed(), words);
    QVERIFY(rig.session.wordsMatchAmount());
}

void TestChequeSession::printerPick_data()
{
    QTest::addColumn<bool>("fileUsable");
    QTest::addColumn<QString>("stored"); // under "IMP_CHQ_FACT" afterwards
    QTest::newRow("kept for the next start") << true << "00";
    QTest::newRow("cannot be kept: told, holds for this run") << false << "";
}

void TestChequeSession::printerPick()
{
    QFETCH(bool, fileUsable);
    QFETCH(QString, stored);
    if (!fileUsable) {
        // A folder where the assignment file should be.
        QVERIFY(QDir().mkdir(m_folder->path(QStringLiteral("WFICP_IA.WDO"))));
    }
    Rig rig({QStringLiteral("Premiere"), QStringLiteral("Seconde")});
    // Nothing stored yet: the system's default printer is taken, and the
    // list's own changes during start-up store nothing.
    rig.printing.setDefaultPrinterName(QStringLiteral("Seconde"));
    rig.start();
    QCOMPARE(rig.window.printers, (QStringList{"Premiere", "Seconde"}));
    QCOMPARE(rig.window.selected, 1);
    QCOMPARE(rig.printing.selections(), QStringList{"Seconde"});
    if (!fileUsable)
        rig.talk.confirm();

    rig.session.printerPicked(0);
    QCOMPARE(rig.printing.selections(), (QStringList{"Seconde", "Premiere"}));
    QVERIFY(rig.talk.unexpected().isEmpty());
    QCOMPARE(rig.talk.seen().size(), fileUsable ? 0 : 1);
    if (fileUsable) {
        QCOMPARE(printer_choice::PrinterAssignments().lookup(printer_choice::ChequePrinterKey).valueOr(QString()),
                 stored);
    } else {
        QVERIFY(rig.talk.messages().first().contains(QStringLiteral("WFICP_IA.WDO")));
    }
}

void TestChequeSession::calibrationIsKeptAtOnce_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QString>("vertical");
    QTest::addColumn<QString>("horizontal");
    QTest::newRow("phase 2") << 2 << false << "9"
                             << "9";
    QTest::newRow("phase 3") << 3 << false << "00003"
                             << "-00001";
    QTest::newRow("phase 2, settings not writable") << 2 << true << "9"
                                                    << "9";
}

void TestChequeSession::calibrationIsKeptAtOnce()
{
    QFETCH(int, phase);
    QFETCH(bool, diskFull);
    QFETCH(QString, vertical);
    QFETCH(QString, horizontal);
    const QByteArray before(" 3 \r\n-2 \r\nEuro\r\ncentime\r\nMoi\r\nNancy\r\n");
    m_folder->write(main_window::SettingsFileName, before);
    m_folder->write(QStringLiteral("bq_A.txt"), layoutBytes());
    m_folder->write(main_window::PendingChequeFileName, pendingFile("     12.5           "));
    Rig rig;
    rig.start();
    if (phase == 2) {
        rig.talk.confirm();
        rig.talk.type(QStringLiteral("36"));
    } else {
        rig.talk.type(QStringLiteral("1"));
        rig.talk.type(QString());
    }
    if (diskFull)
        rig.talk.confirm();
    {
        std::optional<FileSizeLimit> full;
        if (diskFull)
            full.emplace(8);
        if (phase == 2)
            rig.session.editorData().runPhase(calibration::Phase::BasePositioning);
        else
            rig.session.editorData().runPhase(calibration::Phase::FinalAdjustment);
    }
    QVERIFY(rig.talk.unexpected().isEmpty());
    QVERIFY(rig.talk.scriptDone());
    QCOMPARE(rig.session.fields().verticalOffset, vertical);
    QCOMPARE(rig.session.fields().horizontalOffset, horizontal);
    if (diskFull) {
        QVERIFY(rig.talk.messages().last().contains(main_window::SettingsFileName));
        QCOMPARE(m_folder->read(main_window::SettingsFileName), before);
        return;
    }
    // A cheque printed next ends the program without writing the settings:
    // the calibration is in the file already.
    rig.session.bankClicked(0);
    QVERIFY(rig.session.hasEnded());
    const QByteArray settings = m_folder->read(main_window::SettingsFileName);
    QCOMPARE(settings.split('\n').mid(0, 2),
             (QList<QByteArray>{common::plainNumber(vertical.toDouble()).toLatin1() + "\r",
                                common::plainNumber(horizontal.toDouble()).toLatin1() + "\r"}));
    QVERIFY(settings.endsWith("Moi\r\nNancy\r\n"));
}

void TestChequeSession::bankInParameterMode_data()
{
    QTest::addColumn<bool>("editorOpens");
    QTest::newRow("edited: the buttons are rebuilt") << true;
    QTest::newRow("closed while opening: undefined, nothing rebuilt") << false;
}

void TestChequeSession::bankInParameterMode()
{
    QFETCH(bool, editorOpens);
    m_folder->write(QStringLiteral("bq_A.txt"), layoutBytes());
    Rig rig;
    rig.start();
    rig.window.steps.clear();
    rig.window.editorOpens = editorOpens;
    if (!editorOpens)
        rig.talk.confirm();
    rig.session.parameterCommand();
    rig.session.bankClicked(3);
    QCOMPARE(rig.window.steps, editorOpens ? (QStringList{"editor", "banks"}) : QStringList{"editor"});
    QCOMPARE(rig.talk.messages(), editorOpens
                                      ? QStringList()
                                      : QStringList{UndefinedBank + QStringLiteral("\nLa banque n'a pas été créée.")});
    QVERIFY(rig.printing.surface().printingCalls().isEmpty());
}

void TestChequeSession::setUpCommands()
{
    Rig rig;
    rig.start();
    rig.window.steps.clear();
    rig.session.toolsCommand();
    QCOMPARE(rig.window.steps, QStringList{"set-up"});
    rig.session.firstInstallationCommand();
    QCOMPARE(rig.window.steps, (QStringList{"set-up", "set-up", "hide first installation"}));
}

void TestChequeSession::setUpTextsKeptAtOnce_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<bool>("written");
    QTest::newRow("changed: written at once") << "Franc" << false << true;
    QTest::newRow("unchanged: nothing written") << "Euro" << false << false;
    QTest::newRow("changed, cannot be written: told") << "Franc" << true << false;
}

void TestChequeSession::setUpTextsKeptAtOnce()
{
    QFETCH(QString, currency);
    QFETCH(bool, diskFull);
    QFETCH(bool, written);
    const QByteArray before(" 3 \r\n-2 \r\nEuro\r\ncentime\r\nMoi\r\nNancy\r\n");
    m_folder->write(main_window::SettingsFileName, before);
    Rig rig;
    rig.start();
    calibration::SetupTexts texts = rig.session.editorData().setupTexts();
    QCOMPARE(texts.currencyName, QStringLiteral("Euro"));
    texts.currencyName = currency;
    if (diskFull)
        rig.talk.confirm();
    {
        std::optional<FileSizeLimit> full;
        if (diskFull)
            full.emplace(8);
        rig.session.editorData().keepSetupTexts(texts);
    }
    QCOMPARE(rig.session.fields().currencyName, currency);
    QVERIFY(rig.talk.scriptDone());
    QVERIFY(rig.talk.unexpected().isEmpty());
    QCOMPARE(m_folder->read(main_window::SettingsFileName),
             written ? QByteArray(" 3 \r\n-2 \r\nFranc\r\ncentime\r\nMoi\r\nNancy\r\n") : before);
}

// A till stopped dead at each step of a cheque's print, by a kill: a page
// that came out always has its row, and at the next start the user says
// whether a cheque left unconfirmed came out.
void TestChequeSession::stoppedAtEachStep_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("page");
    QTest::addColumn<int>("left"); // where the cheque stands once stopped; -1: not written down
    QTest::newRow("drawn") << "drawn" << false << -1;
    QTest::newRow("written down") << "written" << false << int(journal::Status::Unconfirmed);
    QTest::newRow("handed over") << "sent" << true << int(journal::Status::Unconfirmed);
    QTest::newRow("print returned") << "returned" << true << int(journal::Status::Unconfirmed);
    QTest::newRow("confirmed") << "confirmed" << true << int(journal::Status::Printed);
    QTest::newRow("not stopped") << "" << true << int(journal::Status::Printed);
}

void TestChequeSession::stoppedAtEachStep()
{
    QFETCH(QString, step);
    QFETCH(bool, page);
    QFETCH(int, left);
    m_folder->write(QStringLiteral("bq_A.txt"), layoutBytes("Banque de Test", 16));
    m_folder->write(main_window::PendingChequeFileName, pendingFile("     401.01         "));
    QProcess till;
    till.setWorkingDirectory(m_folder->path());
    till.start(QStringLiteral(PRINT_STOPPER), {step.isEmpty() ? QStringLiteral("-") : step});
    QVERIFY(till.waitForFinished(30000));
    QCOMPARE(till.exitStatus(), step.isEmpty() ? QProcess::NormalExit : QProcess::CrashExit);
    if (step.isEmpty())
        QVERIFY2(till.exitCode() == 0, till.readAllStandardError().constData());
    QCOMPARE(m_folder->exists(QStringLiteral("page")), page);

    // The journal is opened when the first cheque needs it.
    const QString path = m_folder->path(journal::JournalFileName);
    QCOMPARE(m_folder->exists(journal::JournalFileName), left >= 0);
    if (left >= 0) {
        const FixedClock clock;
        const auto stopped = journal::Journal::openExisting(path, clock);
        QVERIFY2(stopped, qPrintable(stopped.error()));
        const auto read = (*stopped)->page({}, {}, {}, 10);
        QVERIFY(read);
        const QList<journal::Entry> *rows = &read->entries;
        QCOMPARE(rows->size(), 1);
        QCOMPARE(int(rows->first().status), left);
        QCOMPARE(rows->first().cheque.amount, QStringLiteral("401.01"));
    }

    // The next start, a few minutes later: asked once, answered as it is.
    const FixedClock later(QDateTime(QDate(2026, 3, 7), QTime(10, 5)));
    ScriptedTalk talk;
    if (left == int(journal::Status::Unconfirmed))
        page ? talk.yes() : talk.no();
    journal::JournalRecorder next(path, later, talk);
    QSignalSpy settled(&next, &journal::JournalRecorder::settled);
    next.startOpening();
    if (left == int(journal::Status::Unconfirmed))
        QVERIFY(settled.wait(10000));
    QVERIFY(talk.scriptDone());
    QVERIFY(talk.unexpected().isEmpty());
    const auto totals = next.journal()->totals({});
    QVERIFY(totals);
    QCOMPARE(totals->count, page ? 1 : 0);
    QCOMPARE(totals->unconfirmed, 0);
}

QTEST_MAIN(TestChequeSession)
#include "tst_chequesession.moc"
