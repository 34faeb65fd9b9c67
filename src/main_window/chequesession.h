#pragma once

#include "bank_layouts/banklist.h"
#include "bank_layouts/chequeprint.h"
#include "cheque_reader/cmc7.h"
#include "cheque_reader/serialreader.h"
#include "cheque_reader/ties.h"
#include "journal/journaldesk.h"
#include "layout_editor/editordata.h"
#include "platform/recordfile.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace platform {
class Clock;
class PrintingSystem;
} // namespace platform

namespace prompt_dialog {
class UserTalk;
}

namespace journal {
class JournalRecorder;
}

namespace cheque_reader {
class SerialReader;
}

namespace main_window {

class ChequePrinting;
class WindowSide;
struct Settings;

// The main window's working fields, which are the program's working data.
struct WorkingFields
{
    QString amount;           // text1: the amount in figures
    QString words;            // Text2: the whole amount in words (hidden)
    QString wordsLine1;       // Text3
    QString wordsLine2;       // Text10
    QString date;             // Text4, "dd/mm/yyyy"
    QString payee;            // Text8
    QString place;            // Text7
    QString verticalOffset;   // Text5 (hidden), millimetres
    QString horizontalOffset; // Text6 (hidden), millimetres
    QString currencyName;     // Text9 (hidden), singular
    QString hundredthName;    // Text11 (hidden), singular
};

// What the user types into the cheque directly.
enum class TypedField { Date, Payee, Place };

// The program's run, from start-up to its end: the rules of the main window.
// It fills the working fields, has a cheque printed when a bank is clicked,
// takes the amount and the printer the user picks, and ends the program.
// The window shows the fields and passes the user's actions on; the user is
// told and asked things through the user talk. The layout editor and the
// printer set-up window work on its data through editorData(), the
// journal's window on journalValues().
class ChequeSession : public QObject
{
    Q_OBJECT

public:
    struct Services
    {
        platform::Clock &clock;
        platform::PrintingSystem &printing;
        prompt_dialog::UserTalk &talk;
        // How a bank click's cheque is printed and recorded.
        ChequePrinting &cheques;
        // Where this till keeps its own name; empty: the working folder.
        QString tillFolder = QString();
        // The journal file this till keeps in the working folder without a
        // server, which it may send to the server.
        QString localJournal = QString();
        // The run's journal, where a cheque read is looked for: filled in
        // before, or its chequebook used these last days. None: not looked.
        journal::JournalRecorder *journal = nullptr;
        // This till's serial cheque reader, which the set-up window sets;
        // none: the settings are only kept.
        cheque_reader::SerialReader *serialReader = nullptr;
    };

    explicit ChequeSession(Services services, QObject *parent = nullptr);
    ~ChequeSession() override;

    // The window that start-up places and fills; set before startUp().
    void setWindow(WindowSide *window) { m_window = window; }

    const WorkingFields &fields() const { return m_fields; }
    void edit(TypedField field, const QString &text);

    // The start-up sequence. Each step stands on its own: a failing one is
    // skipped, silently, and leaves its fields empty. It asks nothing of the
    // printing system, so that the window shows at once.
    void startUp();
    // The printer list and the stored printer, once the window shows: the
    // printing system may take its time answering. printersReady() follows.
    void preparePrinters();
    // Tells the user what start-up could not do and they must know, once the
    // window shows.
    void tellStartUpProblems();
    // A problem of the program's start the user is told with the others.
    void addStartUpProblem(const QString &problem) { m_startUpProblems << problem; }

    // True when the words were computed for the amount now shown (or there
    // is no amount): a cheque may be printed.
    bool wordsMatchAmount() const;

    // The user's commands.
    void bankClicked(int index);
    void amountEntry();
    void parameterCommand();
    void printerPicked(int index);
    // A cheque's line, as a reader gave it: the cheque is announced and,
    // when its chequebook was seen before, its bank marked. The bank then
    // clicked prints it and is tied to the chequebook, in the working
    // folder's "cmc7_banques.txt".
    void chequeRead(const QString &raw);
    // Enter: prints the cheque read on the bank marked. False when there is
    // none, the key then left to the window.
    bool printReadCheque();
    // The tools button, and the picture of the first-installation panel,
    // which hides the panel once the set-up window has closed.
    void toolsCommand();
    void firstInstallationCommand();

