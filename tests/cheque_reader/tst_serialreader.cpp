#include "cheque_reader/serialreader.h"
#include "support/ptypair.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace cheque_reader;

namespace {

const QByteArray Line = "A1234567B001234567890C987654321098D";

} // namespace

class TestSerialReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void framing_data();
    void framing();
    void readerGoneAndBack();
};

// The reader's bytes as they may come: each framing, pieces, what lies
// outside a frame.
void TestSerialReader::framing_data()
{
    QTest::addColumn<int>("framing");
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<QStringList>("lines");
    const QString line = QString::fromLatin1(Line);
    QTest::newRow("CR, in two pieces") << int(Framing::Cr) << QList<QByteArray>{Line.left(10), Line.mid(10) + "\r"}
                                       << QStringList{line};
    QTest::newRow("CR, two lines at once")
        << int(Framing::Cr) << QList<QByteArray>{Line + "\r" + Line + "\r"} << QStringList{line, line};
    QTest::newRow("CR, not ended yet") << int(Framing::Cr) << QList<QByteArray>{Line} << QStringList{};
    QTest::newRow("CR LF") << int(Framing::CrLf) << QList<QByteArray>{Line + "\r", "\n"} << QStringList{line};
    QTest::newRow("CR LF, a CR alone") << int(Framing::CrLf) << QList<QByteArray>{"12\r34\r\n"}
                                       << QStringList{"12\r34"};
    QTest::newRow("STX ETX, noise around")
        << int(Framing::StxEtx) << QList<QByteArray>{"\x1b\x7f\x02" + Line.left(5), Line.mid(5) + "\x03\r\n"}
        << QStringList{line};
    QTest::newRow("STX ETX, a frame begun again")
        << int(Framing::StxEtx) << QList<QByteArray>{"\x02garbage\x02" + Line + "\x03"} << QStringList{line};
    QTest::newRow("blank lines are none") << int(Framing::Cr) << QList<QByteArray>{"\r  \r"} << QStringList{};
}

void TestSerialReader::framing()
{
    QFETCH(int, framing);
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QStringList, lines);
    LineFraming framed{Framing(framing)};
    QStringList read;
    for (const QByteArray &piece : pieces)
        read += framed.feed(piece);
    QCOMPARE(read, lines);
}

// The reader on a serial cable: a line in two pieces read; unplugged, said
// so; plugged back, opened again and read.
void TestSerialReader::readerGoneAndBack()
{
    QTemporaryDir dir;
    PtyPair cable(dir.path());
    QString why;
    QVERIFY2(cable.start(&why), qPrintable(why));
    SerialReader reader({cable.tillEnd(), 19200, Framing::Cr});
    QSignalSpy lines(&reader, &SerialReader::lineRead);
    reader.start();
    QVERIFY2(reader.state().endsWith(QStringLiteral("prêt.")), qPrintable(reader.state()));
    QVERIFY(cable.send(Line.left(12)));
    QTest::qWait(50);
    QVERIFY(cable.send(Line.mid(12) + "\r"));
    QTRY_COMPARE(lines.size(), 1);
    QCOMPARE(lines.takeFirst().at(0).toString(), QString::fromLatin1(Line));

    cable.stop();
    QTRY_VERIFY2(reader.state().contains(QStringLiteral("nouvel essai")), qPrintable(reader.state()));
    QVERIFY2(cable.start(&why), qPrintable(why));
    QTRY_VERIFY_WITH_TIMEOUT(reader.state().endsWith(QStringLiteral("prêt.")), 6000);
    QVERIFY(cable.send(Line + "\r"));
    QTRY_COMPARE(lines.size(), 1);
}

QTEST_GUILESS_MAIN(TestSerialReader)
#include "tst_serialreader.moc"
