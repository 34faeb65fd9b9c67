#include "journal/chequerecorder.h"
#include "journal/journal.h"
#include "journal/journaldesk.h"
#include "journal/journalmodel.h"
#include "journal/journalwindow.h"
#include "journal/remittancewindow.h"
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
#include "support/pgserver.h"
#include "support/scriptedtalk.h"
#include "support/workingfolder.h"
#include "window_services/picturebutton.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

// Answers the next prompts, one after the other, with yes.
void answerQuestionsYes(int count, QStringList *seen)
{
    if (count <= 0)
        return;
    answerNextPrompt(
        [count, seen](prompt_dialog::Form97 *dialog) {
            seen->append(dialog->text1->text());
            answerQuestionsYes(count - 1, seen);
            QTest::mouseClick(dialog->command3D[1], Qt::LeftButton);
        },
        nullptr);
}

// The journal's window alone: nothing to print, no bank to offer.
class NoPrinting final : public journal::ChequePrinter
{
public:
    journal::Reprinted printAgain(const journal::PrintedCheque &, const QString &,
                                  const journal::MainWindowValues &) override
    {
        return {};
    }
    platform::PrinterSurface &currentPrinter() override { return m_printer; }
    int sendWaiting() override { return waiting; }

    int waiting = 0; // cheques this till has not sent to the server
    RecordingSurface &printer() { return m_printer; }

private:
    RecordingSurface m_printer;
};

} // namespace

// A shop's day: two cheques printed with the stay-open flag, one found
// spoiled and printed again, and the day's remittance slip printed on the
// real queue and read back.
class TestJournalWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetGlobals(); }
    void printSpoilReprintRemit();
    void slipWaitsForTheServer();
    void settleAnUnconfirmedCheque();
    void anotherTillShowsAtOnce();
};

