#include "printer_choice/printerlist.h"
#include "support/workingfolder.h"

#include <QTest>

using namespace printer_choice;

namespace {

QStringList printers(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("Imprimante %1").arg(i);
    return names;
}

} // namespace

class TestPrinterList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storedEntry_data();
    void storedEntry();
    void everyPickIsRestored_data();
    void everyPickIsRestored();
};

void TestPrinterList::storedEntry_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("defaultEntry"); // of the system's default printer, -1: not listed
    QTest::addColumn<int>("selected");
    QTest::newRow("nothing stored: the default printer") << 3 << "" << 2 << 2;
    QTest::newRow("nothing stored, no default listed") << 3 << "" << -1 << 0;
    QTest::newRow("blanks") << 3 << "   " << 1 << 1;
    QTest::newRow("in the list, whatever the default") << 3 << "02" << 1 << 2;
    QTest::newRow("past the list") << 3 << "05" << 2 << 0;
    QTest::newRow("one past the end") << 3 << "03" << -1 << 0;
    QTest::newRow("negative") << 3 << "-1" << -1 << 0;
    QTest::newRow("half rounds up") << 3 << "1.5" << -1 << 2;
    QTest::newRow("blanks inside") << 21 << " 1 2" << -1 << 12;
    QTest::newRow("not a number") << 3 << "HP" << -1 << 0;
    QTest::newRow("no printer") << 0 << "" << -1 << -1;
    QTest::newRow("no printer, index stored") << 0 << "02" << -1 << -1;
}

void TestPrinterList::storedEntry()
{
    QFETCH(int, entries);
    QFETCH(QString, stored);
    QFETCH(int, defaultEntry);
    QFETCH(int, selected);
    QCOMPARE(printer_choice::storedEntry(entries, stored, defaultEntry), selected);
}

// Whatever entry the list lets the user pick comes back at the next start.
void TestPrinterList::everyPickIsRestored_data()
{
    QTest::addColumn<int>("installed");
    QTest::addColumn<int>("pick");
    QTest::addColumn<QString>("stored");
    QTest::newRow("first") << 3 << 0 << "00";
    QTest::newRow("third") << 3 << 2 << "02";
    QTest::newRow("last listed of 25") << 25 << 20 << "20";
}

void TestPrinterList::everyPickIsRestored()
{
    QFETCH(int, installed);
    QFETCH(int, pick);
    QFETCH(QString, stored);
    WorkingFolder folder;
    const QStringList listed = restorePrinterChoice(printers(installed)).entries;
    QCOMPARE(listed, printers(std::min(installed, PrinterTableSize)));
    QVERIFY(storePrinterChoice(pick, int(listed.size())).ok());
    QVERIFY(!storePrinterChoice(int(listed.size()), int(listed.size())));
    QCOMPARE(PrinterAssignments().lookup(ChequePrinterKey).valueOr(QStringLiteral("<failed>")), stored);
    const RestoredChoice restored = restorePrinterChoice(printers(installed));
    QCOMPARE(restored.selected, pick);
    QCOMPARE(restored.entries.at(restored.selected), printers(installed).at(pick));
}

QTEST_GUILESS_MAIN(TestPrinterList)
#include "tst_printerlist.moc"
