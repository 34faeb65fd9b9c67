#include "main_window/chequesession.h"
#include "main_window/form1.h"
#include "main_window/program.h"
#include "platform/printingsystem.h"
#include "printer_choice/printerassignments.h"
#include "prompt_dialog/form97talk.h"
#include "support/cupsqueue.h"
#include "support/fakes.h"
#include "support/globals.h"
#include "support/layoutbytes.h"
#include "support/workingfolder.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <unistd.h>

using main_window::Form1;

namespace {

bool run(const QString &program, const QStringList &arguments, QString *why)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        *why = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) + QStringLiteral(": ") +
               QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    return true;
}

// Picks an entry the way a person does: the keyboard on the list.
void pick(QComboBox *list, const QString &name)
{
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < list->count() && list->currentText() != name; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

} // namespace

// The printer picked in the main window's list gets the cheques, and is the
// one selected again at the next start; with nothing picked yet, the system's
// default printer is.
class TestPrinterPick : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pickedQueueReceivesTheCheque();
};

void TestPrinterPick::pickedQueueReceivesTheCheque()
{
    ORMELINE_TEST_QUEUE(queue);
    if (geteuid() != 0)
        QSKIP("adding a second CUPS queue needs root");

    // A second queue of our own, writing elsewhere.
    QTemporaryDir out;
    QVERIFY(out.isValid());
    QFile::setPermissions(out.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::WriteOther | QFile::ExeOther);
    const QString secondName = QStringLiteral("OrmelineTest2_%1").arg(getpid());
    const QString secondPdf = out.filePath(QStringLiteral("second.pdf"));
    QString why;
    QVERIFY2(run(QStringLiteral("lpadmin"),
                 {QStringLiteral("-p"), secondName, QStringLiteral("-E"), QStringLiteral("-v"),
                  QStringLiteral("file://") + secondPdf, QStringLiteral("-m"),
                  QStringLiteral("lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd")},
                 &why),
             qPrintable(why));
    const auto removeSecond = qScopeGuard([&] {
        QString ignored;
        run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), secondName}, &ignored);
    });

    // The second queue is the system's default for this program.
    qputenv("PRINTER", secondName.toUtf8());
    const auto noDefault = qScopeGuard([] { qunsetenv("PRINTER"); });

    WorkingFolder folder;
    folder.write(QStringLiteral("bq_A.txt"), layoutBytes());
    folder.write(QStringLiteral("provchq.wdo"), QByteArray(400, ' ') + "     12.5           ");
    resetGlobals();
    QVERIFY2(queue.removeOutput(&why), qPrintable(why));
    const auto stored = [] {
        return printer_choice::PrinterAssignments().lookup(QStringLiteral("IMP_CHQ_FACT")).valueOr(QStringLiteral("?"));
    };

    FixedClock clock;
    MemoryRecorder recorder;
    prompt_dialog::Form97Talk talk;
    int queueIndex = -1;
    {
        platform::QtPrintingSystem printing;
        main_window::Program program({clock, printing, talk, recorder});
        main_window::ChequeSession &session = program.session();
        Form1 &form = program.window();
        auto *const printers = form.findChild<QComboBox *>(QStringLiteral("CbPrinters"));
        session.startUp();
        session.preparePrinters();
        const QStringList installed = printing.printerNames();
        QStringList listed;
        for (int i = 0; i < printers->count(); ++i)
            listed << printers->itemText(i);
        QCOMPARE(listed, installed.mid(0, 21));
        queueIndex = int(listed.indexOf(queue.name()));
        const int secondIndex = int(listed.indexOf(secondName));
        QVERIFY(queueIndex >= 0 && secondIndex >= 0);
        // Nothing stored yet: the system's default printer is current, and
        // the lookup has created the file without writing into it.
        QCOMPARE(printers->currentIndex(), secondIndex);
        QCOMPARE(printing.currentPrinter().printerName(), secondName);
        QCOMPARE(folder.read(QStringLiteral("WFICP_IA.WDO")).size(), 0);

        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // Picking the printer already shown keeps it.
        printers->showPopup();
        QTest::keyClick(printers->view(), Qt::Key_Return);
        QCOMPARE(stored(), QStringLiteral("%1").arg(secondIndex, 2, 10, QLatin1Char('0')));

        pick(printers, queue.name());
        QCOMPARE(printers->currentText(), queue.name());
        QCOMPARE(stored(), QStringLiteral("%1").arg(queueIndex, 2, 10, QLatin1Char('0')));

        QTest::mouseClick(form.findChild<QToolButton *>(QStringLiteral("bt_banq_0")), Qt::LeftButton);
        QVERIFY(session.hasEnded());
    }
    QVERIFY2(queue.waitForOutput(&why), qPrintable(why));
    QVERIFY2(!QFile::exists(secondPdf), "the cheque went to the default queue too");

    // The next start selects the picked printer again, default or not.
    platform::QtPrintingSystem printing;
    main_window::Program program({clock, printing, talk, recorder});
    main_window::ChequeSession &session = program.session();
    Form1 &again = program.window();
    session.startUp();
    session.preparePrinters();
    QCOMPARE(again.findChild<QComboBox *>(QStringLiteral("CbPrinters"))->currentIndex(), queueIndex);
    QCOMPARE(printing.currentPrinter().printerName(), queue.name());
}

QTEST_MAIN(TestPrinterPick)
#include "tst_printerpick.moc"
