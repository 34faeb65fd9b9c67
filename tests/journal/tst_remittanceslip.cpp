#include "journal/remittanceslip.h"
#include "support/recordingsurface.h"

#include <QTest>

using journal::frenchEuros;

namespace {

journal::RemittanceSlip slipOf(int cheques, qint64 cents)
{
    journal::RemittanceSlip slip;
    slip.shopName = QStringLiteral("Fromagerie du Marché");
    slip.place = QStringLiteral("Rodez");
    slip.number = 7;
    slip.date = QDate(2026, 3, 7);
    slip.account = QStringLiteral("fr7630006000011234567890189");
    slip.currencyName = QStringLiteral("Euro");
    slip.hundredthName = QStringLiteral("Centime");
    // Numbered as in a journal where other cheques came in between.
    for (int i = 0; i < cheques; ++i)
        slip.lines.append({101 + 2 * i, QStringLiteral("Banque %1").arg(i % 3), cents,
                           i == 0 ? QStringLiteral("M. Durand") : QString(),
                           i == 0 ? QStringLiteral("0012345") : QString()});
    return slip;
}

} // namespace

class TestRemittanceSlip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void slip_data();
    void slip();
};

void TestRemittanceSlip::slip_data()
{
    QTest::addColumn<int>("cheques");
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("words"); // the start of the total in words
    QTest::newRow("one page") << 3 << qint64(2050) << 1 << "SOIXANTE ET UN EUROS ET CINQUANTE CENTIMES";
    QTest::newRow("one cheque") << 1 << qint64(123456) << 1 << "MILLE DEUX CENT TRENTE QUATRE EUROS";
    QTest::newRow("two pages, carried forward") << 40 << qint64(1000) << 2 << "QUATRE CENTS EUROS";
    QTest::newRow("three pages") << 90 << qint64(100) << 3 << "QUATRE VINGT DIX EUROS";
}

void TestRemittanceSlip::slip()
{
    QFETCH(int, cheques);
    QFETCH(qint64, cents);
    QFETCH(int, pages);
    QFETCH(QString, words);
    const journal::RemittanceSlip slip = slipOf(cheques, cents);
    QCOMPARE(journal::slipPageSizes(cheques).size(), pages);

    RecordingSurface printer;
    journal::printRemittanceSlip(printer, slip);
    const QStringList calls = printer.printingCalls();
    // One job, whatever its pages.
    QCOMPARE(printer.documentsEnded(), 1);
    QCOMPARE(calls.count(QStringLiteral("newPage()")), pages - 1);
    QCOMPARE(calls.count(QStringLiteral("printText(Bordereau de remise de chèques)")), pages);
    QVERIFY(calls.contains(QStringLiteral("printText(Remise n° 7 du 07/03/2026)")));
    QVERIFY(calls.contains(QStringLiteral("printText(Compte : FR76 3000 6000 0112 3456 7890 189)")));
    QVERIFY(calls.contains(QStringLiteral("printText(Fromagerie du Marché)")));
    QVERIFY(calls.contains(QStringLiteral("printText(Page %1 / %1)").arg(pages)));
    // Every cheque once, under its number in the journal.
    for (const journal::SlipLine &line : slip.lines)
        QCOMPARE(calls.count(QStringLiteral("printText(%1)").arg(line.id)), 1);
    const int footer = calls.indexOf(QStringLiteral("printText(Nombre de chèques : %1)").arg(cheques));
    QVERIFY(footer > 0);
    QCOMPARE(calls.mid(0, footer).count(QStringLiteral("printText(%1)").arg(frenchEuros(cents))), cheques);
    QVERIFY(calls.contains(QStringLiteral("printText(M. Durand)")));
    QCOMPARE(calls.count(QStringLiteral("printText(0012345)")), 1);

    // Each page but the last carries its running total to the next.
    qint64 carried = 0;
    const QList<int> sizes = journal::slipPageSizes(cheques);
    for (int page = 0; page + 1 < sizes.size(); ++page) {
        carried += sizes[page] * cents;
        const int bottom = calls.indexOf(QStringLiteral("printText(À reporter)"),
                                         page == 0 ? 0 : calls.indexOf(QStringLiteral("printText(Report)")));
        QVERIFY(bottom >= 0);
        QCOMPARE(calls.at(bottom + 3), QStringLiteral("printText(%1)").arg(frenchEuros(carried)));
        const int top = calls.indexOf(QStringLiteral("printText(Report)"), bottom);
        QVERIFY(top > calls.indexOf(QStringLiteral("newPage()"), bottom));
        QCOMPARE(calls.at(top + 3), QStringLiteral("printText(%1)").arg(frenchEuros(carried)));
    }
    QCOMPARE(calls.count(QStringLiteral("printText(À reporter)")), pages - 1);

    const int total = calls.indexOf(QStringLiteral("printText(Total)"));
    QVERIFY(total > calls.lastIndexOf(QStringLiteral("newPage()")));
    QCOMPARE(calls.at(total + 3), QStringLiteral("printText(%1)").arg(frenchEuros(cents * cheques)));
    QVERIFY2(journal::slipTotalWords(slip).startsWith(words), qPrintable(journal::slipTotalWords(slip)));
    QVERIFY(calls.contains(QStringLiteral("printText(Signature)")));
}

QTEST_GUILESS_MAIN(TestRemittanceSlip)
#include "tst_remittanceslip.moc"
