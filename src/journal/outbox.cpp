#include "journal/outbox.h"

#include "journal/connection.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>

namespace journal {

namespace {

const QString TimeFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz");

QString timeText(const QDateTime &at)
{
    return at.toString(TimeFormat);
}

QDateTime timeOf(const QString &text)
{
    return QDateTime::fromString(text, TimeFormat);
}

QString outcomeCode(Journal::Outcome outcome)
{
    switch (outcome) {
    case Journal::Outcome::HandedOver:
        return QStringLiteral("handed-over");
    case Journal::Outcome::Printed:
        return QStringLiteral("printed");
    case Journal::Outcome::NotPrinted:
        return QStringLiteral("not-printed");
    }
    return QString();
}

std::optional<Journal::Outcome> outcomeOf(const QString &code)
{
    for (const Journal::Outcome outcome :
         {Journal::Outcome::HandedOver, Journal::Outcome::Printed, Journal::Outcome::NotPrinted}) {
        if (outcomeCode(outcome) == code)
            return outcome;
    }
    return std::nullopt;
}

QString chequeText(const PrintedCheque &cheque)
{
    const QJsonObject object{
        {QStringLiteral("printedAt"), timeText(cheque.printedAt)},
        {QStringLiteral("date"), cheque.date},
        {QStringLiteral("amount"), cheque.amount},
        {QStringLiteral("wordsLine1"), cheque.wordsLine1},
        {QStringLiteral("wordsLine2"), cheque.wordsLine2},
        {QStringLiteral("payee"), cheque.payee},
        {QStringLiteral("place"), cheque.place},
        {QStringLiteral("bankName"), cheque.bankName},
        {QStringLiteral("layoutFile"), cheque.layoutFile},
        {QStringLiteral("printer"), cheque.printer},
        {QStringLiteral("handedOver"), cheque.source == AmountSource::HandedOver},
        {QStringLiteral("uuid"), cheque.uuid},
        {QStringLiteral("till"), cheque.till},
        {QStringLiteral("chequeNumber"), cheque.chequeNumber},
        {QStringLiteral("cmc7"), cheque.cmc7},
    };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

std::optional<PrintedCheque> chequeOf(const QString &text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const auto text_ = [&](const char *key) { return object.value(QLatin1String(key)).toString(); };
    PrintedCheque cheque;
    cheque.printedAt = timeOf(text_("printedAt"));
    cheque.date = text_("date");
    cheque.amount = text_("amount");
    cheque.wordsLine1 = text_("wordsLine1");
    cheque.wordsLine2 = text_("wordsLine2");
    cheque.payee = text_("payee");
    cheque.place = text_("place");
    cheque.bankName = text_("bankName");
    cheque.layoutFile = text_("layoutFile");
    cheque.printer = text_("printer");
    cheque.source = object.value(QLatin1String("handedOver")).toBool() ? AmountSource::HandedOver : AmountSource::Typed;
    cheque.uuid = text_("uuid");
    cheque.till = text_("till");
    cheque.chequeNumber = text_("chequeNumber");
    cheque.cmc7 = text_("cmc7");
    if (cheque.uuid.isEmpty() || !cheque.printedAt.isValid())
        return std::nullopt;
    return cheque;
}

platform::Failure failed(const QSqlQuery &query, const QString &path)
{
    return platform::fail(
        QStringLiteral("la file d'attente « %1 » des chèques pour le serveur a refusé l'opération : %2")
            .arg(path, query.lastError().text().trimmed()));
}

} // namespace

Outbox::~Outbox() = default;

platform::Result<std::unique_ptr<Outbox>> Outbox::open(const QString &path)
{
    std::unique_ptr<Outbox> outbox(new Outbox());
    outbox->m_path = path;
    outbox->m_connection = std::make_unique<Connection>(path, false);
    QSqlDatabase &db = outbox->m_connection->db();
    if (!db.isValid())
        return platform::fail(QStringLiteral("le pilote SQLite de Qt est absent (paquet libqt6sql6-sqlite)"));
    if (!db.open()) {
        return platform::fail(QStringLiteral("la file d'attente « %1 » des chèques pour le serveur ne peut pas être "
                                             "ouverte : %2")
                                  .arg(path, db.lastError().text().trimmed()));
    }
    QSqlQuery query(db);
    // A letter is on the disk before the page it speaks of goes to the
    // printer.
    for (const QString &statement :
         {QStringLiteral("PRAGMA journal_mode=WAL"), QStringLiteral("PRAGMA synchronous=FULL"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS letters ("
                         " seq INTEGER PRIMARY KEY AUTOINCREMENT,"
                         " uuid TEXT NOT NULL UNIQUE,"
                         " cheque TEXT NOT NULL,"
                         " outcome TEXT NOT NULL,"
                         " at TEXT NOT NULL,"
                         " detail TEXT NOT NULL DEFAULT '')")}) {
        if (!query.exec(statement))
            return failed(query, path);
    }
    return outbox;
}

platform::Result<void> Outbox::put(const Letter &letter)
{
    if (letter.cheque.uuid.isEmpty())
        return platform::fail(QStringLiteral("un chèque sans identité ne peut pas attendre le serveur"));
    QSqlQuery query(m_connection->db());
    // Its place in the order stays the one of its first letter.
    query.prepare(QStringLiteral("INSERT INTO letters (uuid, cheque, outcome, at, detail) VALUES (?, ?, ?, ?, ?)"
                                 " ON CONFLICT (uuid) DO UPDATE SET cheque = excluded.cheque,"
                                 " outcome = excluded.outcome, at = excluded.at, detail = excluded.detail"));
    query.addBindValue(letter.cheque.uuid);
    query.addBindValue(chequeText(letter.cheque));
    query.addBindValue(outcomeCode(letter.outcome));
    query.addBindValue(timeText(letter.at));
    query.addBindValue(letter.detail.isNull() ? QStringLiteral("") : letter.detail);
    if (!query.exec())
        return failed(query, m_path);
    return {};
}

platform::Result<int> Outbox::count() const
{
    QSqlQuery query(m_connection->db());
    if (!query.exec(QStringLiteral("SELECT count(*) FROM letters")) || !query.next())
        return failed(query, m_path);
    return query.value(0).toInt();
}

platform::Result<QList<Outbox::Letter>> Outbox::letters() const
{
    QSqlQuery query(m_connection->db());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT cheque, outcome, at, detail FROM letters ORDER BY seq")))
        return failed(query, m_path);
    QList<Letter> letters;
    while (query.next()) {
        const std::optional<PrintedCheque> cheque = chequeOf(query.value(0).toString());
        const std::optional<Journal::Outcome> outcome = outcomeOf(query.value(1).toString());
        if (!cheque || !outcome) {
            return platform::fail(
                QStringLiteral("la file d'attente « %1 » des chèques pour le serveur tient une ligne illisible")
                    .arg(m_path));
        }
        letters << Letter{*cheque, *outcome, timeOf(query.value(2).toString()), query.value(3).toString()};
    }
    return letters;
}

platform::Result<void> Outbox::sendTo(Journal &journal, const std::function<void(const QString &, qint64)> &sent)
{
    const platform::Result<QList<Letter>> waiting = letters();
    if (!waiting)
        return waiting.failure();
    for (const Letter &letter : *waiting) {
        const platform::Result<qint64> delivered =
            journal.deliver(letter.cheque, letter.outcome, letter.at, letter.detail);
        if (!delivered)
            return delivered.failure();
        QSqlQuery query(m_connection->db());
        // Only the letter sent: another outcome put meanwhile still waits.
        query.prepare(QStringLiteral("DELETE FROM letters WHERE uuid = ? AND outcome = ?"));
        query.addBindValue(letter.cheque.uuid);
        query.addBindValue(outcomeCode(letter.outcome));
        if (!query.exec())
            return failed(query, m_path);
        if (sent)
            sent(letter.cheque.uuid, *delivered);
    }
    return {};
}

} // namespace journal
