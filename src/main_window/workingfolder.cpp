#include "main_window/workingfolder.h"

#include "main_window/pendingcheque.h"
#include "main_window/settings.h"
#include "platform/folder.h"

namespace main_window {

bool holdsSuiteFiles(const QString &folder)
{
    return platform::holdsFile(folder, SettingsFileName) || platform::holdsFile(folder, PendingChequeFileName) ||
           !platform::listFiles(folder, QStringLiteral("bq_*.txt")).isEmpty();
}

FolderChoice chooseWorkingFolder(const QString &named, const QString &startFolder, const QString &dataFolder)
{
    if (!named.isEmpty())
        return {named, false};
    if (holdsSuiteFiles(startFolder))
        return {startFolder, false};
    return {dataFolder, true};
}

platform::Result<void> openWorkingFolder(const FolderChoice &choice, const QString &shippedFolder)
{
    if (choice.seed) {
        if (const platform::Result<void> made = platform::makeWritableFolder(choice.folder); !made)
            return platform::fail(QStringLiteral("Le dossier de travail d'Ormeline ne peut pas être préparé : %1.\n"
                                                 "Vérifiez la place libre sur le disque et les droits de votre "
                                                 "dossier personnel.")
                                      .arg(made.error()));
        if (!shippedFolder.isEmpty()) {
            const platform::Result<QStringList> copied = platform::copyMissingFiles(shippedFolder, choice.folder);
            if (!copied)
                return platform::fail(QStringLiteral("Le dossier de travail d'Ormeline ne peut pas être préparé : "
                                                     "%1.")
                                          .arg(copied.error()));
        }
    } else if (!platform::folderExists(choice.folder)) {
        return platform::fail(QStringLiteral("Le dossier « %1 » n'existe pas.").arg(choice.folder));
    }
    if (const platform::Result<void> entered = platform::enterFolder(choice.folder); !entered)
        return platform::fail(
            QStringLiteral("Ormeline ne peut pas travailler dans ce dossier : %1.").arg(entered.error()));
    return {};
}

} // namespace main_window
