#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace calibration {

// The lasting texts of the main window that the set-up window edits, and
// of which the layout editor edits the last two.
struct SetupTexts
{
    QString payee;         // Text8
    QString place;         // Text7
    QString currencyName;  // Text9
    QString hundredthName; // Text11
};

// The journal the tills of the working folder share, as the set-up window
// shows and keeps it.
struct SharedJournal
{
    QString server; // the server's address as typed; empty: this till's own journal
    QString till;   // this till's name, kept with each cheque it prints
};

// What a connection test found, in a line for the user.
struct ServerTest
{
    bool reached = false;
    QString text;
};

// A cheque reader on a serial port, as the set-up window shows and keeps it.
struct ReaderSetup
{
    QString port; // empty: none
    int baud = 9600;
    int framing = 0;      // an index into `framings`
    QStringList ports;    // those this machine has
    QList<int> speeds;    // those offered
    QStringList framings; // "CR", "CR LF", "STX/ETX"
    QString state;        // how the reader stands now
    // The digits of the CMC7 line's interbank zone that tie a chequebook
    // to its bank, for every till of the working folder.
    int tieFrom = 1;
    int tieCount = 12;
    // A reader that types as a keyboard: this many digits within that time.
    int wedgeCharacters = 31;
    int wedgeWithinMs = 1500;
};

enum class Phase { TestCheques = 1, BasePositioning = 2, FinalAdjustment = 3 };

// What the printer set-up window works on: the main window's lasting texts
// and its calibration, which the main window's rules keep.
class SetupData
{
public:
    virtual ~SetupData() = default;

    virtual SetupTexts setupTexts() const = 0;
    // A finish button's texts go back to the main window and are kept.
    virtual void keepSetupTexts(const SetupTexts &texts) = 0;

    virtual SharedJournal sharedJournal() const = 0;
    // Connects to the server at `server` as this till would, waiting a few
    // seconds at most.
    virtual ServerTest testServer(const QString &server) = 0;
    // Kept when the finish button is clicked; false, the user told why, when
    // it cannot be, the window then staying open to mend it.
    virtual bool keepSharedJournal(const SharedJournal &journal) = 0;
    // Sends the journal this till kept before the server to the server this
    // till writes to, once asked and confirmed; the user is told how it went.
    virtual void moveJournal() = 0;

    virtual ReaderSetup readerSetup() const = 0;
    // Kept for this till and the port opened again; false, the user told
    // why, when it cannot be kept.
    virtual bool keepReaderSetup(const ReaderSetup &setup) = 0;

    // Runs a calibration phase on the current printer; the offsets it finds
    // are the main window's at once.
    virtual void runPhase(Phase phase) = 0;
};

} // namespace calibration