void TestJournalWindow::printSpoilReprintRemit()
{
    ORMELINE_TEST_QUEUE(queue);
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_ESSAI.txt"), layoutBytes("Banque d'essai", 16));
    folder.write(main_window::SettingsFileName, " 0 \r\n 0 \r\nEuro\r\ncentime\r\nFromagerie Dupont\r\nRodez\r\n");
    folder.write(main_window::PendingChequeFileName, QByteArray(400, ' ') + "     100          T ");

    FixedClock clock{QDate(2026, 12, 8)};
    prompt_dialog::Form97Talk talk;
    journal::JournalRecorder recorder(journal::JournalFileName, clock, talk);
    journal::Journal *const journal = recorder.journal();
    QVERIFY2(journal, qPrintable(recorder.unavailable()));
    ListedPrinting printing({queue.name()});
    main_window::Program program({clock, printing, talk, recorder, &recorder});
    main_window::ChequeSession &session = program.session();
    main_window::Form1 &form = program.window();
    session.startUp();
    session.preparePrinters();
    DialogWatchdog watchdog;
    QString why;

    for (int i = 0; i < 2; ++i) {
        QVERIFY2(queue.removeOutput(&why), qPrintable(why));
        // The second one read at the till first: it is numbered.
        if (i == 1)
            typeKeys(form.Text8, QStringLiteral("A7654321B001234567890C987654321098D"), 2, true);
        QTest::mouseClick(form.findChild<QToolButton *>(QStringLiteral("bt_banq_0")), Qt::LeftButton);
        QVERIFY(!session.hasEnded());
        QVERIFY2(queue.waitForOutput(&why), qPrintable(why));
    }

    QStringList asked;
    QString told;
    bool remitted = false;
    answerNextDialog<journal::JournalWindow>([&](journal::JournalWindow *window) {
        // Today's two cheques, newest first.
        QCOMPARE(window->model().rowCount(), 2);
        QVERIFY2(window->summary->text().startsWith(QStringLiteral("2 chèques")), qPrintable(window->summary->text()));
        window->table->selectRow(1);
        // Spoiled, and a blank cheque fed: two questions.
        answerQuestionsYes(2, &asked);
        QVERIFY2(queue.removeOutput(&why), qPrintable(why));
        QTest::mouseClick(window->reprintButton, Qt::LeftButton);
        QVERIFY2(queue.waitForOutput(&why), qPrintable(why));
        QCOMPARE(window->model().rowCount(), 3);
        QCOMPARE(window->model().index(2, journal::JournalModel::Standing).data().toString(),
                 QStringLiteral("gâché : réimprimé, remplacé par le n° 3"));

        // The money the shop holds; the spoiled cheque counted apart.
        QCOMPARE(window->summary->text(), QStringLiteral("2 chèques, total 200,00\u00a0€ ; hors total : 1 gâché"));
        // A header orders the day: by number, the way its arrow says.
        QTableView *table = window->findChild<QTableView *>(QStringLiteral("table"));
        QHeaderView *header = table->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(journal::JournalModel::Id) + 5, header->height() / 2));
        QCOMPARE(header->sortIndicatorSection(), int(journal::JournalModel::Id));
        const bool ascending = header->sortIndicatorOrder() == Qt::AscendingOrder;
        QCOMPARE(window->model().entryAt(0)->id, ascending ? 1 : 3);
        QCOMPARE(window->model().entryAt(2)->id, ascending ? 3 : 1);
        // The spoiled cheque, picked: only a note is offered now.
        const QModelIndex spoiledState = window->model().index(ascending ? 0 : 2, journal::JournalModel::Standing);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(spoiledState).center());
        for (const char *name : {"reprintButton", "spoiledButton", "cancelButton"})
            QVERIFY2(!window->findChild<QPushButton *>(name)->isEnabled(), name);
        QVERIFY(window->findChild<QPushButton *>("noteButton")->isEnabled());

        answerNextDialog<journal::RemittanceWindow>([&](journal::RemittanceWindow *remittance) {
            remitted = remittance->cheques->count() == 2;
            // A digit mistyped first.
            QTest::keyClicks(remittance->account, QStringLiteral("FR77 3000 6000 0112 3456 7890 189"));
            confirmNextMessage(&told);
            QTest::mouseClick(remittance->printButton, Qt::LeftButton);
            remittance->account->clear();
            QTest::keyClicks(remittance->account, QStringLiteral("FR76 3000 6000 0112 3456 7890 189"));
            QVERIFY2(queue.removeOutput(&why), qPrintable(why));
            QTest::mouseClick(remittance->printButton, Qt::LeftButton);
        });
        QTest::mouseClick(window->remitButton, Qt::LeftButton);
        QCOMPARE(told, QStringLiteral("Le compte « FR77 3000 6000 0112 3456 7890 189 » n'est pas un IBAN valable : les "
                                      "chiffres de contrôle de l'IBAN ne correspondent pas (une erreur de frappe ?)."));
        answerNextDialog<QFileDialog>([&](QFileDialog *files) {
            confirmNextMessage(&told);
            files->selectFile(folder.path(QStringLiteral("jour.csv")));
            static_cast<QDialog *>(files)->accept();
        });
        QTest::mouseClick(window->findChild<QPushButton *>("exportButton"), Qt::LeftButton);
        QCOMPARE(told, QStringLiteral("3 chèques exportés dans « %1 ».").arg(folder.path(QStringLiteral("jour.csv"))));
        // Every state reads whole, on one line; the payee named as on the export.
        QVERIFY(static_cast<QAbstractItemView *>(window->table)->sizeHintForColumn(journal::JournalModel::Standing) <=
                window->table->columnWidth(journal::JournalModel::Standing));
        QVERIFY(!window->table->wordWrap());
        QVERIFY(window->table->horizontalHeader()->length() <= window->table->viewport()->width());
        QCOMPARE(window->model().headerData(journal::JournalModel::Payee, Qt::Horizontal).toString(), "Ordre");

        // A day typed as people write it.
        QTest::mouseClick(window->from, Qt::LeftButton);
        QTest::keyClicks(window->from, QStringLiteral("7/11/2026"));
        QTest::keyClick(window->from, Qt::Key_Return);
        QCOMPARE(window->from->date(), QDate(2026, 11, 7));
        QCOMPARE(window->from->text(), QStringLiteral("07/11/2026"));
        // Found by the number read at the till, whatever the dates.
        auto *const findNumber = window->findChild<QLineEdit *>(QStringLiteral("findNumber"));
        QVERIFY(findNumber->isVisible());
        QTest::keyClicks(findNumber, QStringLiteral("7654321"));
        QTest::keyClick(findNumber, Qt::Key_Return);
        QCOMPARE(window->model().rowCount(), 1);
        QCOMPARE(window->model().index(0, journal::JournalModel::ChequeNumber).data().toString(),
                 QStringLiteral("7654321"));
        QTest::mouseClick(window->closeButton, Qt::LeftButton);
    });
    QTest::mouseClick(form.findChild<QWidget *>(QStringLiteral("bt_journal")), Qt::LeftButton);
    QVERIFY2(watchdog.unanswered().isEmpty(), qPrintable(watchdog.unanswered().join(QLatin1Char('\n'))));
    QCOMPARE(asked.size(), 2);
    QVERIFY(remitted);

    // The journal: the spoiled cheque names its reprint; the other two are deposited.
    const platform::Result<journal::Page> page = journal->page({}, {}, {}, 10);
    QVERIFY(page);
    const QList<journal::Entry> *all = &page->entries;
    QCOMPARE(all->size(), 3);
    const journal::Entry &spoiled = all->at(2);
    QCOMPARE(int(spoiled.status), int(journal::Status::Spoiled));
    QCOMPARE(spoiled.replacedBy, all->at(0).id);
    QCOMPARE(int(all->at(0).status), int(journal::Status::Deposited));
    QCOMPARE(int(all->at(1).status), int(journal::Status::Deposited));
    QCOMPARE(all->at(0).remittance, qint64(1));

    // The slip, read back from the queue.
    QVERIFY2(queue.waitForOutput(&why), qPrintable(why));
    const QList<PdfPage> pages = readPdfWords(queue.pdfPath(), &why);
    QCOMPARE(pages.size(), 1);
    // The page's lines: words at the same height, left to right.
    QMap<int, QMap<double, QString>> rows;
    for (const PdfWord &word : pages.first().words)
        rows[qRound(word.yMin)][word.xMin] = QString(word.text).replace(QChar(0x00a0), QLatin1Char(' '));
    QStringList lines;
    for (const QMap<double, QString> &row : rows)
        lines << QStringList(row.values()).join(QLatin1Char(' '));
    const QString text = lines.join(QLatin1Char('\n'));
    for (const QString &expected :
         {QStringLiteral("Fromagerie Dupont"), QStringLiteral("Rodez"),
          QStringLiteral("Bordereau de remise de chèques"), QStringLiteral("Remise n° 1 du 08/12/2026"),
          QStringLiteral("Compte : FR76 3000 6000 0112 3456 7890 189"),
          QStringLiteral("2 Banque d'essai 100,00 € 7654321"), QStringLiteral("3 Banque d'essai 100,00 €"),
          QStringLiteral("Nombre de chèques : 2"), QStringLiteral("Total 200,00 €"),
          QStringLiteral("Soit : DEUX CENTS EUROS"), QStringLiteral("Signature")})
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral("\n in: ") + text));
}

