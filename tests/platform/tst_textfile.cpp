#include "platform/textfile.h"
#include "support/workingfolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

class TestTextFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void codePage_data();
    void codePage();
    void unwritableLinesAreRefused_data();
    void unwritableLinesAreRefused();
    void splitLines_data();
    void splitLines();
    void writeThenRead();
    void readFailures_data();
    void readFailures();
    void failedWriteKeepsPreviousFile();
};

void TestTextFile::codePage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("euro") << QStringLiteral("€") << QByteArray("\x80");
    QTest::newRow("capital e acute") << QStringLiteral("É") << QByteArray("\xc9");
    QTest::newRow("oe ligature") << QStringLiteral("Œuvre") << QByteArray("\x8cuvre");
    QTest::newRow("accents") << QStringLiteral("chèque à") << QByteArray("ch\xe8que \xe0");
    QTest::newRow("plain") << QStringLiteral("Arial") << QByteArray("Arial");
}

void TestTextFile::codePage()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(platform::encode1252(text).valueOr(QByteArray("<refused>")), bytes);
    QCOMPARE(platform::decode1252(bytes), text);
}

void TestTextFile::unwritableLinesAreRefused_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("why");
    QTest::newRow("a character the code page lacks") << QStringLiteral("Łódź 日本") << QStringLiteral("Łódź 日本");
    QTest::newRow("a value pasted with its LF") << QStringLiteral("12.5\n") << QStringLiteral("saut de ligne");
    QTest::newRow("a value pasted with its CR LF") << QStringLiteral("12.5\r\n") << QStringLiteral("« 12.5   »");
    QTest::newRow("a lone CR") << QStringLiteral("a\rb") << QStringLiteral("saut de ligne");
    QTest::newRow("a tab") << QStringLiteral("a\tb") << QStringLiteral("tabulation");
    QTest::newRow("Ctrl+Z") << QStringLiteral("a\x1a") << QStringLiteral("caractère de contrôle");
}

void TestTextFile::unwritableLinesAreRefused()
{
    QFETCH(QString, line);
    QFETCH(QString, why);
    WorkingFolder folder;
    folder.write(QStringLiteral("a.txt"), "old\r\n");
    const platform::Result<void> written =
        platform::writeTextLines(QStringLiteral("a.txt"), {QStringLiteral("Banque"), line, QStringLiteral("10")});
    QVERIFY(!written);
    QVERIFY2(written.error().contains(why), qPrintable(written.error()));
    QCOMPARE(folder.read(QStringLiteral("a.txt")), QByteArray("old\r\n"));
}

void TestTextFile::splitLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("last line without ending") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("lone lf") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("blank lines kept") << QByteArray("\r\n \r\nx\r\n") << QStringList{"", " ", "x"};
    QTest::newRow("blanks kept") << QByteArray(" 2 \r\n") << QStringList{" 2 "};
    QTest::newRow("lone cr inside stays") << QByteArray("a\rb\r\n") << QStringList{"a\rb"};
}

void TestTextFile::splitLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(platform::splitLines(bytes), lines);
}

void TestTextFile::writeThenRead()
{
    WorkingFolder folder;
    const QStringList lines{QStringLiteral(" 2 "), QStringLiteral("Société Générale d'Édition"), QString(),
                            QStringLiteral("12 €")};
    QVERIFY(platform::writeTextLines(QStringLiteral("t.txt"), lines));
    QCOMPARE(folder.read(QStringLiteral("t.txt")), QByteArray(" 2 \r\nSoci\xe9t\xe9 G\xe9n\xe9rale d'\xc9"
                                                              "dition\r\n\r\n12 \x80\r\n"));
    QCOMPARE(platform::readTextLines(QStringLiteral("t.txt"), 16).valueOr(QStringList{"<none>"}), lines);
    // Only the lines asked for.
    QCOMPARE(platform::readTextLines(QStringLiteral("t.txt"), 2).valueOr(QStringList{"<none>"}), lines.mid(0, 2));
}

void TestTextFile::readFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("why"); // empty: read, as its first line "x"
    QTest::newRow("missing") << "absent.txt"
                             << "introuvable";
    QTest::newRow("a folder") << "dossier"
                              << "c'est un dossier";
    QTest::newRow("a pipe") << "pipe.txt"
                            << "pas un fichier ordinaire";
    QTest::newRow("a link to an endless device") << "zero.txt"
                                                 << "pas un fichier ordinaire";
    QTest::newRow("a first line too long for a file of ours") << "long.txt"
                                                              << "trop grand";
    QTest::newRow("a huge file: its first lines only") << "huge.txt"
                                                       << "";
}

void TestTextFile::readFailures()
{
    QFETCH(QString, name);
    QFETCH(QString, why);
    WorkingFolder folder;
    QVERIFY(QDir().mkdir(folder.path(QStringLiteral("dossier"))));
    QCOMPARE(::mkfifo(QFile::encodeName(folder.path(QStringLiteral("pipe.txt"))).constData(), 0600), 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), folder.path(QStringLiteral("zero.txt"))));
    folder.write(QStringLiteral("long.txt"), QByteArray(platform::MaxTextFileBytes + 1, 'a') + "\r\n");
    folder.write(QStringLiteral("huge.txt"),
                 QByteArray("x\r\n").repeated(16) + QByteArray(4 * platform::MaxTextFileBytes, 'z'));
    QElapsedTimer clock;
    clock.start();
    const platform::Result<QStringList> lines = platform::readTextLines(name, 16);
    QVERIFY(clock.elapsed() < 2000);
    if (why.isEmpty()) {
        QVERIFY2(lines, qPrintable(lines.error()));
        QCOMPARE(*lines, QStringList(16, QStringLiteral("x")));
        return;
    }
    QVERIFY(!lines);
    QVERIFY2(lines.error().contains(why), qPrintable(lines.error()));
}

void TestTextFile::failedWriteKeepsPreviousFile()
{
    WorkingFolder folder;
    folder.write(QStringLiteral("keep.txt"), "old\r\n");
    platform::Result<void> written;
    {
        FileSizeLimit full(4);
        written = platform::writeTextLines(QStringLiteral("keep.txt"), {QStringLiteral("a longer new text")});
    }
    QVERIFY(!written);
    QVERIFY2(written.error().contains(QStringLiteral("disque plein")), qPrintable(written.error()));
    QCOMPARE(folder.read(QStringLiteral("keep.txt")), QByteArray("old\r\n"));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
