#pragma once

#include "bank_layouts/banklist.h"
#include "bank_layouts/chequeprint.h"
#include "journal/journaldesk.h"
#include "layout_editor/editordata.h"
#include "platform/recordfile.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace platform {
class Clock;
class PrintingSystem;
} // namespace platform

namespace prompt_dialog {
class UserTalk;
}

namespace journal {
class ChequeRecorder;
}

namespace main_window {

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

// The program's run, from start-up to its end: the rules of the main window.
// It fills the working fields, prints a cheque when a bank is clicked, takes
// the amount and the printer the user picks, and ends the program. The
// window shows the fields and passes the user's actions on; the user is
// told and asked things through the user talk. The layout editor and the
// printer set-up window work on its data too.
class ChequeSession : public QObject, public layout_editor::EditorData, public journal::MainWindowPrinting
{
    Q_OBJECT

public:
    struct Services
    {
        platform::Clock &clock;
        platform::PrintingSystem &printing;
        prompt_dialog::UserTalk &talk;
        // Where each cheque printed is written down.
        journal::ChequeRecorder &recorder;
    };

    explicit ChequeSession(Services services, QObject *parent = nullptr);
    ~ChequeSession() override;

    // The window that start-up places and fills; set before startUp().
    void setWindow(WindowSide *window) { m_window = window; }

    const WorkingFields &fields() const { return m_fields; }
    // The fields the user types into directly.
    void setDate(const QString &date);
    void setPayee(const QString &payee);
    void setPlace(const QString &place);

    // The start-up sequence. Each step stands on its own: a failing one is
    // skipped, silently, and leaves its fields empty. It asks nothing of the
    // printing system, so that the window shows at once.
    void startUp();
    // The printer list and the stored printer, once the window shows: the
    // printing system may take its time answering.
    void preparePrinters();
    // Tells the user what start-up could not do and they must know, once the
    // window shows.
    void tellStartUpProblems();
    // A problem of the program's start the user is told with the others.
    void addStartUpProblem(const QString &problem) { m_startUpProblems << problem; }

    // Recomputes the amount in words from the amount. The words stay as they
    // were when the amount is not one they can be written for.
    void converti_txt();
    // True when the words were computed for the amount now shown (or there
    // is no amount): a cheque may be printed.
    bool wordsMatchAmount() const;

    // Builds the bank buttons from the layout files of the working folder.
    void charge_banque();

    // The user's commands.
    void bankClicked(int index);
    void amountEntry();
    void parameterCommand();
    void printerPicked(int index);
    // The tools button, and the picture of the first-installation panel,
    // which hides the panel once the set-up window has closed.
    void toolsCommand();
    void firstInstallationCommand();

    // The three calibration phases, on the current printer: the test
    // cheques, the base positioning from the grid, the final adjustment. A
    // phase that changes the printer offsets keeps them in the settings file
    // at once, so that a cheque printed next (which ends the program without
    // writing the settings) cannot lose them.
    void calibrationPhase1();
    void calibrationPhase2();
    void calibrationPhase3();

    // Writes the settings and ends the program (the exit button and the
    // window's close box). Returns false when the user chose to stay because
    // the settings could not be written.
    bool exitProgram();
    bool hasEnded() const { return m_ended; }

    // What the layout editor and the set-up window work on.
    calibration::SetupTexts setupTexts() const override;
    void keepSetupTexts(const calibration::SetupTexts &texts) override;
    void runPhase(calibration::Phase phase) override;
    bank_layouts::ChequeFields chequeFields() const override;
    bank_layouts::PrinterOffsets printerOffsets() const override;
    // The layout editor's proof and the journal's slip print on it.
    platform::PrinterSurface &currentPrinter() override;
    prompt_dialog::UserTalk &talk() override { return m_talk; }
    const platform::Clock &clock() const { return m_clock; }

    // What the journal's commands need of the main window.
    journal::ShopTexts shopTexts() const override;
    QList<journal::BankChoice> bankChoices() const override;
    journal::Reprinted printAgain(const journal::PrintedCheque &cheque, const QString &layoutFile) override;
    // The journal's window, on the main window's behalf.
    void journalCommand();

Q_SIGNALS:
    void fieldsChanged();
    // The printers are listed and the stored one is current: the commands
    // that print may be used.
    void printersReady();
    // The program is to end now: its files are closed and no further window
    // event may run.
    void programEnded();

private:
    void applySettings(const Settings &settings);
    Settings settings() const;
    void applyCurrencyDefaults();
    void takePendingCheque();
    void restorePrinter();
    void keepOffsets(const QString &vertical, const QString &horizontal);
    void keepSettings(const QString &what);
    void endProgram();
    // The one way a cheque is printed: the bank's layout loaded, the cheque
    // printed with the printer offsets, then recorded. Tells the user what
    // failed; a cheque that did not print is not recorded.
    journal::Reprinted printOnBank(const QString &layoutFile, const bank_layouts::ChequeFields &fields,
                                   journal::AmountSource source);
    // The journal's record of the cheque printed with these lines of words.
    journal::PrintedCheque printedCheque(const QString &layoutFile, const QString &bankName,
                                         const bank_layouts::ChequeFields &fields,
                                         const amount_words::SplitLines &lines, journal::AmountSource source) const;

    platform::Clock &m_clock;
    platform::PrintingSystem &m_printing;
    prompt_dialog::UserTalk &m_talk;
    journal::ChequeRecorder &m_recorder;
    WindowSide *m_window = nullptr;

    WorkingFields m_fields;
    QString m_wordsAmount; // the amount the words were computed for
    QStringList m_startUpProblems;
    // The amount shown is the one the invoicing program handed over.
    bool m_amountHandedOver = false;
    QList<bank_layouts::BankButtonFace> m_bankFaces;
    platform::RecordFile m_pendingFile; // held open, shared, until the end
    platform::RecordFile m_suiteFile;   // likewise
    bool m_ended = false;
};

} // namespace main_window
