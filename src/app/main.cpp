#include "cheque_reader/serialreader.h"
#include "journal/chequerecorder.h"
#include "journal/journal.h"
#include "journal/journaldesk.h"
#include "main_window/program.h"
#include "main_window/workingfolder.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/folder.h"
#include "platform/printingsystem.h"
#include "prompt_dialog/form97talk.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStandardPaths>
#include <QSysInfo>

#include <cstdio>
#include <optional>

namespace {

const QString Version = QStringLiteral(ORMELINE_VERSION);

struct CommandLine
{
    bool help = false;
    bool version = false;
    QString folder;
    QString exportTo; // --exporter-journal: the CSV file to write
    QString journal;  // --journal: the shared journal's server, as typed
    QString from;     // --du, --au: as typed, JJ/MM/AAAA
    QString to;
    QString error; // French; empty when the command line is understood
};

// The parser only misses a value when its option is the last word: say
// which value that option wants.
QString missingValue(const QString &option)
{
    const QString name = option.mid(option.startsWith(QLatin1String("--")) ? 2 : 1);
    if (name == QLatin1String("dossier"))
        return QStringLiteral("l'option --dossier demande le nom d'un dossier");
    if (name == QLatin1String("exporter-journal"))
        return QStringLiteral("l'option --exporter-journal demande le nom du fichier CSV à écrire");
    if (name == QLatin1String("journal"))
        return QStringLiteral("l'option --journal demande l'adresse du serveur du journal partagé");
    if (name == QLatin1String("du") || name == QLatin1String("au"))
        return QStringLiteral("l'option --%1 demande une date JJ/MM/AAAA").arg(name);
    return QStringLiteral("une option demande une valeur (--dossier DOSSIER, --exporter-journal FICHIER, "
                          "--du JJ/MM/AAAA, --au JJ/MM/AAAA, --journal ADRESSE)");
}

// The options, described in French; Qt's own (-platform, …) are the
// application object's and are taken off before `strict` parsing.
CommandLine readCommandLine(const QStringList &arguments, bool strict)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Affiche cette aide."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Affiche la version d'Ormeline."));
    const QCommandLineOption folder(QStringLiteral("dossier"),
                                    QStringLiteral("Travaille dans ce dossier plutôt que dans celui que le programme "
                                                   "choisit."),
                                    QStringLiteral("dossier"));
    const QCommandLineOption exportTo(QStringLiteral("exporter-journal"),
                                      QStringLiteral("Exporte le journal des chèques dans ce fichier CSV."),
                                      QStringLiteral("fichier"));
    const QCommandLineOption from(QStringLiteral("du"), QStringLiteral("Exporte les chèques imprimés à partir du."),
                                  QStringLiteral("date"));
    const QCommandLineOption to(QStringLiteral("au"), QStringLiteral("Exporte les chèques imprimés jusqu'au."),
                                QStringLiteral("date"));
    const QCommandLineOption journal(QStringLiteral("journal"),
                                     QStringLiteral("Le journal partagé par les caisses, sur ce serveur."),
                                     QStringLiteral("adresse"));
    parser.addOptions({help, version, folder, exportTo, from, to, journal});
    CommandLine line;
    if (!parser.parse(arguments)) {
        if (strict) {
            line.error = parser.unknownOptionNames().isEmpty()
                             ? missingValue(arguments.isEmpty() ? QString() : arguments.last())
                             : QStringLiteral("option inconnue : %1")
                                   .arg(parser.unknownOptionNames().join(QStringLiteral(", ")));
        }
    } else if (strict && !parser.positionalArguments().isEmpty()) {
        line.error = QStringLiteral("argument inattendu : %1").arg(parser.positionalArguments().join(QLatin1Char(' ')));
    }
    line.help = parser.isSet(help);
    line.version = parser.isSet(version);
    line.folder = parser.value(folder);
    line.exportTo = parser.value(exportTo);
    line.from = parser.value(from);
    line.to = parser.value(to);
    line.journal = parser.value(journal);
    if (strict && line.error.isEmpty() && line.exportTo.isEmpty() && (parser.isSet(from) || parser.isSet(to)))
        line.error = QStringLiteral("--du et --au ne servent qu'avec --exporter-journal");
    if (strict && line.error.isEmpty() && parser.isSet(journal)) {
        if (const platform::Result<journal::ServerAddress> address = journal::ServerAddress::parse(line.journal);
            !address)
            line.error = QStringLiteral("--journal : %1").arg(address.error());
    }
    return line;
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

