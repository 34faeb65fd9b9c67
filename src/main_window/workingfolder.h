#pragma once

#include "platform/folder.h"
#include "platform/result.h"

#include <QString>

namespace main_window {

// A folder that holds one of the suite's files ("zvochq1.ini",
// "provchq.wdo", a bank layout) is a working folder of the suite's.
bool holdsSuiteFiles(const QString &folder);

struct FolderChoice
{
    QString folder;
    bool seed = false; // the user's own data folder, filled on first use
};

// Where the program works: the folder named on the command line; else the
// folder it was started in when that holds the suite's files, as when the
// invoicing program starts it in its own; else the user's data folder.
FolderChoice chooseWorkingFolder(const QString &named, const QString &startFolder, const QString &dataFolder);

// Makes the chosen folder ready and enters it, so that every file name of
// the program is taken from it. The data folder is created and given the
// shipped files of `shippedFolder` that it does not hold yet; a file of the
// user's is never replaced. Fails with a French message.
platform::Result<void> openWorkingFolder(const FolderChoice &choice, const QString &shippedFolder);

// Where the journal of the cheques a working folder prints is kept: in the
// folder, beside the suite's files; or, when the folder is on a network file
// system, on this till's own disk, in its data folder, under a name of that
// working folder's own, since a journal file opened from several machines
// can be damaged.
struct JournalPlace
{
    QString path;
    bool offNetwork = false;
};
JournalPlace journalPlace(const QString &workingFolder, platform::FileSystemKind kind, const QString &dataFolder);

// The journal's place for the program's run, its folder made: the same, and
// what the user is to be told of it the first time it is kept off the
// network (before that journal has begun), empty otherwise.
struct PreparedJournal
{
    QString path;
    QString notice;
};
PreparedJournal prepareJournalPlace(const QString &workingFolder, platform::FileSystemKind kind,
                                    const QString &dataFolder);

// The file of a working folder that names the shared journal's server, so
// that every till started on that folder writes to it: one line, the
// address as typed in the set-up window (never a password).
extern const QString JournalServerFileName; // "ormeline_journal_serveur.txt"
// The address the file holds; empty when there is no file or no line.
platform::Result<QString> journalServerOf(const QString &workingFolder);
// Keeps `address` there; an empty one removes the file's line, the tills
// going back to their own journal.
platform::Result<void> keepJournalServer(const QString &workingFolder, const QString &address);

// The name this till's cheques are kept with, as the shop set it in the
// set-up window: a one-line file of the till's own data folder, since tills
// share their working folder. Empty when it was never set, the till then
// going by this machine's name.
extern const QString TillNameFileName; // "ormeline_caisse.txt"
platform::Result<QString> tillNameOf(const QString &tillFolder);
// An empty name removes it; the folder is made when it is not there yet.
platform::Result<void> keepTillName(const QString &tillFolder, const QString &name);

// Where this till keeps what it printed in that working folder while the
// server is away: in its own data folder, its folder made.
QString prepareOutboxPlace(const QString &workingFolder, const QString &dataFolder);

} // namespace main_window