    // Writes the settings and ends the program (the exit button and the
    // window's close box). Returns false when the user chose to stay because
    // the settings could not be written.
    bool exitProgram();
    bool hasEnded() const { return m_ended; }
    // KeepOpenAfterPrint: the cheque handed over asked the program to stay
    // open after printing; otherwise a printed cheque ends the program.
    bool keepsOpenAfterPrint() const { return m_keepOpenAfterPrint; }

    // What the layout editor and the set-up window work on: this run's
    // texts, calibration, cheque and printer.
    layout_editor::EditorData &editorData();
    // What the journal's commands take from the main window.
    journal::MainWindowValues journalValues() const;

Q_SIGNALS:
    void fieldsChanged();
    // The printers are listed and the stored one is current: the commands
    // that print may be used.
    void printersReady();
    // The program is to end now: its files are closed and no further window
    // event may run.
    void programEnded();

private:
    class EditorSide;

    void applySettings(const Settings &settings);
    Settings settings() const;
    void applyCurrencyDefaults();
    void takePendingCheque();
    void restorePrinter();
    // Recomputes the amount in words from the amount. The words stay as they
    // were when the amount is not one they can be written for.
    void converti_txt();
    // Builds the bank buttons from the layout files of the working folder.
    void charge_banque();
    // The three calibration phases, on the current printer: the test
    // cheques, the base positioning from the grid, the final adjustment. A
    // phase that changes the printer offsets keeps them in the settings file
    // at once, so that a cheque printed next (which ends the program without
    // writing the settings) cannot lose them.
    void runPhase(calibration::Phase phase);
    calibration::SetupTexts setupTexts() const;
    void keepSetupTexts(const calibration::SetupTexts &texts);
    calibration::SharedJournal sharedJournal() const;
    calibration::ServerTest testServer(const QString &server);
    bool keepSharedJournal(const calibration::SharedJournal &shared);
    void moveJournal();
    calibration::ReaderSetup readerSetup() const;
    bool keepReaderSetup(const calibration::ReaderSetup &setup);
    // The working folder's choice of the digits that tie a chequebook; its
    // ties brought to a narrower one.
    cheque_reader::TieDigits tieDigitsInUse() const;
    // This till's readers, as kept in its own folder.
    cheque_reader::ReaderSettings readerSettings() const;
    bool keepTieDigits(const cheque_reader::TieDigits &digits);
    bool untieChequebook(const QString &digits);
    // The name this till's cheques are kept with: the shop's, else this
    // machine's.
    QString tillName() const;
    // After the cheque read was printed on `layoutFile`: its chequebook tied
    // there, asking first when it was tied to another bank.
    void settleReadCheque(const QString &layoutFile);
    // The bank's name as its button shows it, else its file's.
    QString bankName(const QString &layoutFile) const;
    void forgetReadCheque();
    bank_layouts::ChequeFields chequeFields() const;
    bank_layouts::PrinterOffsets printerOffsets() const;
    void keepOffsets(const QString &vertical, const QString &horizontal);
    void keepSettings(const QString &what);
    void endProgram();

    platform::Clock &m_clock;
    platform::PrintingSystem &m_printing;
    prompt_dialog::UserTalk &m_talk;
    ChequePrinting &m_cheques;
    QString m_tillFolder;
    QString m_localJournal;
    journal::JournalRecorder *m_journal = nullptr;
    cheque_reader::SerialReader *m_serial = nullptr;
    // What the journal knows of the cheque read: told, never in the way.
    void warnOfReadCheque(const cheque_reader::Cmc7Line &line);
    WindowSide *m_window = nullptr;
    std::unique_ptr<EditorSide> m_editorSide;

    WorkingFields m_fields;
    QString m_wordsAmount; // the amount the words were computed for
    QStringList m_startUpProblems;
    // The amount shown is the one the invoicing program handed over.
    bool m_amountHandedOver = false;
    bool m_keepOpenAfterPrint = false;
    // False while start-up restores the stored printer, so that the printer
    // list's own selection changes neither store nor apply anything.
    bool m_printersReady = false;
    // PrinterTable: the device names behind the printer list's entries.
    QStringList m_printerTable;
    bank_layouts::BankList m_banks;
    // The cheque a reader read last, until it is printed.
    std::optional<cheque_reader::Cmc7Line> m_readCheque;
    int m_readBank = -1;
    platform::RecordFile m_pendingFile; // held open, shared, until the end
    platform::RecordFile m_suiteFile;   // likewise
    bool m_ended = false;
};

} // namespace main_window
