#include "amount_words/wordsplit.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QtTest>

#include <limits>

using namespace amount_words;

namespace {

// 100 twips a character makes every limit easy to work out by hand.
double hundredPerCharacter(const QString &text)
{
    return 100.0 * text.size();
}

// A font whose blank has no width.
double blanksFree(const QString &text)
{
    return 100.0 * (text.size() - text.count(QLatin1Char(' ')));
}

const QString Douze = QStringLiteral("DOUZE EUROS ET CINQUANTE CENTIMES");
const QString CinqMillions = QStringLiteral("CINQ MILLIONS  MILLE EUROS");

} // namespace

class TestWordSplit : public QObject
{
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void hugeLimitEnds();
    void refusedAmountChangesNothing();
    void previewSplitsTheWords();
    void printerMetrics();
};

void TestWordSplit::split_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<double>("limit");
    QTest::addColumn<bool>("blankHasWidth");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    // " DOUZE" is 600 twips, " DOUZE EUROS" 1200, the whole line 3400.
    QTest::newRow("first word reaches limit") << Douze << 600.0 << true << QString() << Douze + ' ';
    QTest::newRow("first word just fits") << Douze << 601.0 << true << " DOUZE"
                                          << "EUROS ET CINQUANTE CENTIMES ";
    QTest::newRow("second word fits") << Douze << 1201.0 << true << " DOUZE EUROS"
                                      << "ET CINQUANTE CENTIMES ";
    QTest::newRow("last word at limit") << Douze << 3400.0 << true << " DOUZE EUROS ET CINQUANTE"
                                        << "CENTIMES ";
    QTest::newRow("all fit, no room for a blank") << Douze << 3401.0 << true << ' ' + Douze << " ";
    QTest::newRow("all fit, blank at limit") << Douze << 3500.0 << true << ' ' + Douze << " ";
    QTest::newRow("all fit, one blank") << Douze << 3501.0 << true << ' ' + Douze + ' ' << " ";

    // The double blank survives only while it is still in the rest.
    QTest::newRow("double blank in rest") << CinqMillions << 501.0 << true << " CINQ"
                                          << "MILLIONS  MILLE EUROS ";
    QTest::newRow("double blank at break") << CinqMillions << 1401.0 << true << " CINQ MILLIONS"
                                           << "MILLE EUROS ";
    QTest::newRow("double blank passed") << CinqMillions << 2001.0 << true << " CINQ MILLIONS MILLE"
                                         << "EUROS ";

    QTest::newRow("blank of no width") << QStringLiteral("UN EURO") << 10000.0 << false << " UN EURO"
                                       << " ";
    QTest::newRow("no limit at all") << QStringLiteral("UN EURO") << std::numeric_limits<double>::infinity() << true
                                     << " UN EURO"
                                     << " ";
}

void TestWordSplit::split()
{
    QFETCH(QString, words);
    QFETCH(double, limit);
    QFETCH(bool, blankHasWidth);
    QFETCH(QString, first);
    QFETCH(QString, second);

    const SplitLines lines = splitWords(words, limit, blankHasWidth ? TextWidth(hundredPerCharacter) : blanksFree);
    QCOMPARE(lines.first, first);
    QCOMPARE(lines.second, second);
}

void TestWordSplit::hugeLimitEnds()
{
    // A limit no blank filling could reach in any reasonable time.
    const SplitLines lines = splitWords(QStringLiteral("UN EURO"), 1e15, hundredPerCharacter);
    QVERIFY(lines.first.startsWith(QStringLiteral(" UN EURO ")));
    QVERIFY(lines.first.mid(8).trimmed().isEmpty());
    QCOMPARE(lines.second, QStringLiteral(" "));
}

void TestWordSplit::refusedAmountChangesNothing()
{
    const platform::Result<Preview> preview = converti_txt(QStringLiteral("12."), QStringLiteral("Euro"),
                                                           QStringLiteral("centime"), 5000.0, hundredPerCharacter);
    QVERIFY(!preview);
    QVERIFY(preview.error().contains(QStringLiteral("12.")));
}

void TestWordSplit::previewSplitsTheWords()
{
    const platform::Result<Preview> preview = converti_txt(QStringLiteral("12,5"), QStringLiteral("Euro"),
                                                           QStringLiteral("centime"), 1201.0, hundredPerCharacter);
    QVERIFY(preview);
    QCOMPARE(preview->words, Douze);
    QCOMPARE(preview->line1, QStringLiteral(" DOUZE EUROS"));
    QCOMPARE(preview->line2, QStringLiteral("ET CINQUANTE CENTIMES "));
}

void TestWordSplit::printerMetrics()
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(1440);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10);
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    const QFontMetricsF metrics(font, &printer);
    const TextWidth width = [&metrics](const QString &text) { return metrics.horizontalAdvance(text); };

    // At 10 points " MILLE ... EUROS ET" measures about 4741 twips and the
    // next word takes it to about 5612.
    const double limit = 5000.0;
    const platform::Result<Preview> preview =
        converti_txt(QStringLiteral("1575.98"), QStringLiteral("Euro"), QStringLiteral("centime"), limit, width);
    QVERIFY(preview);
    QCOMPARE(preview->line1, QStringLiteral(" MILLE CINQ CENT SOIXANTE QUINZE EUROS ET"));
    QCOMPARE(preview->line2, QStringLiteral("QUATRE VINGT DIX HUIT CENTIMES "));
    const QString nextWord = preview->line2.left(preview->line2.indexOf(QLatin1Char(' ')));
    QVERIFY(width(preview->line1) < limit);
    QVERIFY(width(preview->line1 + ' ' + nextWord) >= limit);

    // The measured width of a line as the limit sends its last word down.
    const SplitLines atWidth = splitWords(preview->words, width(QStringLiteral(" MILLE CINQ CENT")), width);
    QCOMPARE(atWidth.first, QStringLiteral(" MILLE CINQ"));

    // Filled with blanks until one more would reach the limit.
    const double wide = width(' ' + preview->words) + 500.0;
    const SplitLines filled = splitWords(preview->words, wide, width);
    QVERIFY(filled.first.startsWith(' ' + preview->words + ' '));
    QVERIFY(filled.first.mid(preview->words.size() + 1).trimmed().isEmpty());
    QVERIFY(width(filled.first) < wide);
    QVERIFY(width(filled.first + ' ') >= wide);
    QCOMPARE(filled.second, QStringLiteral(" "));
}

QTEST_MAIN(TestWordSplit)
#include "tst_wordsplit.moc"
