#include "journal/journalmodel.h"

#include "journal/journaldesk.h"

#include <algorithm>

namespace journal {

JournalModel::JournalModel(const Journal &journal, QObject *parent)
    : QAbstractTableModel(parent)
    , m_journal(journal)
{
}

QList<Entry> JournalModel::read(bool fromStart, int limit)
{
    const platform::Result<Page> rows = m_journal.page(m_filter, m_sort, fromStart ? std::nullopt : m_next, limit);
    if (!rows) {
        m_error = rows.error();
        m_next.reset();
        return {};
    }
    m_error.clear();
    m_next = rows->next;
    return rows->entries;
}

void JournalModel::setFilter(const Filter &filter)
{
    beginResetModel();
    m_filter = filter;
    m_rows = read(true, PageRows);
    endResetModel();
}

void JournalModel::reload()
{
    beginResetModel();
    m_rows = read(true, std::max(PageRows, int(m_rows.size())));
    endResetModel();
}

void JournalModel::sort(int column, Qt::SortOrder order)
{
    static const SortKey keys[ColumnCount] = {
        SortKey::Id,    SortKey::PrintedAt, SortKey::ChequeDate, SortKey::Amount,       SortKey::Bank,
        SortKey::Payee, SortKey::Standing,  SortKey::Till,       SortKey::ChequeNumber, SortKey::Note};
    if (column < 0 || column >= ColumnCount)
        return;
    beginResetModel();
    m_sort = Sort{keys[column], order == Qt::DescendingOrder};
    m_rows = read(true, PageRows);
    endResetModel();
}

const Entry *JournalModel::entryAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? &m_rows[row] : nullptr;
}

int JournalModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int JournalModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JournalModel::data(const QModelIndex &index, int role) const
{
    const Entry *entry = entryAt(index.row());
    if (!entry)
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == Amount)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Id:
        return QString::number(entry->id);
    case PrintedAt:
        return entry->cheque.printedAt.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    case Date:
        return entry->cheque.date;
    case Amount:
        return frenchEuros(entry->cents);
    case Bank:
        return entry->cheque.bankName;
    case Payee:
        return entry->cheque.payee;
    case Standing:
        return standing(*entry);
    case Note:
        return entry->note;
    case Till:
        return entry->cheque.till;
    case ChequeNumber:
        return entry->cheque.chequeNumber;
    default:
        return {};
    }
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList titles{
        QStringLiteral("N°"),           QStringLiteral("Imprimé le"), QStringLiteral("Date"), QStringLiteral("Montant"),
        QStringLiteral("Banque"),       QStringLiteral("Ordre"),      QStringLiteral("État"), QStringLiteral("Caisse"),
        QStringLiteral("N° de chèque"), QStringLiteral("Note")};
    return titles.value(section);
}

bool JournalModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_next.has_value();
}

void JournalModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || !m_next)
        return;
    const QList<Entry> more = read(false, PageRows);
    if (more.isEmpty())
        return;
    beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size() + more.size()) - 1);
    m_rows += more;
    endInsertRows();
}

} // namespace journal
