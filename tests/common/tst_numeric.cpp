#include "common/numeric.h"

#include <QTest>

#include <limits>

class TestNumeric : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numericValue_data();
    void numericValue();
    void hugeNumberIsRefused();
    void formatHundredthsOfText_data();
    void formatHundredthsOfText();
    void formatHundredthsOfValue_data();
    void formatHundredthsOfValue();
    void formatWhole_data();
    void formatWhole();
    void plainNumber_data();
    void plainNumber();
    void plainNumberReadsBack_data();
    void plainNumberReadsBack();
    void mmToTwips();
};

void TestNumeric::numericValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks only") << "   " << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("whole") << "12" << 12.0;
    QTest::newRow("blanks anywhere") << " 1 575 .5 " << 1575.5;
    QTest::newRow("tab") << "\t3" << 3.0;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("minus after blanks") << "  - 4" << -4.0;
    QTest::newRow("minus inside stops") << "4-2" << 4.0;
    QTest::newRow("comma stops") << "12,50" << 12.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("minus point") << "-.25" << -0.25;
    QTest::newRow("trailing text") << "12.5 mm" << 12.5;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("minus alone") << "-" << 0.0;
    QTest::newRow("plus is not a sign") << "+5" << 0.0;
    QTest::newRow("settings form") << " 2 " << 2.0;
    QTest::newRow("exponent is not read") << "1e3" << 1.0;
}

void TestNumeric::numericValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(common::numericValue(text), value);
}

void TestNumeric::hugeNumberIsRefused()
{
    QCOMPARE(common::numericValue(QString(400, QLatin1Char('9'))), 0.0);
}

void TestNumeric::formatHundredthsOfText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unchanged") << "1575.98"
                               << "1575.98";
    QTest::newRow("one decimal") << " 1 575.5"
                                 << "1575.50";
    QTest::newRow("half goes up") << "0.125"
                                  << "0.13";
    QTest::newRow("below half") << "0.124"
                                << "0.12";
    QTest::newRow("half that floats get wrong") << "1.005"
                                                << "1.01";
    QTest::newRow("carry into integer") << "9.995"
                                        << "10.00";
    QTest::newRow("carry through nines") << "999.999"
                                         << "1000.00";
    QTest::newRow("whole") << "12"
                           << "12.00";
    QTest::newRow("empty") << ""
                           << "0.00";
    QTest::newRow("not a number") << "abc"
                                  << "0.00";
    QTest::newRow("leading point") << ".5"
                                   << "0.50";
    QTest::newRow("leading zeros") << "007.1"
                                   << "7.10";
    QTest::newRow("negative half away from zero") << "-0.125"
                                                  << "-0.13";
    QTest::newRow("negative rounding to zero") << "-0.001"
                                               << "0.00";
    QTest::newRow("comma stops") << "12,50"
                                 << "12.00";
}

void TestNumeric::formatHundredthsOfText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(common::formatHundredths(text), expected);
}

void TestNumeric::formatHundredthsOfValue_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("1.005 as a person wrote it") << 1.005 << "1.01";
    QTest::newRow("2.675") << 2.675 << "2.68";
    QTest::newRow("negative") << -2.5 << "-2.50";
    QTest::newRow("large") << 123456789012.345 << "123456789012.35";
}

void TestNumeric::formatHundredthsOfValue()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(common::formatHundredths(value), expected);
}

void TestNumeric::formatWhole_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0 pattern") << 7.0 << 1 << "7";
    QTest::newRow("00 pads") << 2.0 << 2 << "02";
    QTest::newRow("00 keeps more digits") << 123.0 << 2 << "123";
    QTest::newRow("00000 pads") << 42.0 << 5 << "00042";
    QTest::newRow("half away from zero") << 2.5 << 2 << "03";
    QTest::newRow("below half") << 2.49 << 1 << "2";
    QTest::newRow("negative half") << -2.5 << 1 << "-3";
    QTest::newRow("negative padded") << -4.0 << 2 << "-04";
    QTest::newRow("zero") << 0.0 << 5 << "00000";
    QTest::newRow("negative zero") << -0.4 << 2 << "00";
}

void TestNumeric::formatWhole()
{
    QFETCH(double, value);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(common::formatWhole(value, width), expected);
}

void TestNumeric::plainNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("positive") << 2.0 << " 2 ";
    QTest::newRow("negative") << -3.0 << "-3 ";
    QTest::newRow("zero") << 0.0 << " 0 ";
    QTest::newRow("negative zero") << -0.0 << " 0 ";
    QTest::newRow("fraction with a point") << 2.5 << " 2.5 ";
    QTest::newRow("negative fraction") << -0.25 << "-0.25 ";
    QTest::newRow("large") << 107.0 << " 107 ";
}

void TestNumeric::plainNumber()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(common::plainNumber(value), expected);
}

void TestNumeric::plainNumberReadsBack_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("tenth") << 0.1;
    QTest::newRow("third") << 1.0 / 3.0;
    QTest::newRow("negative") << -12.345678901234;
    QTest::newRow("tiny") << 1e-12;
    QTest::newRow("large") << 1e20;
}

void TestNumeric::plainNumberReadsBack()
{
    QFETCH(double, value);
    QCOMPARE(common::numericValue(common::plainNumber(value)), value);
}

void TestNumeric::mmToTwips()
{
    QCOMPARE(common::mmToTwips(12.5), 708.75f);
    QCOMPARE(common::mmToTwips(1), 56.7f);
    QCOMPARE(common::mmToTwips(-3), -170.1f);
    // Forty digits in a layout file: far off the page, but a place all the same.
    QCOMPARE(common::mmToTwips(1e40), std::numeric_limits<float>::max());
    QCOMPARE(common::mmToTwips(-1e40), -std::numeric_limits<float>::max());
}

QTEST_GUILESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
