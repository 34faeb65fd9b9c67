// A second program recording into a journal: journalwriter PATH COUNT, or
// journalwriter ADDRESS COUNT TILL for a journal on a server (another
// till). Prints each id recorded; on a failure, says why on stderr and
// exits 1. journalwriter ADDRESS remit TILL ID... puts those cheques on a
// slip instead, and prints its number.
#include "journal/journal.h"
#include "platform/clock.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
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
        const auto made = journal->deposit(ids, QDate(2026, 12, 9), QString());
        if (!made) {
            std::fprintf(stderr, "%s\n", made.error().toUtf8().constData());
            return 1;
        }
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
