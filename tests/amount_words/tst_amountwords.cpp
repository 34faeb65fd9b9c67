#include "amount_words/amountwords.h"

#include <QtTest>

using namespace amount_words;

class TestAmountWords : public QObject
{
    Q_OBJECT

private slots:
    void words_data();
    void words();
    void currencyNames_data();
    void currencyNames();
    void workingDigits_data();
    void workingDigits();
    void acceptance_data();
    void acceptance();
    void largestAmount();
    void figuresStateWhatTheWordsState_data();
    void figuresStateWhatTheWordsState();
};

void TestAmountWords::words_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *amount, const char *expected) {
        QTest::newRow(amount) << QString::fromLatin1(amount) << QString::fromUtf8(expected);
    };

    // The cheque forms everyone knows.
    row("0.00", "ZÉRO EURO");
    row("0.01", "ZÉRO EURO ET UN CENTIME");
    row("0.50", "ZÉRO EURO ET CINQUANTE CENTIMES");
    row("0.80", "ZÉRO EURO ET QUATRE VINGTS CENTIMES");
    row("1.00", "UN EURO");
    row("12", "DOUZE EUROS");
    row("12.5", "DOUZE EUROS ET CINQUANTE CENTIMES");
    row("12.345", "DOUZE EUROS ET TRENTE CINQ CENTIMES");
    row("21.00", "VINGT ET UN EUROS");
    row("71.00", "SOIXANTE ET ONZE EUROS");
    row("77.00", "SOIXANTE DIX SEPT EUROS");
    row("80.00", "QUATRE VINGTS EUROS");
    row("81.00", "QUATRE VINGT UN EUROS");
    row("90.00", "QUATRE VINGT DIX EUROS");
    row("91.00", "QUATRE VINGT ONZE EUROS");
    row("100.00", "CENT EUROS");
    row("200.00", "DEUX CENTS EUROS");
    row("201.00", "DEUX CENT UN EUROS");
    row("1000.00", "MILLE EUROS");
    row("1001.00", "MILLE UN EUROS");
    row("2000.00", "DEUX MILLE EUROS");
    row("21000.00", "VINGT ET UN MILLE EUROS");
    row("101000.00", "CENT UN MILLE EUROS");
    row("200000.00", "DEUX CENTS MILLE EUROS");
    row("1000000.00", "UN MILLION EUROS");
    row("5001000.00", "CINQ MILLIONS  MILLE EUROS");
    row("1575.98", "MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE VINGT DIX HUIT CENTIMES");

    // Units, teens and tens.
    row("10", "DIX EUROS");
    row("17", "DIX SEPT EUROS");
    row("61", "SOIXANTE ET UN EUROS");
    row("70", "SOIXANTE DIX EUROS");
    row("99", "QUATRE VINGT DIX NEUF EUROS");

    // Plurals of "cent" and "quatre vingt": only what follows in the integer
    // part counts, never the hundredths.
    row("300.01", "TROIS CENTS EUROS ET UN CENTIME");
    row("80.05", "QUATRE VINGTS EUROS ET CINQ CENTIMES");
    row("180", "CENT QUATRE VINGTS EUROS");
    row("280", "DEUX CENT QUATRE VINGTS EUROS");
    row("80000", "QUATRE VINGTS MILLE EUROS");
    row("80001", "QUATRE VINGT MILLE UN EUROS");
    row("200001", "DEUX CENT MILLE UN EUROS");
    row("200000001", "DEUX CENT MILLIONS UN EUROS");

    // Hundredths on their own.
    row("0.11", "ZÉRO EURO ET ONZE CENTIMES");
    row("0.21", "ZÉRO EURO ET VINGT ET UN CENTIMES");
    row("0.71", "ZÉRO EURO ET SOIXANTE ET ONZE CENTIMES");
    row("0.81", "ZÉRO EURO ET QUATRE VINGT UN CENTIMES");
    row("1.01", "UN EURO ET UN CENTIME");

    // What one group sets must not leak into the next.
    row("20001", "VINGT MILLE UN EUROS");
    row("70001", "SOIXANTE DIX MILLE UN EUROS");
    row("71.71", "SOIXANTE ET ONZE EUROS ET SOIXANTE ET ONZE CENTIMES");

    // Scales of value 1 and more; empty groups add nothing.
    row("2000000", "DEUX MILLIONS EUROS");
    row("1001000", "UN MILLION  MILLE EUROS");
    row("1000000000", "UN MILLIARD EUROS");
    row("3000000000", "TROIS MILLIARDS EUROS");
    row("1000001000", "UN MILLIARD  MILLE EUROS");
    row("1000000000000", "UN BILLION EUROS");
    row("2000000000001", "DEUX BILLIONS UN EUROS");
    row("999999999999999.99", "NEUF CENT QUATRE VINGT DIX NEUF BILLIONS NEUF CENT QUATRE VINGT DIX NEUF MILLIARDS "
                              "NEUF CENT QUATRE VINGT DIX NEUF MILLIONS NEUF CENT QUATRE VINGT DIX NEUF MILLE "
                              "NEUF CENT QUATRE VINGT DIX NEUF EUROS ET QUATRE VINGT DIX NEUF CENTIMES");

    // Three or more decimals round half up on the digits, with carries.
    row("0.995", "UN EURO");
    row("9.995", "DIX EUROS");
    row("99.999", "CENT EUROS");
    row("0.994", "ZÉRO EURO ET QUATRE VINGT DIX NEUF CENTIMES");
    row("0.005", "ZÉRO EURO ET UN CENTIME");
    row("12.3449", "DOUZE EUROS ET TRENTE QUATRE CENTIMES");
    row("999999.995", "UN MILLION EUROS");
}

