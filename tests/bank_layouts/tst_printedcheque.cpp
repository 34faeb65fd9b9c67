#include "layout_editor/form2.h"
#include "main_window/chequesession.h"
#include "main_window/form1.h"
#include "main_window/pendingcheque.h"
#include "main_window/program.h"
#include "main_window/settings.h"
#include "prompt_dialog/form97talk.h"
#include "support/cupsqueue.h"
#include "support/fakes.h"
#include "support/globals.h"
#include "support/layoutbytes.h"
#include "support/modal.h"
#include "support/pdfwords.h"
#include "support/workingfolder.h"
#include "window_services/textfield.h"

#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using main_window::Form1;

namespace {

// Millimetres in the layout file, in file order after the name, font, size.
const QList<double> LayoutMm{132, 26, 6, 29, 90, 38, 134, 38, 55, 17, 6, 43, 60};

QByteArray layoutFile()
{
    QList<QByteArray> lines{"Banque d'essai", "Arial", "10"};
    for (double mm : LayoutMm)
        lines << QByteArray::number(mm);
    return crlfLines(lines);
}

// The program on the test queue alone, whatever other queues the machine
// has, on the day the tests were written for.
struct ProgramOnQueue
{
    explicit ProgramOnQueue(const TestQueue &queue)
        : printing({queue.name()})
    {
        session.startUp();
        session.preparePrinters();
    }

    FixedClock clock{QDate(2026, 12, 8)};
    MemoryRecorder recorder;
    ListedPrinting printing;
    prompt_dialog::Form97Talk talk;
    main_window::Program program{{clock, printing, talk, recorder}};
    main_window::ChequeSession &session = program.session();
    Form1 &form = program.window();
};

// Clicks the bank's first button and reads back the one page the queue
// writes, turned as the cheque is printed, with where the printable area
// starts on it.
bool printFirstBank(ProgramOnQueue &program, const TestQueue &queue, PdfPage *page, QPointF *origin, QString *why)
{
    if (!queue.removeOutput(why))
        return false;
    QTest::mouseClick(program.form.findChild<QToolButton *>(QStringLiteral("bt_banq_0")), Qt::LeftButton);
    if (!program.session.hasEnded()) {
        *why = QStringLiteral("the program did not end after printing");
        return false;
    }
    if (!queue.waitForOutput(why))
        return false;
    const QList<PdfPage> pages = readPdfWords(queue.pdfPath(), why);
    if (pages.size() != 1) {
        *why += QStringLiteral(" (%1 pages)").arg(pages.size());
        return false;
    }
    *page = pages.first().as(PageTurn::Landscape);
    return queue.printableOrigin(true, origin, why);
}

} // namespace

// A cheque printed from the main window through the real CUPS queue, read
// back from the PDF that comes out.
class TestPrintedCheque : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetGlobals(); }
    void itemsLandAtLayoutPlusOffsets_data();
    void itemsLandAtLayoutPlusOffsets();
    void printsAsEditedInTheEditor();
    void proofOnPlainPaper();
};

void TestPrintedCheque::itemsLandAtLayoutPlusOffsets_data()
{
    QTest::addColumn<double>("verticalMm");
    QTest::addColumn<double>("horizontalMm");
    QTest::newRow("no offsets") << 0.0 << 0.0;
    QTest::newRow("one millimetre down and right") << 1.0 << 1.0;
    QTest::newRow("up and to the left") << -3.0 << -2.0;
}

