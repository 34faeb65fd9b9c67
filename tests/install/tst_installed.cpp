#include "support/cupsqueue.h"
#include "support/pdfwords.h"
#include "support/virtualscreen.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

// The environment of a user who has never run the program: a home of their
// own, no screen unless one is given.
QProcessEnvironment freshUser(const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), home);
    return environment;
}

} // namespace

// The Debian package as a user gets it: built, unpacked into a root of its
// own, and its program started the way the menu starts it.
class TestInstalled : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void filesInTheirPlaces_data();
    void filesInTheirPlaces();
    void menuEntryAndMetadataAreValid();
    void debianCheckerFindsNothing();
    void commandLine_data();
    void commandLine();
    void startsOnItsOwnSeededFolder();

private:
    QString installed(const QString &path) const { return m_root.filePath(QStringLiteral("usr/") + path); }

    QTemporaryDir m_scratch;
    QDir m_root;
    QString m_package;
};

void TestInstalled::initTestCase()
{
    QVERIFY(m_scratch.isValid());
    const QString packages = m_scratch.filePath(QStringLiteral("paquet"));
    const Run packed =
        run(QStringLiteral(CPACK_COMMAND), {QStringLiteral("--config"), QStringLiteral(BUILD_DIR "/CPackConfig.cmake"),
                                            QStringLiteral("-B"), packages});
    QVERIFY2(packed.exitCode == 0, qPrintable(packed.out + packed.err));
    const QStringList built = QDir(packages).entryList({QStringLiteral("ormeline_*.deb")}, QDir::Files);
    QCOMPARE(built.size(), 1);
    m_package = QDir(packages).filePath(built.first());
    m_root.setPath(m_scratch.filePath(QStringLiteral("racine")));
    const Run unpacked =
        run(QStringLiteral("dpkg"), {QStringLiteral("-x"), QDir(packages).filePath(built.first()), m_root.path()});
    QVERIFY2(unpacked.exitCode == 0, qPrintable(unpacked.err));
    const Run control = run(QStringLiteral("dpkg"),
                            {QStringLiteral("-f"), QDir(packages).filePath(built.first()), QStringLiteral("Depends")});
    for (const char *needed : {"fonts-liberation", "cups-client", "qt6-translations-l10n", "libqt6svg6"})
        QVERIFY2(control.out.contains(QLatin1String(needed)), qPrintable(control.out));
}

void TestInstalled::filesInTheirPlaces_data()
{
    QTest::addColumn<QString>("path");
    for (const char *path : {"bin/ormeline", "share/ormeline/bq_GENDS.txt", "share/ormeline/bq_GENGA.txt",
                             "share/ormeline/fc_img_024.gif", "share/applications/fr.ormeline.Ormeline.desktop",
                             "share/icons/hicolor/scalable/apps/fr.ormeline.Ormeline.svg",
                             "share/metainfo/fr.ormeline.Ormeline.metainfo.xml", "share/man/man1/ormeline.1.gz",
                             "share/doc/ormeline/copyright", "share/doc/ormeline/changelog.Debian.gz"})
        QTest::newRow(path) << QString::fromLatin1(path);
}

void TestInstalled::filesInTheirPlaces()
{
    QFETCH(QString, path);
    QVERIFY2(QFile::exists(installed(path)), qPrintable(installed(path)));
}

void TestInstalled::menuEntryAndMetadataAreValid()
{
    const Run desktop = run(QStringLiteral("desktop-file-validate"),
                            {installed(QStringLiteral("share/applications/fr.ormeline.Ormeline.desktop"))});
    QVERIFY2(desktop.exitCode == 0 && desktop.out.trimmed().isEmpty(), qPrintable(desktop.out + desktop.err));
    const Run metainfo = run(QStringLiteral("appstreamcli"),
                             {QStringLiteral("validate"), QStringLiteral("--no-net"),
                              installed(QStringLiteral("share/metainfo/fr.ormeline.Ormeline.metainfo.xml"))});
    QVERIFY2(metainfo.exitCode == 0, qPrintable(metainfo.out + metainfo.err));
}

// Debian's package checker, as a packager would run it: any error or warning
// is a fault of the package (its information notes are left to the reader).
void TestInstalled::debianCheckerFindsNothing()
{
    const Run checked =
        run(QStringLiteral("lintian"), {QStringLiteral("--tag-display-limit"), QStringLiteral("0"), m_package});
    QStringList faults;
    for (const QString &line : checked.out.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("E: ")) || line.startsWith(QLatin1String("W: ")))
            faults << line;
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    // It ran and looked at the package: a checker that cannot start finds nothing either.
    QVERIFY2(checked.exitCode == 0, qPrintable(checked.out + checked.err));
}

void TestInstalled::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("screen"); // an offscreen one; none at all otherwise
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    QTest::newRow("--version, no screen needed") << QStringList{"--version"} << false << 0 << "Ormeline 0.1.0";
    QTest::newRow("--help, no screen needed") << QStringList{"--help"} << false << 0 << "--dossier DOSSIER";
    QTest::newRow("an unknown option") << QStringList{"--imprimer"} << true << 2 << "option inconnue : imprimer";
    QTest::newRow("--dossier without a folder")
        << QStringList{"--dossier"} << true << 2 << "demande le nom d'un dossier";
    QTest::newRow("--dossier that does not exist")
        << QStringList{"--dossier", "/nulle/part"} << true << 1 << "Le dossier « /nulle/part » n'existe pas.";
}