void TestAmountWords::words()
{
    QFETCH(QString, amount);
    QFETCH(QString, expected);
    QCOMPARE(ConvertitLettres2(amount, QStringLiteral("Euro"), QStringLiteral("centime")), expected);
}

void TestAmountWords::currencyNames_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("hundredth");
    QTest::addColumn<QString>("expected");

    QTest::newRow("blanks around") << "2.02"
                                   << "  Euro "
                                   << " centime  "
                                   << "DEUX EUROS ET DEUX CENTIMES";
    QTest::newRow("dollar") << "2.01"
                            << "Dollar"
                            << "cent"
                            << "DEUX DOLLARS ET UN CENT";
    QTest::newRow("dollar zero") << "0.50"
                                 << "Dollar"
                                 << "cent"
                                 << "ZÉRO DOLLAR ET CINQUANTE CENTS";
    QTest::newRow("accented name") << "3.00" << QString::fromUtf8("écu") << "denier" << QString::fromUtf8("TROIS ÉCUS");
    QTest::newRow("name of two words") << "1.01"
                                       << "franc suisse"
                                       << "centime"
                                       << "UN FRANC SUISSE ET UN CENTIME";
}

void TestAmountWords::currencyNames()
{
    QFETCH(QString, amount);
    QFETCH(QString, currency);
    QFETCH(QString, hundredth);
    QFETCH(QString, expected);
    QCOMPARE(ConvertitLettres2(amount, currency, hundredth), expected);
}

void TestAmountWords::workingDigits_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("digits");

    QTest::newRow("no decimals") << "12"
                                 << "12000";
    QTest::newRow("one decimal") << "12.5"
                                 << "12050";
    QTest::newRow("two decimals") << "1575.98"
                                  << "1575098";
    QTest::newRow("rounded down") << "12.344"
                                  << "12034";
    QTest::newRow("carry into integer") << "9.995"
                                        << "10000";
}

void TestAmountWords::workingDigits()
{
    QFETCH(QString, amount);
    QFETCH(QString, digits);
    ConvertitLettres2(amount, QStringLiteral("Euro"), QStringLiteral("centime"));
    QCOMPARE(amount, digits);
}

void TestAmountWords::acceptance_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("normalised");

    const auto accept = [](const char *name, const char *text, const char *normalised) {
        QTest::newRow(name) << QString::fromUtf8(text) << true << QString::fromLatin1(normalised);
    };
    const auto refuse = [](const char *name, const char *text) {
        QTest::newRow(name) << QString::fromUtf8(text) << false << QString();
    };

    accept("whole", "12", "12");
    accept("decimals kept for rounding later", "12.345", "12.345");
    accept("blanks around", " \t12.50  ", "12.50");
    accept("comma", "12,5", "12.5");
    accept("leading zeros", "007.50", "7.50");
    accept("only zeros", "000", "0");
    accept("zero before point", "00.5", "0.5");
    accept("15 digits", "999999999999999", "999999999999999");
    accept("15 digits rounding down", "999999999999999.994", "999999999999999.994");
    accept("zeros do not count as digits", "000999999999999999.99", "999999999999999.99");

    refuse("empty", "");
    refuse("letters", "12a");
    refuse("minus", "-12");
    refuse("thousands blank", "1 000");
    refuse("blank before point", "12 .5");
    refuse("empty integer part", ".5");
    refuse("trailing point", "12.");
    refuse("two points", "1.2.3");
    refuse("point and comma", "1,2.3");
    refuse("other digits", "\u0661\u0662");
    refuse("16 digits", "1000000000000000");
    refuse("carry to 16 digits", "999999999999999.995");
}

void TestAmountWords::acceptance()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, normalised);

    const platform::Result<QString> result = acceptAmountText(text);
    QCOMPARE(result.ok(), accepted);
    if (accepted)
        QCOMPARE(*result, normalised);
    else
        QVERIFY2(result.error().contains(QStringLiteral("lettres")), qPrintable(result.error()));
}

void TestAmountWords::largestAmount()
{
    const platform::Result<QString> largest = acceptAmountText(QStringLiteral("999999999999999.994"));
    QVERIFY(largest);
    QString digits = *largest;
    QVERIFY(ConvertitLettres2(digits, QStringLiteral("Euro"), QStringLiteral("centime"))
                .endsWith(QStringLiteral("DIX NEUF EUROS ET QUATRE VINGT DIX NEUF CENTIMES")));
}

void TestAmountWords::figuresStateWhatTheWordsState_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("figures");
    QTest::newRow("already two decimals") << "1575.98"
                                          << "1575.98";
    QTest::newRow("three decimals, rounded as the words are") << "12.345"
                                                              << "12.35";
    QTest::newRow("one decimal") << "1575.5"
                                 << "1575.50";
    QTest::newRow("whole") << "12"
                           << "12.00";
    QTest::newRow("carried into the euros") << "0.995"
                                            << "1.00";
    QTest::newRow("French comma") << " 12,5 "
                                  << "12.50";
    QTest::newRow("leading zeros") << "007.5"
                                   << "7.50";
    QTest::newRow("no words for it: as it is") << " 12 EUR "
                                               << "12 EUR";
}

void TestAmountWords::figuresStateWhatTheWordsState()
{
    QFETCH(QString, amount);
    QFETCH(QString, figures);
    QCOMPARE(amountFigures(amount), figures);
}

QTEST_GUILESS_MAIN(TestAmountWords)
#include "tst_amountwords.moc"