void TestPrintedCheque::itemsLandAtLayoutPlusOffsets()
{
    ORMELINE_TEST_QUEUE(queue);
    QFETCH(double, verticalMm);
    QFETCH(double, horizontalMm);

    WorkingFolder folder;
    folder.write(QStringLiteral("bq_ESSAI.txt"), layoutFile());
    folder.write(main_window::SettingsFileName, " " + QByteArray::number(verticalMm) + " \r\n " +
                                                    QByteArray::number(horizontalMm) +
                                                    " \r\nEuro\r\ncentime\r\nSoci\xe9t\xe9 G\xe9n\xe9rale d'\xc9"
                                                    "clairage\r\nBesan\xe7on\r\n");
    folder.write(main_window::PendingChequeFileName, QByteArray(400, ' ') + "     1575.98        ");
    ProgramOnQueue program(queue);
    Form1 &form = program.form;
    QCOMPARE(form.findChild<QToolButton *>(QStringLiteral("bt_banq_0"))->text(), QStringLiteral("Banque d'essai"));
    PdfPage page;
    QPointF origin;
    QString why;
    QVERIFY2(printFirstBank(program, queue, &page, &origin, &why), qPrintable(why));
    // The job says what it is.
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {queue.pdfPath()});
    QVERIFY(info.waitForFinished(30000));
    const QString described = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(described.contains(QStringLiteral("Chèque 1575.98 € – Banque d'essai")), qPrintable(described));

    // The word lines start with a blank: their first word stands one blank
    // further right.
    platform::PrinterSurface &printer = program.printing.currentPrinter();
    printer.setFontName(QStringLiteral("Arial"));
    printer.setFontSize(10);
    printer.setBold(false);
    const double blank = printer.textWidth(QStringLiteral(" "));
    // The lines of words as printed, which the journal wrote down.
    QCOMPARE(program.recorder.cheques().size(), 1);
    const QString wordsLine1 = program.recorder.cheques().first().wordsLine1;
    const QString wordsLine2 = program.recorder.cheques().first().wordsLine2;

    struct Item
    {
        QString firstWord;
        int layoutIndex; // LayoutMm index of x; y follows
        double indent;
    };
    const QList<Item> items{{QStringLiteral("****1575.98"), 0, 0},
                            {QStringLiteral("Société"), 2, 0},
                            {QStringLiteral("Besançon"), 4, 0},
                            {QStringLiteral("08/12/2026"), 6, 0},
                            {QStringLiteral("****MILLE"), 8, blank},
                            {wordsLine2.section(QLatin1Char(' '), 0, 0).prepend(QStringLiteral("****")), 10, 0}};
    for (const Item &item : items) {
        const QList<PdfWord> found = page.find(item.firstWord);
        QVERIFY2(found.size() == 1, qPrintable(item.firstWord + QStringLiteral(" in ") + page.texts().join(' ')));
        const double x = origin.x() + (LayoutMm[item.layoutIndex] + horizontalMm) * 56.7 + item.indent;
        const double y = origin.y() + (LayoutMm[item.layoutIndex + 1] + verticalMm) * 56.7;
        QVERIFY2(
            qAbs(found.first().leftTwips() - x) < TenthMillimetreTwips,
            qPrintable(
                QStringLiteral("%1: left %2, expected %3").arg(item.firstWord).arg(found.first().leftTwips()).arg(x)));
        QVERIFY2(
            qAbs(found.first().topTwips() - y) < TenthMillimetreTwips,
            qPrintable(
                QStringLiteral("%1: top %2, expected %3").arg(item.firstWord).arg(found.first().topTwips()).arg(y)));
    }

    // The amount is in 16 points, the rest in 10.
    const double amountHeight = page.find(QStringLiteral("****1575.98")).first().heightTwips();
    const double payeeHeight = page.find(QStringLiteral("Société")).first().heightTwips();
    QVERIFY(qAbs(amountHeight / payeeHeight - 1.6) < 0.05);

    // The texts exactly as the window holds them, stars and euro sign
    // included: the two lines together are the words.
    const QStringList texts = page.texts();
    for (const QString &word : {QStringLiteral("€"), QStringLiteral("Générale"), QStringLiteral("d'Éclairage")})
        QVERIFY2(texts.contains(word), qPrintable(word));
    const QString printedWords = texts.join(QLatin1Char(' '));
    const QString firstLine = wordsLine1.trimmed() + QStringLiteral("****");
    const QString secondLine = QStringLiteral("****") + wordsLine2.trimmed() + QStringLiteral(" ****");
    QVERIFY2(printedWords.contains(firstLine), qPrintable(firstLine + QStringLiteral(" | ") + printedWords));
    QVERIFY2(printedWords.contains(secondLine), qPrintable(secondLine + QStringLiteral(" | ") + printedWords));
    const QString bothLines = wordsLine1.trimmed() + QLatin1Char(' ') + wordsLine2.trimmed();
    QCOMPARE(bothLines, QStringLiteral("****MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE VINGT DIX HUIT CENTIMES"));
}

