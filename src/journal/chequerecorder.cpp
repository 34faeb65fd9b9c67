#include "journal/chequerecorder.h"

namespace journal {

platform::Result<qint64> JournalRecorder::record(const PrintedCheque &cheque)
{
    if (!m_journal) {
        return platform::fail(m_unavailable.isEmpty() ? QStringLiteral("le journal des chèques n'est pas ouvert")
                                                      : m_unavailable);
    }
    return m_journal->record(cheque);
}

QString notRecordedMessage(const PrintedCheque &cheque, const QString &why)
{
    return QStringLiteral("Le chèque de %1 € a été imprimé, mais il n'est pas inscrit dans le journal des chèques "
                          "(%2).\n\nNotez-le à la main : il ne figurera ni dans le journal ni sur la remise en "
                          "banque.")
        .arg(cheque.amount, why);
}

} // namespace journal
