// A second program recording into a journal: journalwriter PATH COUNT.
// Prints each id recorded; on a failure, says why on stderr and exits 1.
#include "journal/journal.h"
#include "platform/clock.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    platform::SystemClock clock;
    auto opened = journal::Journal::open(QString::fromLocal8Bit(argv[1]), clock);
    if (!opened) {
        std::fprintf(stderr, "%s\n", opened.error().toUtf8().constData());
        return 1;
    }
    journal::PrintedCheque cheque;
    cheque.date = QStringLiteral("09/12/2026");
    cheque.amount = QStringLiteral("10.50");
    cheque.payee = QStringLiteral("Épicerie");
    cheque.bankName = QStringLiteral("Banque");
    const int count = QString::fromLatin1(argv[2]).toInt();
    for (int i = 0; i < count; ++i) {
        const platform::Result<qint64> id = opened->journal->record(cheque);
        if (!id) {
            std::fprintf(stderr, "%s\n", id.error().toUtf8().constData());
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(*id));
        std::fflush(stdout);
    }
    return 0;
}