void TestInstalled::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, screen);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    QTemporaryDir home;
    QProcessEnvironment environment = freshUser(home.path());
    if (screen)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The message of a folder that cannot be used is shown in a dialog too:
    // Escape gets rid of it for the test, as the user's click would.
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(installed(QStringLiteral("bin/ormeline")), arguments);
    QVERIFY(process.waitForStarted());
    if (!process.waitForFinished(exitCode == 1 ? 3000 : 30000)) {
        process.kill();
        process.waitForFinished();
        QVERIFY2(exitCode == 1, "the program did not end");
        QVERIFY(QString::fromLocal8Bit(process.readAllStandardError()).contains(says));
        return;
    }
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
    QCOMPARE(process.exitCode(), exitCode);
    QVERIFY2(output.contains(says), qPrintable(output));
}

void TestInstalled::startsOnItsOwnSeededFolder()
{
    ORMELINE_TEST_QUEUE(queue);
    QTemporaryDir home;
    QTemporaryDir start;
    const QString data = home.filePath(QStringLiteral(".local/share/ormeline"));
    const QString binary = installed(QStringLiteral("bin/ormeline"));

    // First start, from the menu: an empty folder, a user who never ran it.
    {
        QProcessEnvironment environment = freshUser(home.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(start.path());
        program.start(binary, {});
        QVERIFY(program.waitForStarted());
        // Start-up has run once the pending-cheque file is in the data folder.
        QVERIFY2(waitFor([&] { return QFile::exists(data + QStringLiteral("/provchq.wdo")); }, 30000),
                 qPrintable(QString::fromLocal8Bit(program.readAllStandardError())));
        QStringList seeded = QDir(data).entryList(QDir::Files);
        for (const char *name : {"bq_GENDS.txt", "bq_GENGA.txt", "fc_img_024.gif", "w_cai020.wdo"})
            QVERIFY2(seeded.contains(QString::fromLatin1(name)), qPrintable(seeded.join(' ')));
        QCOMPARE(QDir(start.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        program.terminate();
        QVERIFY(program.waitForFinished(10000));
    }

    // The user moves the amount of the first bank; the invoicing program
    // hands a cheque over.
    QFile layout(data + QStringLiteral("/bq_GENDS.txt"));
    QVERIFY(layout.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = layout.readAll().split('\n');
    layout.close();
    lines[3] = "100\r";
    const QByteArray changed = lines.join('\n');
    QVERIFY(layout.open(QIODevice::WriteOnly | QIODevice::Truncate));
    layout.write(changed);
    layout.close();
    QFile pending(data + QStringLiteral("/provchq.wdo"));
    QVERIFY(pending.open(QIODevice::WriteOnly | QIODevice::Truncate));
    pending.write(QByteArray(400, ' ') + "     1575.98        ");
    pending.close();

    // Second start, on a real screen: the generic bank is on the first
    // button, and a click prints the cheque with the user's layout.
    VirtualScreen screen;
    QString why;
    QVERIFY2(screen.isUp(&why), qPrintable(why));
    QProcessEnvironment onScreen = screen.onIt(freshUser(home.path()));
    onScreen.insert(QStringLiteral("PRINTER"), queue.name());
    QVERIFY2(queue.removeOutput(&why), qPrintable(why));
    QProcess program;
    program.setProcessEnvironment(onScreen);
    program.setWorkingDirectory(start.path());
    program.start(binary, {});
    QVERIFY(program.waitForStarted());
    const Run found = run(QStringLiteral("xdotool"),
                          {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                           QStringLiteral("--name"), QStringLiteral("^Ormeline$")},
                          onScreen, QString(), 30000);
    QVERIFY2(found.exitCode == 0, qPrintable(found.err + QStringLiteral(" | program: ") +
                                             QString::fromLocal8Bit(program.readAllStandardError())));
    // The first bank button, 300 and 7530 twips from the window's corner,
    // at 15 twips a pixel; the window stands at the screen's top left. The
    // buttons wait for the printers, asked for once the window is painted:
    // a click that came too early is made again.
    bool ended = false;
    for (int attempt = 0; attempt < 10 && !ended; ++attempt) {
        QThread::msleep(300);
        const Run clicked = run(QStringLiteral("xdotool"),
                                {QStringLiteral("mousemove"), QStringLiteral("86"), QStringLiteral("532"),
                                 QStringLiteral("click"), QStringLiteral("1")},
                                onScreen);
        QCOMPARE(clicked.exitCode, 0);
        // Handed over without the stay-open flag: printed, the program ends.
        ended = program.waitForFinished(3000);
    }
    QVERIFY2(ended, "the program did not end after the click");
    QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
             qPrintable(QString::fromLocal8Bit(program.readAllStandardError()).right(3000)));
    QVERIFY2(queue.waitForOutput(&why), qPrintable(why));
    const QList<PdfPage> pages = readPdfWords(queue.pdfPath(), &why);
    QVERIFY2(pages.size() == 1, qPrintable(why));
    const PdfPage page = pages.first().as(PageTurn::Landscape);
    const QList<PdfWord> amount = page.find(QStringLiteral("****1575.98"));
    QCOMPARE(amount.size(), 1);
    QPointF origin;
    QVERIFY2(queue.printableOrigin(true, &origin, &why), qPrintable(why));
    QVERIFY(qAbs(amount.first().leftTwips() - (origin.x() + 100 * 56.7)) < TenthMillimetreTwips);

    // The user's layout was not replaced by the shipped one.
    QVERIFY(layout.open(QIODevice::ReadOnly));
    QCOMPARE(layout.readAll(), changed);
    QCOMPARE(QDir(start.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(TestInstalled)
#include "tst_installed.moc"