QString helpText()
{
    return QStringLiteral("Usage : ormeline [options]\n"
                          "Remplit les chèques bancaires français sur une imprimante de bureau.\n\n"
                          "Options :\n"
                          "  -h, --help         Affiche cette aide.\n"
                          "  -v, --version      Affiche la version d'Ormeline.\n"
                          "  --dossier DOSSIER  Travaille dans ce dossier plutôt que dans celui que le\n"
                          "                     programme choisit.\n"
                          "  --exporter-journal FICHIER.csv\n"
                          "                     Exporte le journal des chèques du dossier de travail\n"
                          "                     dans ce fichier CSV (pour un tableur), sans ouvrir de\n"
                          "                     fenêtre, puis s'arrête.\n"
                          "  --du JJ/MM/AAAA    Avec --exporter-journal : les chèques imprimés ce jour-là\n"
                          "                     ou après.\n"
                          "  --au JJ/MM/AAAA    Avec --exporter-journal : les chèques imprimés ce jour-là\n"
                          "                     ou avant.\n"
                          "  --journal ADRESSE  Le journal partagé par les caisses, sur un serveur\n"
                          "                     PostgreSQL (« postgresql://caisse@serveur/ormeline »\n"
                          "                     ou « service=ormeline »), plutôt que celui que le\n"
                          "                     dossier de travail indique ; avec ou sans\n"
                          "                     --exporter-journal.\n\n"
                          "Sans --dossier, Ormeline travaille dans le dossier où il est lancé quand\n"
                          "celui-ci contient déjà les fichiers des chèques (zvochq1.ini, provchq.wdo,\n"
                          "bq_*.txt), comme quand le programme de facturation le lance, et sinon dans\n"
                          "votre dossier de données, préparé au premier lancement.\n");
}

// The files shipped with the program: beside it once installed, else in
// the source tree it was built from.
QString shippedFolder()
{
    const QStringList candidates{
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/ormeline"),
        QStringLiteral(ORMELINE_SOURCE_SEED),
    };
    for (const QString &candidate : candidates) {
        if (platform::folderExists(candidate))
            return candidate;
    }
    return QString();
}

std::optional<QDate> dayOf(const QString &text, const QString &option, QString &error)
{
    if (text.isEmpty())
        return QDate();
    const QDate day = QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
    if (!day.isValid()) {
        error = QStringLiteral("la date de %1 « %2 » n'est pas une date JJ/MM/AAAA").arg(option, text);
        return std::nullopt;
    }
    return day;
}

// The shared journal's server, as typed: the command line's, else the one
// the working folder names; empty for the folder's own journal.
platform::Result<QString> journalServer(const CommandLine &line, const QString &workingFolder)
{
    if (!line.journal.isEmpty())
        return line.journal;
    const platform::Result<QString> named = main_window::journalServerOf(workingFolder);
    if (!named) {
        return platform::fail(QStringLiteral("le fichier « %1 », qui donne le serveur du journal partagé, ne peut "
                                             "pas être lu : %2")
                                  .arg(main_window::JournalServerFileName, named.error()));
    }
    return *named;
}

