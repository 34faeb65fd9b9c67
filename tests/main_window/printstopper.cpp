// A till that stops dead at one step of printing a cheque, as a power cut or
// a kill would stop it: printstopper STEP, in a working folder holding a
// bank's layout and a handed-over amount. It prints on the first bank button,
// through a printer that writes the file "page" once the page exists, with
// the journal of the folder, and kills itself at STEP:
//   drawn      the page drawn, not handed over yet
//   written    the cheque written down, the page not handed over yet
//   sent       the page handed over, the print not yet back
//   returned   the print back, the cheque not yet confirmed
//   confirmed  the cheque confirmed
#include "journal/chequerecorder.h"
#include "journal/journal.h"
#include "main_window/chequeprinting.h"
#include "main_window/chequesession.h"
#include "support/fakes.h"
#include "support/scriptedtalk.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>

namespace {

QString stopAt;

void stopIf(const char *step)
{
    if (stopAt == QLatin1String(step))
        std::raise(SIGKILL);
}

class StoppingSurface final : public RecordingSurface
{
protected:
    void doEndDocument(const std::function<void()> &handingOver) override
    {
        stopIf("drawn");
        if (handingOver)
            handingOver();
        stopIf("written");
        QFile page(QStringLiteral("page"));
        if (!page.open(QIODevice::WriteOnly) || page.write("1") != 1)
            std::abort();
        page.close();
        stopIf("sent");
    }
};

class StoppingPrinting final : public platform::PrintingSystem
{
public:
    QStringList printerNames() override { return {QStringLiteral("Comptoir")}; }
    QString defaultPrinterName() override { return QStringLiteral("Comptoir"); }
    platform::PrinterSurface &currentPrinter() override { return m_surface; }
    void selectPrinter(const QString &) override {}

private:
    StoppingSurface m_surface;
};

class StoppingRecorder final : public journal::ChequeRecorder
{
public:
    explicit StoppingRecorder(journal::ChequeRecorder &recorder)
        : m_recorder(recorder)
    {
    }
    platform::Result<qint64> recordHandingOver(const journal::PrintedCheque &cheque) override
    {
        return m_recorder.recordHandingOver(cheque);
    }
    platform::Result<qint64> confirmPrinted(qint64 id, const journal::PrintedCheque &cheque) override
    {
        stopIf("returned");
        const platform::Result<qint64> confirmed = m_recorder.confirmPrinted(id, cheque);
        stopIf("confirmed");
        return confirmed;
    }
    platform::Result<void> markNotPrinted(qint64 id, const QString &why) override
    {
        return m_recorder.markNotPrinted(id, why);
    }
    void setTill(const QString &till) override { m_recorder.setTill(till); }
    platform::Result<journal::Journal::Moved> takeIn(const QString &path) override { return m_recorder.takeIn(path); }

private:
    journal::ChequeRecorder &m_recorder;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    stopAt = QString::fromLatin1(argv[1]);
    FixedClock clock;
    StoppingPrinting printing;
    ScriptedTalk talk;
    journal::JournalRecorder journal(journal::JournalFileName, clock, talk);
    StoppingRecorder recorder(journal);
    main_window::ChequePrinting cheques{{clock, printing, talk, recorder}};
    main_window::ChequeSession session{{clock, printing, talk, cheques}};
    session.startUp();
    session.preparePrinters();
    session.bankClicked(0);
    // Not stopped: what was said is the test's to read.
    for (const QString &said : talk.messages())
        std::fprintf(stderr, "%s\n", said.toUtf8().constData());
    return session.hasEnded() ? 0 : 1;
}
