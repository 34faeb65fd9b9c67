#include "cheque_reader/cmc7.h"
#include "cheque_reader/ties.h"
#include "platform/textfile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace cheque_reader;

class TestCmc7 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readCmc7_data();
    void readCmc7();
    void tiesReadBack();
    void tiesNarrowed_data();
    void tiesNarrowed();
};

// As readers write the line: each family of symbols, framings, and what is
// refused. The expected text is the line's, or the start of the refusal.
void TestCmc7::readCmc7_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("read");
    const QString line = QStringLiteral("1234567 001234567890 987654321098");
    QTest::newRow("letters") << "A1234567B001234567890C987654321098D" << line;
    QTest::newRow("slash and brackets") << "<1234567/001234567890>987654321098=" << line;
    QTest::newRow("blanks") << "  1234567   001234567890  987654321098 " << line;
    QTest::newRow("STX ETX, CR LF") << "\x02"
                                       "1234567 001234567890 987654321098\x03\r\n"
                                    << line;
    QTest::newRow("AZERTY digit row") << QStringLiteral("A&é\"'(-èBàà&é\"'(-è_çàC_çà-('\"é&àç_D")
                                      << QStringLiteral("1234567 001234567890 890654321098");
    QTest::newRow("AZERTY keys among digits are separators") << "1234567&001234567890é987654321098" << line;
    QTest::newRow("unread character") << "1234567 0012345?7890 987654321098"
                                      << "Ligne CMC7 illisible : passez le chèque à nouveau.";
    QTest::newRow("a digit short") << "1234567 00123456789 987654321098"
                                   << "Ligne CMC7 incomplète : passez le chèque à nouveau.";
    QTest::newRow("a digit more") << "12345678 001234567890 987654321098"
                                  << "Ligne CMC7 incomplète";
    QTest::newRow("a zone cut in two") << "1234567 001234 567890 987654321098"
                                       << "Ligne CMC7 incomplète";
    QTest::newRow("zones run together") << "1234567001234567890987654321098"
                                        << "Ligne CMC7 incomplète";
    QTest::newRow("nothing") << ""
                             << "Ligne CMC7 incomplète";
}

void TestCmc7::readCmc7()
{
    QFETCH(QString, raw);
    QFETCH(QString, read);
    const platform::Result<Cmc7Line> result = cheque_reader::readCmc7(raw);
    QCOMPARE(result ? result->text() : result.error().left(read.size()), read);
    if (result)
        QCOMPARE(cmc7Characters(raw), 31);
}

// The folder's ties read back, a line the program could not read kept as it
// was, a tie moved in place.
void TestCmc7::tiesReadBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(TiesFileName);
    QVERIFY(
        platform::writeTextLines(path, {"001234567890;bq_A.txt", "une note de la boutique", "111111111111;bq_B.txt"}));
    auto ties = Ties::read(path);
    QVERIFY2(ties, qPrintable(ties.error()));
    Ties book = std::move(ties).value();
    QCOMPARE(book.layoutOf(QStringLiteral("001234567890")), QStringLiteral("bq_A.txt"));
    QCOMPARE(book.layoutOf(QStringLiteral("999999999999")), QString());
    book.tie(QStringLiteral("001234567890"), QStringLiteral("bq_C.txt"));
    book.tie(QStringLiteral("222222222222"), QStringLiteral("bq_A.txt"));
    QVERIFY(book.write(path));
    QCOMPARE(*platform::readTextLines(path, 10), (QStringList{"001234567890;bq_C.txt", "une note de la boutique",
                                                              "111111111111;bq_B.txt", "222222222222;bq_A.txt"}));
    QVERIFY(Ties::read(dir.filePath(QStringLiteral("absent.txt"))));
}

// The shop narrows the digits that tie a chequebook: the ties follow, those
// that become one keep the first; a wider choice cannot be followed.
void TestCmc7::tiesNarrowed_data()
{
    QTest::addColumn<QStringList>("ties");
    QTest::addColumn<QList<int>>("before"); // first, count
    QTest::addColumn<QList<int>>("after");
    QTest::addColumn<QStringList>("narrowed");
    QTest::addColumn<int>("dropped");
    QTest::newRow("five digits from the third")
        << QStringList{"001234567890;bq_A.txt", "note", "991234599999;bq_B.txt"} << QList<int>{1, 12}
        << QList<int>{3, 5} << QStringList{"12345;bq_A.txt", "note"} << 1;
    QTest::newRow("two chequebooks of one bank become one tie")
        << QStringList{"001234567890;bq_A.txt", "991234599999;bq_A.txt"} << QList<int>{1, 12} << QList<int>{3, 5}
        << QStringList{"12345;bq_A.txt"} << 0;
    QTest::newRow("narrowed again") << QStringList{"12345;bq_A.txt"} << QList<int>{3, 5} << QList<int>{4, 2}
                                    << QStringList{"23;bq_A.txt"} << 0;
    QTest::newRow("wider: not followed") << QStringList{"12345;bq_A.txt"} << QList<int>{3, 5} << QList<int>{1, 12}
                                         << QStringList{"12345;bq_A.txt"} << -1;
}

void TestCmc7::tiesNarrowed()
{
    QFETCH(QStringList, ties);
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);
    QFETCH(QStringList, narrowed);
    QFETCH(int, dropped);
    QTemporaryDir dir;
    const QString path = dir.filePath(TiesFileName);
    QVERIFY(platform::writeTextLines(path, ties));
    Ties book = *Ties::read(path);
    QCOMPARE(book.narrow({before[0], before[1]}, {after[0], after[1]}), dropped);
    QVERIFY(book.write(path));
    QCOMPARE(*platform::readTextLines(path, 10), narrowed);
}

QTEST_GUILESS_MAIN(TestCmc7)
#include "tst_cmc7.moc"
