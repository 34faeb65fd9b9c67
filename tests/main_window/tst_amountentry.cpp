#include "main_window/amountentry.h"

#include <QTest>

using main_window::amountFromAnswer;

class TestAmountEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
};

void TestAmountEntry::accepted_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("amount");
    QTest::newRow("kept as it was") << "1575.98"
                                    << "1575.98";
    QTest::newRow("blanks inside and in front") << " 1 575.5"
                                                << "1575.50";
    QTest::newRow("half goes up") << "0.125"
                                  << "0.13";
    QTest::newRow("below half") << "0.124"
                                << "0.12";
    QTest::newRow("whole") << "12"
                           << "12.00";
    QTest::newRow("French comma") << "12,50"
                                  << "12.50";
    QTest::newRow("French comma and blanks") << "1 575,5"
                                             << "1575.50";
    QTest::newRow("no-break spaces between the thousands") << QStringLiteral("1\u00A0575\u202F000,5") << "1575000.50";
    QTest::newRow("a form feed in front") << "\f 117"
                                          << "117.00";
    QTest::newRow("a comma first") << ",5"
                                   << "0.50";
    QTest::newRow("text after the number") << "12 €"
                                           << "12.00";
    QTest::newRow("carry from the third decimal") << "9.995"
                                                  << "10.00";
    QTest::newRow("fifteen digits") << "999999999999999.994"
                                    << "999999999999999.99";
    QTest::newRow("minus zero is zero") << "-0.001"
                                        << "0.00";
}

void TestAmountEntry::accepted()
{
    QFETCH(QString, answer);
    QFETCH(QString, amount);
    QCOMPARE(amountFromAnswer(answer).valueOr(QStringLiteral("<refused>")), amount);
}

void TestAmountEntry::refused_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("no number") << "douze";
    QTest::newRow("letters") << "abc";
    QTest::newRow("confirmed empty") << "";
    QTest::newRow("negative") << "-12";
    QTest::newRow("sixteen digits") << "1000000000000000";
    QTest::newRow("rounds up to sixteen digits") << "999999999999999.995";
    QTest::newRow("far too large") << QString(400, QLatin1Char('9'));
}

void TestAmountEntry::refused()
{
    QFETCH(QString, answer);
    const platform::Result<QString> result = amountFromAnswer(answer);
    QVERIFY(!result);
    QVERIFY(!result.error().isEmpty());
}

QTEST_GUILESS_MAIN(TestAmountEntry)
#include "tst_amountentry.moc"
