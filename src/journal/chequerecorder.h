#pragma once

#include "journal/journal.h"

namespace journal {

// Where a printed cheque is written down, once the printing system has
// accepted it and before the program may end.
class ChequeRecorder
{
public:
    virtual ~ChequeRecorder() = default;
    // Gives the cheque's id in the journal, or why it is not in it.
    virtual platform::Result<qint64> record(const PrintedCheque &cheque) = 0;
};

// The recorder of the program: the journal of the working folder, or the
// reason it could not be opened, which each cheque printed then gives.
class JournalRecorder final : public ChequeRecorder
{
public:
    void setJournal(Journal *journal) { m_journal = journal; }
    void setUnavailable(const QString &why) { m_unavailable = why; }
    Journal *journal() const { return m_journal; }

    platform::Result<qint64> record(const PrintedCheque &cheque) override;

private:
    Journal *m_journal = nullptr;
    QString m_unavailable;
};

// What the user is told when a printed cheque could not be recorded.
QString notRecordedMessage(const PrintedCheque &cheque, const QString &why);

} // namespace journal