// A cheque a stopped till left unconfirmed, at another till whose window
// shows it: counted apart until someone says it came out.
void TestJournalWindow::settleAnUnconfirmedCheque()
{
    WorkingFolder folder;
    FixedClock clock{QDate(2026, 12, 8)};
    ScriptedTalk talk;
    journal::JournalRecorder recorder(journal::JournalFileName, clock, talk);
    journal::Journal *const journal = recorder.journal();
    QVERIFY(journal);
    journal::PrintedCheque cheque;
    cheque.printedAt = clock.now().addSecs(-3600);
    cheque.date = QStringLiteral("08/12/2026");
    cheque.amount = QStringLiteral("401.01");
    cheque.bankName = QStringLiteral("Banque de Test");
    QVERIFY(journal->record(cheque));
    cheque.printedAt = clock.now().addSecs(-60);
    QVERIFY(journal->recordHandingOver(cheque));
    NoPrinting printing;
    journal::JournalDesk desk(*journal, {}, printing, talk, clock);
    journal::JournalWindow window(desk);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.summary->text(), QStringLiteral("1 chèque, total 401,01\u00a0€ ; hors total : 1 à vérifier"));
    QTableView *table = window.findChild<QTableView *>(QStringLiteral("table"));
    const QModelIndex left = window.model().index(0, journal::JournalModel::Standing);
    QCOMPARE(left.data().toString(), QStringLiteral("à vérifier"));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(left).center());
    QPushButton *settle = window.findChild<QPushButton *>(QStringLiteral("settleButton"));
    QVERIFY(settle->isEnabled());
    for (const char *name : {"reprintButton", "spoiledButton", "cancelButton"})
        QVERIFY2(!window.findChild<QPushButton *>(name)->isEnabled(), name);
    talk.yes();
    QTest::mouseClick(settle, Qt::LeftButton);
    QVERIFY(talk.scriptDone());
    QVERIFY(talk.seen().first().message.endsWith(
        QStringLiteral("Le chèque de 401,01\u00a0€ sur Banque de Test, à 9 h 59, est-il sorti ?")));
    QCOMPARE(window.model().index(0, journal::JournalModel::Standing).data().toString(), QStringLiteral("imprimé"));
    QCOMPARE(window.summary->text(), QStringLiteral("2 chèques, total 802,02\u00a0€"));
    QVERIFY(!settle->isEnabled());
}

