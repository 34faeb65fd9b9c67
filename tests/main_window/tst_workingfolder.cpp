#include "main_window/workingfolder.h"
#include "platform/folder.h"
#include "support/workingfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using main_window::FolderChoice;

// Which folder the program works in, and how a new one is made ready.
class TestWorkingFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choice_data();
    void choice();
    void dataFolderIsSeededWithoutReplacing();
    void failures_data();
    void failures();
    void journalKeptOffTheNetwork_data();
    void journalKeptOffTheNetwork();
};

void TestWorkingFolder::choice_data()
{
    QTest::addColumn<QString>("startHolds"); // a file in the folder started in; empty: nothing
    QTest::addColumn<bool>("named");         // --dossier given
    QTest::addColumn<QString>("chosen");     // "start", "data" or "named"
    QTest::newRow("the settings file") << "zvochq1.ini" << false << "start";
    QTest::newRow("the pending cheque") << "provchq.wdo" << false << "start";
    QTest::newRow("a bank layout") << "bq_CIC.txt" << false << "start";
    QTest::newRow("a bank layout in capitals") << "BQ_CIC.TXT" << false << "start";
    QTest::newRow("something else only") << "notes.txt" << false << "data";
    QTest::newRow("an empty folder") << "" << false << "data";
    QTest::newRow("--dossier wins") << "zvochq1.ini" << true << "named";
}

void TestWorkingFolder::choice()
{
    QFETCH(QString, startHolds);
    QFETCH(bool, named);
    QFETCH(QString, chosen);
    WorkingFolder start;
    if (!startHolds.isEmpty())
        start.write(startHolds, "x\r\n");
    const QString data = start.path(QStringLiteral("donnees"));
    const QString other = start.path(QStringLiteral("ailleurs"));
    const FolderChoice choice = main_window::chooseWorkingFolder(named ? other : QString(), start.path(), data);
    const QString expected = chosen == QLatin1String("start")  ? start.path()
                             : chosen == QLatin1String("data") ? data
                                                               : other;
    QCOMPARE(choice.folder, expected);
    QCOMPARE(choice.seed, chosen == QLatin1String("data"));
}

void TestWorkingFolder::dataFolderIsSeededWithoutReplacing()
{
    WorkingFolder start;
    QTemporaryDir shipped;
    for (const char *name : {"bq_GENGA.txt", "bq_GENDS.txt", "fc_img_024.gif"}) {
        QFile file(shipped.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("shipped ") + name);
    }
    const QString data = start.path(QStringLiteral("home/.local/share/ormeline"));

    QVERIFY(main_window::openWorkingFolder({data, true}, shipped.path()));
    QCOMPARE(QDir::currentPath(), data);
    QCOMPARE(QDir(data).entryList(QDir::Files), (QStringList{"bq_GENDS.txt", "bq_GENGA.txt", "fc_img_024.gif"}));
    // Nothing is written where the program was started.
    QCOMPARE(QDir(start.path()).entryList(QDir::Files), QStringList());

    // The user changes a layout and loses the picture: the next start adds
    // the picture back and leaves the layout alone.
    start.write(QStringLiteral("home/.local/share/ormeline/bq_GENGA.txt"), "mine\r\n");
    QVERIFY(QFile::remove(start.path(QStringLiteral("home/.local/share/ormeline/fc_img_024.gif"))));
    QVERIFY(main_window::openWorkingFolder({data, true}, shipped.path()));
    QCOMPARE(start.read(QStringLiteral("home/.local/share/ormeline/bq_GENGA.txt")), QByteArray("mine\r\n"));
    QCOMPARE(start.read(QStringLiteral("home/.local/share/ormeline/fc_img_024.gif")),
             QByteArray("shipped fc_img_024.gif"));
}

void TestWorkingFolder::failures_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("seed");
    QTest::addColumn<QString>("why");
    QTest::newRow("a data folder that cannot be made") << "fichier/ormeline" << true << "ne peut pas être préparé";
    QTest::newRow("a named folder that does not exist") << "absent" << false << "n'existe pas";
}

void TestWorkingFolder::failures()
{
    QFETCH(QString, folder);
    QFETCH(bool, seed);
    QFETCH(QString, why);
    WorkingFolder start;
    start.write(QStringLiteral("fichier"), "a file where a folder should be");
    const platform::Result<void> opened = main_window::openWorkingFolder({start.path(folder), seed}, QString());
    QVERIFY(!opened);
    QVERIFY2(opened.error().contains(why), qPrintable(opened.error()));
    // Nothing moved: the program says so and stops.
    QCOMPARE(QDir::currentPath(), start.path());
}

// A working folder on a network share keeps its journal on the till's own
// disk, one for each such folder, and says so the first time.
void TestWorkingFolder::journalKeptOffTheNetwork_data()
{
    QTest::addColumn<QString>("type"); // the file system's, as the system names it
    QTest::addColumn<bool>("offNetwork");
    QTest::newRow("local disk") << "ext4" << false;
    QTest::newRow("temporary") << "tmpfs" << false;
    QTest::newRow("NFS") << "nfs4" << true;
    QTest::newRow("Windows share") << "cifs" << true;
    QTest::newRow("Windows share, SMB 3") << "smb3" << true;
    QTest::newRow("through SSH") << "fuse.sshfs" << true;
}

void TestWorkingFolder::journalKeptOffTheNetwork()
{
    QFETCH(QString, type);
    QFETCH(bool, offNetwork);
    QTemporaryDir data;
    const platform::FileSystemKind kind = platform::fileSystemKindOf(type);
    const main_window::PreparedJournal first =
        main_window::prepareJournalPlace(QStringLiteral("/mnt/magasin/caisse"), kind, data.path());
    const main_window::PreparedJournal other =
        main_window::prepareJournalPlace(QStringLiteral("/mnt/magasin/atelier"), kind, data.path());
    QCOMPARE(first.path.startsWith(data.path() + QStringLiteral("/journaux/")), offNetwork);
    QCOMPARE(first.path == other.path, false);
    QCOMPARE(first.notice.contains(first.path), offNetwork);
    if (!offNetwork) {
        QCOMPARE(first.path, QStringLiteral("/mnt/magasin/caisse/ormeline_journal.sqlite"));
        return;
    }
    // Once the till's journal has begun, nothing more is said.
    QFile begun(first.path);
    QVERIFY2(begun.open(QIODevice::WriteOnly), qPrintable(begun.errorString()));
    begun.close();
    const main_window::PreparedJournal again =
        main_window::prepareJournalPlace(QStringLiteral("/mnt/magasin/caisse"), kind, data.path());
    QCOMPARE(again.path, first.path);
    QVERIFY(again.notice.isEmpty());
}

QTEST_GUILESS_MAIN(TestWorkingFolder)
#include "tst_workingfolder.moc"