// The journal of the working folder, chosen as for the window, written out
// without a screen. The folder is neither created nor seeded, and no journal
// is started where there is none.
int exportJournal(const CommandLine &line)
{
    QString error = line.error;
    const std::optional<QDate> from = error.isEmpty() ? dayOf(line.from, QStringLiteral("--du"), error) : QDate();
    const std::optional<QDate> to = error.isEmpty() ? dayOf(line.to, QStringLiteral("--au"), error) : QDate();
    if (error.isEmpty() && from->isValid() && to->isValid() && *from > *to)
        error = QStringLiteral("la date de --du (%1) est après celle de --au (%2)").arg(line.from, line.to);
    if (!error.isEmpty()) {
        print(stderr, QStringLiteral("ormeline : %1\nEssayez « ormeline --help ».\n").arg(error));
        return 1;
    }
    const main_window::FolderChoice folder = main_window::chooseWorkingFolder(
        line.folder, platform::currentFolder(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    platform::SystemClock clock;
    const platform::Result<QString> server = journalServer(line, folder.folder);
    if (!server) {
        print(stderr, QStringLiteral("ormeline : %1\n").arg(server.error()));
        return 1;
    }
    const auto openServer = [&]() -> platform::Result<std::unique_ptr<journal::Journal>> {
        const platform::Result<journal::ServerAddress> address = journal::ServerAddress::parse(*server);
        if (!address)
            return address.failure();
        return journal::Journal::openServer(*address, QSysInfo::machineHostName(), clock,
                                            journal::Journal::ServerUse::ReadOut);
    };
    const main_window::JournalPlace place =
        main_window::journalPlace(folder.folder, platform::fileSystemKind(folder.folder),
                                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    const platform::Result<std::unique_ptr<journal::Journal>> opened =
        !server->isEmpty() ? openServer() : journal::Journal::openExisting(place.path, clock);
    if (!opened) {
        print(stderr, QStringLiteral("ormeline : %1\n").arg(opened.error()));
        return 1;
    }
    const platform::Result<int> exported =
        journal::exportCsv(**opened, {*from, *to, QString(), std::nullopt}, line.exportTo);
    if (!exported) {
        print(stderr, QStringLiteral("ormeline : %1\n").arg(exported.error()));
        return 1;
    }
    print(stdout, journal::exportedMessage(*exported, line.exportTo) + QLatin1Char('\n'));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // --help and --version answer without a screen.
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const CommandLine early = readCommandLine(raw, false);
    if (early.help) {
        print(stdout, helpText());
        return 0;
    }
    if (early.version) {
        print(stdout, QStringLiteral("Ormeline %1\n").arg(Version));
        return 0;
    }
    // Without its file name too, so that the mistake is told without a screen.
    if (!early.exportTo.isEmpty() || raw.contains(QStringLiteral("--exporter-journal"))) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("ormeline"));
        return exportJournal(readCommandLine(QCoreApplication::arguments(), true));
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ormeline"));
    QApplication::setApplicationVersion(Version);
    platform::useFrenchForQtTexts();
    const CommandLine line = readCommandLine(QApplication::arguments(), true);
    if (!line.error.isEmpty()) {
        print(stderr, QStringLiteral("ormeline : %1\nEssayez « ormeline --help ».\n").arg(line.error));
        return 2;
    }

    const main_window::FolderChoice folder = main_window::chooseWorkingFolder(
        line.folder, platform::currentFolder(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (const platform::Result<void> opened = main_window::openWorkingFolder(folder, shippedFolder()); !opened) {
        print(stderr, opened.error() + QLatin1Char('\n'));
        prompt_dialog::Form97Talk talk;
        talk.message(opened.error());
        return 1;
    }

    platform::SystemClock clock;
    platform::QtPrintingSystem printing;
    prompt_dialog::Form97Talk talk;
    // The folder entered: its own path, as this machine reaches it.
    const QString here = platform::currentFolder();
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // Asked of the system once: where the journal goes without a server, and
    // which file a till on one may send there.
    const platform::FileSystemKind hereKind = platform::fileSystemKind(here);
    QStringList startUpNotices;
    std::unique_ptr<journal::JournalRecorder> recorder;
    const platform::Result<QString> server = journalServer(line, here);
    const platform::Result<journal::ServerAddress> address =
        server && !server->isEmpty() ? journal::ServerAddress::parse(*server)
                                     : platform::Result<journal::ServerAddress>(platform::fail(QString()));
    if (address) {
        recorder = std::make_unique<journal::JournalRecorder>(
            *address, main_window::prepareOutboxPlace(here, dataFolder), clock, talk);
    } else {
        // Never a cheque unrecorded: the till's own journal until the
        // address is mended.
        if (!server)
            startUpNotices << server.error();
        else if (!server->isEmpty())
            startUpNotices << QStringLiteral("L'adresse du journal partagé « %1 », dans « %2 », ne convient pas : "
                                             "%3.\n\nLes chèques de cette fois sont inscrits dans le journal de "
                                             "cette caisse.")
                                  .arg(*server, main_window::JournalServerFileName, address.error());
        const main_window::PreparedJournal place = main_window::prepareJournalPlace(here, hereKind, dataFolder);
        recorder = std::make_unique<journal::JournalRecorder>(place.path, clock, talk);
        if (!place.notice.isEmpty())
            startUpNotices << place.notice;
    }
    journal::JournalRecorder &journal = *recorder;
    const QString tillName = main_window::tillNameOf(dataFolder).valueOr(QString());
    journal.setTill(tillName.isEmpty() ? platform::hostName() : tillName);
    // The journal this till kept before the server, for the set-up window
    // to send there.
    const QString localJournal = main_window::journalPlace(here, hereKind, dataFolder).path;
    cheque_reader::SerialReader serialReader(
        cheque_reader::readReaderSettings(dataFolder + QLatin1Char('/') + cheque_reader::ReaderSettingsFileName)
            .valueOr(cheque_reader::ReaderSettings())
            .serial);
    main_window::Program program({clock, printing, talk, journal, &journal, dataFolder, localJournal, &serialReader});
    for (const QString &notice : std::as_const(startUpNotices))
        program.session().addStartUpProblem(notice);
    QObject::connect(&program.session(), &main_window::ChequeSession::programEnded, &app,
                     [] { QCoreApplication::exit(0); });
    program.session().startUp();
    if (program.session().hasEnded())
        return 0;
    program.window().show();
    serialReader.start();
    return QApplication::exec();
}