void TestPrintedCheque::printsAsEditedInTheEditor()
{
    ORMELINE_TEST_QUEUE(queue);
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_ESSAI.txt"), layoutFile());
    folder.write(main_window::SettingsFileName, " 0 \r\n 0 \r\nEuro\r\ncentime\r\nDupont\r\nAlbi\r\n");
    folder.write(main_window::PendingChequeFileName, QByteArray(400, ' ') + "     1575.98        ");
    ProgramOnQueue program(queue);
    Form1 &form = program.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    DialogWatchdog watchdog;

    // In parameter mode the bank opens in the editor: the amount moves to
    // 100 mm from the left, the payee down to 31 mm.
    QTest::mouseClick(form.command4, Qt::LeftButton);
    answerNextDialog<layout_editor::Form2>([](layout_editor::Form2 *editor) {
        for (const auto &[index, value] :
             {std::pair<int, QString>{0, QStringLiteral("100")}, {3, QStringLiteral("31")}}) {
            editor->Text4[std::size_t(index)]->setFocus();
            QTest::keyClick(editor->Text4[std::size_t(index)], Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(editor->Text4[std::size_t(index)], value);
        }
        QTest::mouseClick(editor->bt_fin, Qt::LeftButton);
    });
    QTest::mouseClick(form.findChild<QToolButton *>(QStringLiteral("bt_banq_0")), Qt::LeftButton);
    QVERIFY2(watchdog.unanswered().isEmpty(), qPrintable(watchdog.unanswered().join(QStringLiteral(" | "))));

    PdfPage page;
    QPointF origin;
    QString why;
    QVERIFY2(printFirstBank(program, queue, &page, &origin, &why), qPrintable(why));
    const QList<PdfWord> amount = page.find(QStringLiteral("****1575.98"));
    QVERIFY2(amount.size() == 1, qPrintable(page.texts().join(' ')));
    QVERIFY(qAbs(amount.first().leftTwips() - (origin.x() + 100 * 56.7)) < TenthMillimetreTwips);
    QVERIFY(qAbs(amount.first().topTwips() - (origin.y() + 26 * 56.7)) < TenthMillimetreTwips);
    const QList<PdfWord> payee = page.find(QStringLiteral("Dupont"));
    QVERIFY(payee.size() == 1);
    QVERIFY(qAbs(payee.first().leftTwips() - (origin.x() + 6 * 56.7)) < TenthMillimetreTwips);
    QVERIFY(qAbs(payee.first().topTwips() - (origin.y() + 31 * 56.7)) < TenthMillimetreTwips);
}

void TestPrintedCheque::proofOnPlainPaper()
{
    ORMELINE_TEST_QUEUE(queue);
    WorkingFolder folder;
    QList<QByteArray> lines{"Banque d'essai", "Arial", "10"};
    // Tenths of a millimetre, as a drag leaves them.
    const QList<double> mm{131.5, 25.3, 6, 29, 90, 38, 134, 38, 55, 17, 6, 43, 60};
    for (double value : mm)
        lines << QByteArray::number(value);
    folder.write(QStringLiteral("bq_ESSAI.txt"), crlfLines(lines));
    folder.write(main_window::SettingsFileName, " 1.5 \r\n-2 \r\nEuro\r\ncentime\r\nDupont\r\nAlbi\r\n");
    folder.write(main_window::PendingChequeFileName, QByteArray(400, ' ') + "     1575.98        ");
    ProgramOnQueue program(queue);
    Form1 &form = program.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    DialogWatchdog watchdog;
    QString why;
    QVERIFY2(queue.removeOutput(&why), qPrintable(why));

    QTest::mouseClick(form.command4, Qt::LeftButton);
    QString told;
    answerNextDialog<layout_editor::Form2>([&told](layout_editor::Form2 *editor) {
        confirmNextMessage(&told);
        QTest::mouseClick(editor->bt_essai, Qt::LeftButton);
        editor->reject();
    });
    QTest::mouseClick(form.findChild<QToolButton *>(QStringLiteral("bt_banq_0")), Qt::LeftButton);
    QVERIFY2(told.contains(QStringLiteral("L'essai est parti")), qPrintable(told));
    QVERIFY2(watchdog.unanswered().isEmpty(), qPrintable(watchdog.unanswered().join(QStringLiteral(" | "))));
    QVERIFY(!program.session.hasEnded());

    QVERIFY2(queue.waitForOutput(&why), qPrintable(why));
    const QList<PdfPage> pages = readPdfWords(queue.pdfPath(), &why);
    QVERIFY2(pages.size() == 1, qPrintable(why));
    const PdfPage page = pages.first().as(PageTurn::Landscape);
    QPointF origin;
    QVERIFY2(queue.printableOrigin(true, &origin, &why), qPrintable(why));
    for (const auto &[word, index] : {std::pair<QString, int>{QStringLiteral("****1575.98"), 0},
                                      {QStringLiteral("Dupont"), 2},
                                      {QStringLiteral("Albi"), 4},
                                      {QStringLiteral("08/12/2026"), 6}}) {
        const QList<PdfWord> found = page.find(word);
        QVERIFY2(found.size() == 1, qPrintable(word + QStringLiteral(" in ") + page.texts().join(' ')));
        const double x = origin.x() + (mm[index] - 2) * 56.7;
        const double y = origin.y() + (mm[index + 1] + 1.5) * 56.7;
        QVERIFY2(
            qAbs(found.first().leftTwips() - x) < TenthMillimetreTwips,
            qPrintable(QStringLiteral("%1: left %2, expected %3").arg(word).arg(found.first().leftTwips()).arg(x)));
        QVERIFY2(qAbs(found.first().topTwips() - y) < TenthMillimetreTwips,
                 qPrintable(QStringLiteral("%1: top %2, expected %3").arg(word).arg(found.first().topTwips()).arg(y)));
    }
}

QTEST_MAIN(TestPrintedCheque)
#include "tst_printedcheque.moc"
