#pragma once

#include "journal/journal.h"

#include <QAbstractTableModel>
#include <QList>

namespace journal {

// The cheques of the journal that a filter lets through, newest first, read
// a page at a time as the view scrolls: a journal of years opens at once.
class JournalModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Id, PrintedAt, Date, Amount, Bank, Payee, Standing, Till, ChequeNumber, Note, ColumnCount };
    static constexpr int PageRows = 100;

    explicit JournalModel(const Journal &journal, QObject *parent = nullptr);

    // Starts again from the first row with this filter.
    void setFilter(const Filter &filter);
    const Filter &filter() const { return m_filter; }
    // Reads the rows shown again, as far as they were read.
    void reload();

    const Entry *entryAt(int row) const;
    // Why the journal could not be read, empty when it could.
    QString error() const { return m_error; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    // The whole journal in that order, not the rows read so far.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    // `limit` rows after where the last read ended, or from the first.
    QList<Entry> read(bool fromStart, int limit);

    const Journal &m_journal;
    Filter m_filter;
    Sort m_sort;
    QList<Entry> m_rows;
    std::optional<PageEnd> m_next;
    QString m_error;
};

} // namespace journal
