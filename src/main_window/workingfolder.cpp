#include "main_window/workingfolder.h"

#include "journal/journal.h"
#include "main_window/pendingcheque.h"
#include "main_window/settings.h"
#include "platform/folder.h"
#include "platform/textfile.h"

#include <QCryptographicHash>

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

namespace {

// One file for each working folder the till works in, named after the
// folder as this machine reaches it.
QString folderKey(const QString &workingFolder)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(workingFolder.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
}

} // namespace

const QString JournalServerFileName = QStringLiteral("ormeline_journal_serveur.txt");

JournalPlace journalPlace(const QString &workingFolder, platform::FileSystemKind kind, const QString &dataFolder)
{
    if (kind == platform::FileSystemKind::Local)
        return {workingFolder + QLatin1Char('/') + journal::JournalFileName, false};
    return {dataFolder + QStringLiteral("/journaux/ormeline_journal-%1.sqlite").arg(folderKey(workingFolder)), true};
}

namespace {

// A file of one line, as the user typed it: none, or an empty one, is none.
platform::Result<QString> lineOf(const QString &path)
{
    if (!platform::fileExists(path))
        return QString();
    const platform::Result<QStringList> lines = platform::readTextLines(path, 1);
    if (!lines)
        return lines.failure();
    return lines->isEmpty() ? QString() : lines->first().trimmed();
}

platform::Result<void> keepLine(const QString &path, const QString &text)
{
    const QString line = text.trimmed();
    return platform::writeTextLines(path, line.isEmpty() ? QStringList() : QStringList{line});
}

} // namespace

platform::Result<QString> journalServerOf(const QString &workingFolder)
{
    return lineOf(workingFolder + QLatin1Char('/') + JournalServerFileName);
}

platform::Result<void> keepJournalServer(const QString &workingFolder, const QString &address)
{
    return keepLine(workingFolder + QLatin1Char('/') + JournalServerFileName, address);
}

const QString TillNameFileName = QStringLiteral("ormeline_caisse.txt");

platform::Result<QString> tillNameOf(const QString &tillFolder)
{
    return lineOf(tillFolder + QLatin1Char('/') + TillNameFileName);
}

platform::Result<void> keepTillName(const QString &tillFolder, const QString &name)
{
    if (const platform::Result<void> made = platform::makeWritableFolder(tillFolder); !made)
        return made;
    return keepLine(tillFolder + QLatin1Char('/') + TillNameFileName, name);
}

QString prepareOutboxPlace(const QString &workingFolder, const QString &dataFolder)
{
    const QString folder = dataFolder + QStringLiteral("/journaux");
    // A folder that cannot be made is told by the outbox's own opening.
    (void)platform::makeWritableFolder(folder);
    return folder + QStringLiteral("/ormeline_envoi-%1.sqlite").arg(folderKey(workingFolder));
}

PreparedJournal prepareJournalPlace(const QString &workingFolder, platform::FileSystemKind kind,
                                    const QString &dataFolder)
{
    const JournalPlace place = journalPlace(workingFolder, kind, dataFolder);
    if (!place.offNetwork || platform::fileExists(place.path))
        return {place.path, QString()};
    // A folder that cannot be made is told by the journal's own opening.
    (void)platform::makeWritableFolder(place.path.section(QLatin1Char('/'), 0, -2));
    return {place.path,
            QStringLiteral("Le dossier de travail est sur un partage réseau, où un journal ouvert par plusieurs "
                           "ordinateurs peut s'abîmer : le journal des chèques de cette caisse est gardé sur cet "
                           "ordinateur, dans « %1 ». Chaque caisse y garde ainsi le sien.")
                .arg(place.path)};
}

} // namespace main_window