// A till with cheques the shared journal's server does not have yet makes
// no slip: it would leave them out.
void TestJournalWindow::slipWaitsForTheServer()
{
    QTemporaryDir dir;
    FixedClock clock{QDate(2026, 12, 8)};
    auto opened = journal::Journal::open(dir.filePath(journal::JournalFileName), clock);
    QVERIFY2(opened, qPrintable(opened.error()));
    journal::Journal &journal = *opened->journal;
    journal::PrintedCheque cheque;
    cheque.printedAt = clock.now();
    cheque.amount = QStringLiteral("12.00");
    cheque.bankName = QStringLiteral("Banque");
    QVERIFY(journal.record(cheque));
    NoPrinting printer;
    printer.waiting = 2;
    prompt_dialog::Form97Talk talk;
    journal::JournalDesk desk(journal, {}, printer, talk, clock);
    journal::JournalWindow window(desk);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QString told;
    answerNextDialog<journal::RemittanceWindow>([&](journal::RemittanceWindow *remittance) {
        QCOMPARE(remittance->cheques->count(), 1);
        QTest::keyClicks(remittance->account, QStringLiteral("FR76 3000 6000 0112 3456 7890 189"));
        confirmNextMessage(&told);
        QTest::mouseClick(remittance->printButton, Qt::LeftButton);
        remittance->reject();
    });
    QTest::mouseClick(window.remitButton, Qt::LeftButton);
    QCOMPARE(told, QStringLiteral("La remise n'est pas faite : 2 chèques imprimés sur cette caisse ne sont pas encore "
                                  "arrivés au serveur du journal.\n\nCette caisse l'envoie dès qu'il répond ; faites "
                                  "la remise ensuite."));
    QCOMPARE(journal.undeposited()->size(), 1);
    QCOMPARE(printer.printer().documentsEnded(), 0);
}

// Two tills on one server: what the other prints, spoils and remits shows in
// this one's open window without a click, and its cheques are told apart.
void TestJournalWindow::anotherTillShowsAtOnce()
{
    ORMELINE_TEST_PG(server);
    QString why;
    const QString database = server.freshDatabase(&why);
    QVERIFY2(!database.isEmpty(), qPrintable(why));
    FixedClock clock{QDate(2026, 12, 8)};
    const auto open = [&](const QString &role, const QString &till) {
        auto opened = journal::Journal::openServer(
            *journal::ServerAddress::parse(server.connectionString(role, database)), till, clock);
        if (!opened)
            qWarning() << opened.error();
        return opened ? std::move(opened).value() : nullptr;
    };
    QVERIFY(open(server.owner(), QString()));
    auto here = open(server.user(), QStringLiteral("Caisse 1"));
    auto other = open(server.user(), QStringLiteral("Caisse 2"));
    QVERIFY(here && other);
    journal::PrintedCheque cheque;
    cheque.amount = QStringLiteral("12.00");
    cheque.bankName = QStringLiteral("Banque");
    QVERIFY(here->record(cheque));

    NoPrinting printer;
    prompt_dialog::Form97Talk talk;
    journal::JournalDesk desk(*here, {}, printer, talk, clock);
    journal::JournalWindow window(desk);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *const tills = window.findChild<QComboBox *>(QStringLiteral("tillFilter"));
    QVERIFY(tills);
    // One till: nothing to tell apart.
    QVERIFY(!tills->isVisible());
    QCOMPARE(window.model().rowCount(), 1);

    const auto printed = other->record(cheque);
    QVERIFY(printed && other->record(cheque));
    QTRY_COMPARE_WITH_TIMEOUT(window.model().rowCount(), 3, 2000);
    QVERIFY(tills->isVisible());
    QVERIFY(!window.table->isColumnHidden(journal::JournalModel::Till));
    tills->setFocus();
    QTest::keyClick(tills, Qt::Key_Down);
    QTest::keyClick(tills, Qt::Key_Down);
    QCOMPARE(tills->currentText(), QStringLiteral("Caisse 2"));
    QCOMPARE(window.model().rowCount(), 2);
    QCOMPARE(window.model().index(0, journal::JournalModel::Till).data().toString(), QStringLiteral("Caisse 2"));

    const auto stateOf = [&window](qint64 id) {
        for (int row = 0; row < window.model().rowCount(); ++row) {
            if (window.model().entryAt(row)->id == id)
                return window.model().index(row, journal::JournalModel::Standing).data().toString();
        }
        return QString();
    };
    QVERIFY(other->markSpoiled(*printed, QStringLiteral("taché")));
    QTRY_COMPARE_WITH_TIMEOUT(stateOf(*printed), QStringLiteral("gâché : taché"), 2000);
    QVERIFY(other->deposit({*printed + 1}, clock.today(), QString()));
    QTRY_VERIFY_WITH_TIMEOUT(stateOf(*printed + 1).startsWith(QStringLiteral("remis (remise 1 du 08/12/2026)")), 2000);
}

QTEST_MAIN(TestJournalWindow)
#include "tst_journalwindow.moc"
