#pragma once

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

} // namespace main_window
