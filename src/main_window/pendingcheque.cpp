#include "main_window/pendingcheque.h"

#include "platform/textfile.h"

namespace main_window {

PendingCheque parsePendingRecord(const QByteArray &record)
{
    PendingCheque cheque;
    if (record.size() < PendingRecordLength)
        return cheque;
    QByteArray bytes = record.left(PendingRecordLength);
    // Bytes the file never had read back as zeros: they are blanks to us.
    bytes.replace('\0', ' ');
    const QString text = platform::decode1252(bytes);
    cheque.keepOpen = text.at(18) == QLatin1Char('T');
    // The flag stands among the amount's characters: it is not part of it.
    cheque.amount = text.mid(5, cheque.keepOpen ? 13 : 15).trimmed();
    return cheque;
}

QByteArray takenRecord()
{
    return QByteArray("----").leftJustified(PendingRecordLength, ' ');
}

TakenCheque takePendingCheque(platform::RecordFile &file)
{
    TakenCheque taken;
    taken.cheque = parsePendingRecord(file.read(PendingRecordNumber).valueOr(QByteArray()));
    taken.marked = file.write(PendingRecordNumber, takenRecord());
    return taken;
}

} // namespace main_window
