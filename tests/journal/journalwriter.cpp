// A second program recording into a journal: journalwriter PATH COUNT, or
// journalwriter ADDRESS COUNT TILL for a journal on a server (another
// till). Prints each id recorded; on a failure, says why on stderr and
// exits 1. journalwriter ADDRESS remit TILL ID... puts those cheques on a
// slip instead, as the remittance window does: the slip's number held,
// the slip "printed" (a pause), the cheques deposited; prints the number. journalwriter OUTBOX fill COUNT TILL
// puts COUNT printed cheques in a till's outbox, and journalwriter OUTBOX
// send ADDRESS sends that outbox to the server, as a till does.
#include "journal/journal.h"
#include "journal/outbox.h"
#include "platform/clock.h"

#include <QCoreApplication>
#include <QThread>
#include <QUuid>

#include <cstdio>

namespace {

int failed(const QString &why)
{
    std::fprintf(stderr, "%s\n", why.toUtf8().constData());
    return 1;
}

int outbox(int argc, char *argv[])
{
    platform::SystemClock clock;
    auto opened = journal::Outbox::open(QString::fromLocal8Bit(argv[1]));
    if (!opened)
        return failed(opened.error());
    journal::Outbox &box = **opened;
    if (QLatin1String(argv[2]) == QLatin1String("fill")) {
        if (argc != 5)
            return 2;
        const int count = QString::fromLatin1(argv[3]).toInt();
        for (int i = 0; i < count; ++i) {
            journal::PrintedCheque cheque;
            cheque.printedAt = clock.now();
            cheque.date = QStringLiteral("09/12/2026");
            cheque.amount = QStringLiteral("%1.00").arg(i + 1);
            cheque.payee = QStringLiteral("Épicerie");
            cheque.bankName = QStringLiteral("Banque");
            cheque.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
            cheque.till = QString::fromLocal8Bit(argv[4]);
            if (const auto put = box.put({cheque, journal::Journal::Outcome::Printed, clock.now(), QString()}); !put)
                return failed(put.error());
        }
        return 0;
    }
    const auto address = journal::ServerAddress::parse(QString::fromLocal8Bit(argv[3]));
    if (!address)
        return failed(address.error());
    auto server = journal::Journal::openServer(*address, QString(), clock);
    if (!server)
        return failed(server.error());
    const auto sent = box.sendTo(**server, [](const QString &, qint64 id) {
        std::printf("%lld\n", static_cast<long long>(id));
        std::fflush(stdout);
    });
    return sent ? 0 : failed(sent.error());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc >= 4 &&
        (QLatin1String(argv[2]) == QLatin1String("fill") || QLatin1String(argv[2]) == QLatin1String("send")))
        return outbox(argc, argv);
    const bool remit = argc >= 5 && QLatin1String(argv[2]) == QLatin1String("remit");
    if (argc != 3 && argc != 4 && !remit)
        return 2;
    platform::SystemClock clock;
    const QString where = QString::fromLocal8Bit(argv[1]);
    std::unique_ptr<journal::Journal> journal;
    if (argc >= 4) {
        const auto address = journal::ServerAddress::parse(where);
        auto opened = address ? journal::Journal::openServer(*address, QString::fromLocal8Bit(argv[3]), clock)
                              : platform::Result<std::unique_ptr<journal::Journal>>(address.failure());
        if (!opened) {
            std::fprintf(stderr, "%s\n", opened.error().toUtf8().constData());
            return 1;
        }
        journal = std::move(opened).value();
    } else {
        auto opened = journal::Journal::open(where, clock);
        if (!opened) {
            std::fprintf(stderr, "%s\n", opened.error().toUtf8().constData());
            return 1;
        }
        journal = std::move(std::move(opened).value().journal);
    }
    if (remit) {
        QList<qint64> ids;
        for (int i = 4; i < argc; ++i)
            ids << QString::fromLatin1(argv[i]).toLongLong();
        auto turn = journal->takeRemittanceTurn(20000);
        if (!turn)
            return failed(turn.error());
        const auto waiting = journal->undeposited();
        if (!waiting)
            return failed(waiting.error());
        int found = 0;
        for (const journal::Entry &entry : *waiting)
            found += ids.contains(entry.id) ? 1 : 0;
        if (found != ids.size())
            return failed(QStringLiteral("cheques already deposited"));
        QThread::msleep(300);
        const auto made = journal->deposit(ids, QDate(2026, 12, 9), QString());
        if (!made)
            return failed(made.error());
        if (made->number != turn->number())
            return failed(QStringLiteral("slip printed as %1, deposited as %2").arg(turn->number()).arg(made->number));
        std::printf("%lld\n", static_cast<long long>(made->number));
        return 0;
    }
    journal::PrintedCheque cheque;
    cheque.date = QStringLiteral("09/12/2026");
    cheque.amount = QStringLiteral("10.50");
    cheque.payee = QStringLiteral("Épicerie");
    cheque.bankName = QStringLiteral("Banque");
    const int count = QString::fromLatin1(argv[2]).toInt();
    for (int i = 0; i < count; ++i) {
        const platform::Result<qint64> id = journal->record(cheque);
        if (!id) {
            std::fprintf(stderr, "%s\n", id.error().toUtf8().constData());
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(*id));
        std::fflush(stdout);
    }
    return 0;
}
