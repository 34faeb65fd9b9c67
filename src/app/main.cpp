#include "main_window/program.h"
#include "main_window/workingfolder.h"
#include "platform/desktop.h"
#include "platform/folder.h"
#include "prompt_dialog/form97talk.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStandardPaths>

#include <cstdio>

namespace {

const QString Version = QStringLiteral(ORMELINE_VERSION);

struct CommandLine
{
    bool help = false;
    bool version = false;
    QString folder;
    QString error; // French; empty when the command line is understood
};

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
    parser.addOptions({help, version, folder});
    CommandLine line;
    if (!parser.parse(arguments)) {
        if (strict) {
            line.error = parser.unknownOptionNames().isEmpty()
                ? QStringLiteral("l'option --dossier demande le nom d'un dossier")
                : QStringLiteral("option inconnue : %1").arg(parser.unknownOptionNames().join(QStringLiteral(", ")));
        }
    } else if (strict && !parser.positionalArguments().isEmpty()) {
        line.error = QStringLiteral("argument inattendu : %1").arg(parser.positionalArguments().join(QLatin1Char(' ')));
    }
    line.help = parser.isSet(help);
    line.version = parser.isSet(version);
    line.folder = parser.value(folder);
    return line;
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

QString helpText()
{
    return QStringLiteral(
        "Usage : ormeline [options]\n"
        "Remplit les chèques bancaires français sur une imprimante de bureau.\n\n"
        "Options :\n"
        "  -h, --help         Affiche cette aide.\n"
        "  -v, --version      Affiche la version d'Ormeline.\n"
        "  --dossier DOSSIER  Travaille dans ce dossier plutôt que dans celui que le\n"
        "                     programme choisit.\n\n"
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

    main_window::Program program;
    QObject::connect(&program.session(), &main_window::ChequeSession::programEnded, &app,
                     [] { QCoreApplication::exit(0); });
    program.session().startUp();
    if (program.session().hasEnded())
        return 0;
    program.window().show();
    return QApplication::exec();
}
