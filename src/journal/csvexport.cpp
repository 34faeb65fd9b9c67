#include "journal/journal.h"

#include "journal/journaldesk.h"
#include "platform/textfile.h"

namespace journal {

namespace {

const QChar Separator(QLatin1Char(';'));
const QString LineEnd = QStringLiteral("\r\n");

// Quoted where a spreadsheet would otherwise cut the field: a separator, a
// quote or a line break inside; quotes doubled.
QString field(const QString &text)
{
    if (!text.contains(Separator) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Free text that a spreadsheet would take for a formula ("=…", "+33…",
// "@…", "-…", or one hidden behind a tab or a carriage return) is kept as
// text by a leading apostrophe, which the spreadsheet shows as nothing.
// Amounts are written by decimalComma and never come here: "-12,50" stays a
// number.
QString keptAsText(const QString &typed)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!typed.isEmpty() && formulaStarts.contains(typed.front()))
        return QLatin1Char('\'') + typed;
    return typed;
}

QString chequeNumber(qint64 id)
{
    return id ? QString::number(id) : QString();
}

// "1234,56": no thousands separator, which a spreadsheet would read as text.
QString decimalComma(qint64 cents)
{
    const quint64 magnitude = cents < 0 ? 0 - quint64(cents) : quint64(cents);
    return QStringLiteral("%1%2,%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString line(const QStringList &fields)
{
    QString text;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += Separator;
        text += field(fields[i]);
    }
    return text + LineEnd;
}

} // namespace

platform::Result<int> exportCsv(const Journal &journal, const Filter &filter, const QString &path)
{
    platform::Utf8FileWriter file(path);
    if (const platform::Result<void> opened = file.open(); !opened)
        return opened.failure();
    // The byte-order mark tells the spreadsheet it is UTF-8.
    QString head(QChar(0xFEFF));
    head += line({QStringLiteral("N°"), QStringLiteral("Imprimé le"), QStringLiteral("Date du chèque"),
                  QStringLiteral("Montant"), QStringLiteral("Devise"), QStringLiteral("Banque"),
                  QStringLiteral("Ordre"), QStringLiteral("Lieu"), QStringLiteral("Statut"), QStringLiteral("Remise"),
                  QStringLiteral("Date de remise"), QStringLiteral("Note"), QStringLiteral("Source"),
                  QStringLiteral("Imprimante"),
                  // Added after the first fourteen, which scripts read by position.
                  QStringLiteral("Motif"), QStringLiteral("Remplacé par"), QStringLiteral("Remplace"),
                  QStringLiteral("Caisse"), QStringLiteral("N° de chèque"), QStringLiteral("Ligne CMC7")});
    if (const platform::Result<void> written = file.write(head); !written)
        return written.failure();
    platform::Result<void> written;
    const platform::Result<int> count = journal.forEach(filter, [&](const Entry &entry) {
        const PrintedCheque &cheque = entry.cheque;
        written = file.write(line({
            QString::number(entry.id),
            cheque.printedAt.toString(QStringLiteral("dd/MM/yyyy HH:mm")),
            keptAsText(cheque.date),
            decimalComma(entry.cents),
            QStringLiteral("EUR"),
            keptAsText(cheque.bankName),
            keptAsText(cheque.payee),
            keptAsText(cheque.place),
            statusLabel(entry.status),
            entry.remittance ? QString::number(entry.remittance) : QString(),
            entry.remittanceDate.isValid() ? entry.remittanceDate.toString(QStringLiteral("dd/MM/yyyy")) : QString(),
            keptAsText(entry.note),
            cheque.source == AmountSource::HandedOver ? QStringLiteral("facturation") : QStringLiteral("saisi"),
            keptAsText(cheque.printer),
            keptAsText(reasonGiven(entry)),
            chequeNumber(entry.replacedBy),
            chequeNumber(entry.reprintOf),
            keptAsText(cheque.till),
            cheque.chequeNumber,
            cheque.cmc7,
        }));
        return written.ok();
    });
    if (!count)
        return count.failure();
    if (!written)
        return written.failure();
    if (const platform::Result<void> committed = file.commit(); !committed)
        return committed.failure();
    return *count;
}

} // namespace journal
