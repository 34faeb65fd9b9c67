// A second program using the journal while the tests do: records COUNT
// cheques (0: until killed) into the journal at PATH, one transaction each.
#include "journal/journal.h"
#include "platform/clock.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const QString tag = args[3];
    const int count = args[2].toInt();
    platform::SystemClock clock;
    QTextStream err(stderr);
    platform::Result<journal::Journal::Opened> opened = journal::Journal::open(args[1], clock);
    if (!opened) {
        err << opened.error() << Qt::endl;
        return 1;
    }
    QTextStream out(stdout);
    for (int i = 0; count == 0 || i < count; ++i) {
        journal::PrintedCheque cheque;
        cheque.date = QStringLiteral("07/03/2026");
        cheque.amount = QStringLiteral("%1.%2").arg(i + 1).arg(i % 100, 2, 10, QLatin1Char('0'));
        cheque.payee = QStringLiteral("%1 n° %2").arg(tag).arg(i);
        cheque.bankName = tag;
        const platform::Result<qint64> id = opened->journal->record(cheque);
        if (!id) {
            err << id.error() << Qt::endl;
            return 1;
        }
        out << *id << Qt::endl;
    }
    return 0;
}
