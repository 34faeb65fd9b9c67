// The hand-over record file as the invoicing program may leave it: taking the
// cheque rewrites record 21 and nothing else.
#include "fuzzing.h"

#include "main_window/pendingcheque.h"
#include "platform/recordfile.h"

using namespace main_window;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray before = fuzzing::bytes(data, size);
    fuzzing::folder().write(PendingChequeFileName, before);

    TakenCheque taken;
    {
        platform::RecordFile file;
        if (!file.open(fuzzing::folder().path(PendingChequeFileName), PendingRecordLength))
            return 0;
        taken = takePendingCheque(file);
    }
    const QByteArray after = fuzzing::folder().read(PendingChequeFileName);

    constexpr qsizetype start = qsizetype(PendingRecordNumber - 1) * PendingRecordLength;
    constexpr qsizetype end = start + PendingRecordLength;
    fuzzing::check(taken.marked.ok(), "le prélèvement marque l'enregistrement 21", taken.marked.error());
    fuzzing::check(after.size() == qMax(before.size(), end),
                   "le fichier ne grandit que jusqu'à la fin de l'enregistrement 21", QString::number(after.size()));
    // Bytes the file did not have before record 21 read back as zeros; the
    // ones it had are untouched on both sides of the record.
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (i >= start && i < end)
            continue;
        const char expected = i < before.size() ? before.at(i) : '\0';
        fuzzing::check(after.at(i) == expected, "aucun octet hors de l'enregistrement 21 ne change",
                       QStringLiteral("octet %1").arg(i));
    }
    fuzzing::check(after.mid(start, PendingRecordLength) == takenRecord(), "l'enregistrement 21 est marqué « ---- »");

    // The amount field holds at most the record's characters 6 to 20, and
    // never the blanks around them.
    const QString &amount = taken.cheque.amount;
    fuzzing::check(amount.size() <= (taken.cheque.keepOpen ? 13 : 15), "le montant tient dans ses caractères", amount);
    fuzzing::check(amount == amount.trimmed(), "le montant est sans blancs autour", amount);
    return 0;
}
