#include "journal/journaldesk.h"

#include "journal/chequerecorder.h"
#include "journal/remittanceslip.h"
#include "platform/clock.h"
#include "platform/printersurface.h"
#include "prompt_dialog/usertalk.h"

#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace journal {

namespace {

QString day(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

// An account identifier that starts as an IBAN does (country, check
// digits) is taken for one and must carry sound check digits.
bool looksLikeIban(const QString &account)
{
    static const QRegularExpression start(QStringLiteral("^[A-Za-z]{2}[0-9]{2}"));
    QString compact = account;
    compact.remove(QLatin1Char(' '));
    return start.match(compact).hasMatch();
}

} // namespace

QString reasonGiven(const Entry &entry)
{
    // A deposit's detail is its slip, which the window and the export show
    // on their own.
    return entry.status == Status::Spoiled || entry.status == Status::Cancelled ? entry.statusReason.trimmed()
                                                                                : QString();
}

QString standing(const Entry &entry)
{
    QString text = statusLabel(entry.status);
    if (const QString reason = reasonGiven(entry); !reason.isEmpty())
        text += QStringLiteral(" : ") + reason;
    if (entry.status == Status::Deposited)
        text += QStringLiteral(" (remise %1 du %2)").arg(entry.remittance).arg(day(entry.remittanceDate));
    if (entry.replacedBy)
        text += QStringLiteral(", remplacé par le n° %1").arg(entry.replacedBy);
    if (entry.reprintOf)
        text += QStringLiteral(", remplace le n° %1").arg(entry.reprintOf);
    return text;
}

QString chequeSummary(const Entry &entry)
{
    return QStringLiteral("%1 du %2 (%3)").arg(frenchEuros(entry.cents), entry.cheque.date, entry.cheque.bankName);
}

QString exportedMessage(int count, const QString &path)
{
    if (count == 0)
        return QStringLiteral("Aucun chèque exporté dans « %1 ».").arg(path);
    if (count == 1)
        return QStringLiteral("1 chèque exporté dans « %1 ».").arg(path);
    return QStringLiteral("%1 chèques exportés dans « %2 ».").arg(QString::number(count), path);
}

JournalDesk::JournalDesk(Journal &journal, MainWindowValues mainWindow, ChequePrinter &printer,
                         prompt_dialog::UserTalk &talk, const platform::Clock &clock)
    : m_journal(journal)
    , m_main(std::move(mainWindow))
    , m_printer(printer)
    , m_talk(talk)
    , m_clock(clock)
{
}

Filter JournalDesk::todaysFilter() const
{
    Filter filter;
    filter.from = m_clock.today();
    filter.to = m_clock.today();
    return filter;
}

int JournalDesk::defaultBank(const Entry &entry, const QList<BankChoice> &banks)
{
    for (int i = 0; i < banks.size(); ++i) {
        if (banks[i].layoutFile.compare(entry.cheque.layoutFile, Qt::CaseInsensitive) == 0)
            return i;
    }
    return banks.isEmpty() ? -1 : 0;
}

std::optional<QString> JournalDesk::refusal(Command command, const Entry &entry)
{
    switch (command) {
    case Command::Reprint:
        if (entry.replacedBy)
            return QStringLiteral("Ce chèque a déjà été réimprimé : c'est le n° %1 du journal.").arg(entry.replacedBy);
        if (entry.status != Status::Printed && entry.status != Status::Spoiled)
            return QStringLiteral("Ce chèque est « %1 » : il ne peut pas être réimprimé.").arg(standing(entry));
        break;
    case Command::Spoil:
        if (entry.status != Status::Printed) {
            return QStringLiteral("Ce chèque est « %1 » : seul un chèque « imprimé » peut être marqué « gâché ».")
                .arg(standing(entry));
        }
        break;
    case Command::Cancel:
        if (entry.status != Status::Printed)
            return QStringLiteral("Ce chèque est « %1 » : seul un chèque « imprimé » peut être annulé.")
                .arg(standing(entry));
        break;
    case Command::Note:
        break;
    case Command::Settle:
        if (entry.status != Status::Unconfirmed)
            return QStringLiteral("Ce chèque est « %1 » : il n'y a rien à vérifier.").arg(standing(entry));
        break;
    }
    return std::nullopt;
}

std::optional<Entry> JournalDesk::find(qint64 id)
{
    const platform::Result<std::optional<Entry>> found = m_journal.entry(id);
    if (!found) {
        m_talk.message(QStringLiteral("Le journal des chèques ne peut pas être lu (%1).").arg(found.error()));
        return std::nullopt;
    }
    if (!*found)
        m_talk.message(QStringLiteral("Ce chèque n'est plus dans le journal."));
    return *found;
}

bool JournalDesk::markSpoiled(qint64 id)
{
    const std::optional<Entry> entry = find(id);
    if (!entry)
        return false;
    if (const std::optional<QString> refused = refusal(Command::Spoil, *entry)) {
        m_talk.message(*refused);
        return false;
    }
    const std::optional<QString> reason =
        m_talk.input(QStringLiteral("Pourquoi le chèque de %1 est-il gâché ?").arg(chequeSummary(*entry)),
                     QStringLiteral("Mal imprimé"));
    if (!reason)
        return false;
    const platform::Result<void> marked = m_journal.markSpoiled(id, *reason);
    if (!marked) {
        m_talk.message(QStringLiteral("Le chèque n'a pas pu être marqué « gâché » (%1).").arg(marked.error()));
        return false;
    }
    return true;
}

bool JournalDesk::reprint(qint64 id, const QString &layoutFile)
{
    const std::optional<Entry> entry = find(id);
    if (!entry)
        return false;
    if (const std::optional<QString> refused = refusal(Command::Reprint, *entry)) {
        m_talk.message(*refused);
        return false;
    }
    const bool wasPrinted = entry->status == Status::Printed;
    if (wasPrinted && !m_talk.question(QStringLiteral("Le chèque de %1 est marqué « imprimé ».\n\n"
                                                      "Le marquer « gâché » et en imprimer un nouveau ?")
                                           .arg(chequeSummary(*entry))))
        return false;

    const QList<BankChoice> &banks = m_main.banks;
    const auto bank = std::find_if(banks.begin(), banks.end(),
                                   [&layoutFile](const BankChoice &b) { return b.layoutFile == layoutFile; });
    if (bank == banks.end()) {
        m_talk.message(QStringLiteral("Choisissez la banque du nouveau chèque."));
        return false;
    }
    if (!m_talk.question(QStringLiteral("Mettez un chèque vierge de la banque « %1 » dans l'imprimante.\n\n"
                                        "Imprimer le nouveau chèque de %2 maintenant ?")
                             .arg(bank->name, frenchEuros(entry->cents))))
        return false;

    const Reprinted reprinted = m_printer.printAgain(entry->cheque, layoutFile, m_main);
    if (!reprinted.printed)
        return false;
    const platform::Result<void> linked =
        wasPrinted ? m_journal.markSpoiled(id, QStringLiteral("réimprimé"), reprinted.id)
                   : (reprinted.id ? m_journal.linkReprint(id, reprinted.id) : platform::Result<void>());
    if (!linked) {
        m_talk.message(QStringLiteral("Le nouveau chèque est imprimé, mais l'ancien n'a pas pu être marqué comme "
                                      "remplacé dans le journal (%1).")
                           .arg(linked.error()));
    }
    return true;
}

bool JournalDesk::cancel(qint64 id)
{
    const std::optional<Entry> entry = find(id);
    if (!entry)
        return false;
    if (const std::optional<QString> refused = refusal(Command::Cancel, *entry)) {
        m_talk.message(*refused);
        return false;
    }
    if (!m_talk.question(QStringLiteral("Annuler le chèque de %1 ?\n\nIl reste dans le journal, marqué « annulé », "
                                        "et ne sera pas remis en banque.")
                             .arg(chequeSummary(*entry))))
        return false;
    const std::optional<QString> reason = m_talk.input(QStringLiteral("Pourquoi ce chèque est-il annulé ?"));
    if (!reason)
        return false;
    const platform::Result<void> cancelled = m_journal.cancel(id, *reason);
    if (!cancelled) {
        m_talk.message(QStringLiteral("Le chèque n'a pas pu être annulé (%1).").arg(cancelled.error()));
        return false;
    }
    return true;
}

bool JournalDesk::editNote(qint64 id)
{
    const std::optional<Entry> entry = find(id);
    if (!entry)
        return false;
    const std::optional<QString> note = m_talk.input(
        QStringLiteral("Note du chèque de %1 (le nom du client, le numéro du chèque) :").arg(chequeSummary(*entry)),
        entry->note);
    if (!note || *note == entry->note)
        return false;
    const platform::Result<void> added = m_journal.addNote(id, *note);
    if (!added) {
        m_talk.message(QStringLiteral("La note n'a pas pu être enregistrée (%1).").arg(added.error()));
        return false;
    }
    return true;
}

bool JournalDesk::settle(qint64 id)
{
    const std::optional<Entry> entry = find(id);
    if (!entry)
        return false;
    if (const std::optional<QString> refused = refusal(Command::Settle, *entry)) {
        m_talk.message(*refused);
        return false;
    }
    const bool out = m_talk.question(leftoverQuestion(*entry, m_clock.today()));
    const platform::Result<void> noted =
        out ? m_journal.confirmPrinted(id, QStringLiteral("sorti, dit dans le journal"))
            : m_journal.markNotPrinted(id, QStringLiteral("pas sorti de l'imprimante, dit dans le journal"));
    if (!noted) {
        m_talk.message(QStringLiteral("La réponse n'a pas pu être notée dans le journal (%1).").arg(noted.error()));
        return false;
    }
    return true;
}

bool JournalDesk::keepAccount(const QString &account)
{
    const QString typed = account.trimmed();
    if (looksLikeIban(typed)) {
        if (const std::optional<QString> problem = ibanProblem(typed)) {
            m_talk.message(QStringLiteral("Le compte « %1 » n'est pas un IBAN valable : %2.").arg(typed, *problem));
            return false;
        }
    }
    const platform::Result<QString> kept = m_journal.account();
    if (kept && *kept == typed)
        return true;
    const platform::Result<void> stored = m_journal.setAccount(typed);
    // The slip can still carry it: the shop only has to type it again.
    if (!stored) {
        m_talk.message(
            QStringLiteral("Le compte n'a pas pu être gardé pour les prochaines remises (%1).").arg(stored.error()));
    }
    return true;
}

bool JournalDesk::remit(const QList<qint64> &ids, const QString &account)
{
    if (ids.isEmpty()) {
        m_talk.message(QStringLiteral("Aucun chèque n'est coché : il n'y a rien à remettre en banque."));
        return false;
    }
    if (!keepAccount(account))
        return false;
    // A slip made now would leave them out, or find them gone on it later.
    if (const int unsent = m_printer.sendWaiting(); unsent > 0) {
        m_talk.message(
            QStringLiteral("La remise n'est pas faite : %1 au serveur du journal.\n\nCette caisse l'envoie dès qu'il "
                           "répond ; faites la remise ensuite.")
                .arg(unsent == 1 ? QStringLiteral("1 chèque imprimé sur cette caisse n'est pas encore arrivé")
                                 : QStringLiteral("%1 chèques imprimés sur cette caisse ne sont pas encore arrivés")
                                       .arg(unsent)));
        return false;
    }
    // Held until the cheques are deposited: another till's slip waits.
    platform::Result<Journal::RemittanceTurn> turn = m_journal.takeRemittanceTurn();
    if (!turn) {
        m_talk.message(QStringLiteral("La remise n'est pas faite : %1.").arg(turn.error()));
        return false;
    }
    const qint64 number = turn->number();
    const platform::Result<QList<Entry>> waiting = m_journal.undeposited();
    if (!waiting) {
        m_talk.message(QStringLiteral("Le journal des chèques ne peut pas être lu (%1) : la remise n'est pas faite.")
                           .arg(waiting.error()));
        return false;
    }
    QList<Entry> cheques;
    for (const Entry &entry : *waiting) {
        if (ids.contains(entry.id))
            cheques << entry;
    }
    if (cheques.size() != ids.size()) {
        m_talk.message(QStringLiteral("Des chèques cochés ont changé entre-temps : la remise n'est pas faite. "
                                      "Rouvrez la remise en banque."));
        return false;
    }

    const ShopTexts &shop = m_main.shop;
    const QDate date = m_clock.today();
    const RemittanceSlip slip = remittanceSlip(number, date, account.trimmed(), cheques, shop.payee, shop.place,
                                               shop.currencyName, shop.hundredthName);
    try {
        printRemittanceSlip(m_printer.currentPrinter(), slip);
    } catch (const platform::PrinterError &error) {
        m_talk.message(QStringLiteral("Le bordereau n'a pas été imprimé : %1.\n\nAucun chèque n'est marqué « remis ».")
                           .arg(error.message()));
        return false;
    }

    QList<qint64> ordered;
    for (const Entry &entry : cheques)
        ordered << entry.id;
    const platform::Result<Remittance> made = m_journal.deposit(ordered, date, account.trimmed());
    if (!made) {
        m_talk.message(QStringLiteral("Le bordereau n° %1 est imprimé, mais la remise n'a pas pu être enregistrée "
                                      "dans le journal (%2) : les chèques restent « imprimés ».")
                           .arg(number)
                           .arg(made.error()));
        return false;
    }
    if (made->number != number) {
        // Another copy of the program made a remittance in between.
        m_talk.message(QStringLiteral("La remise est enregistrée sous le n° %1, mais le bordereau imprimé porte le "
                                      "n° %2 : corrigez le numéro à la main sur le bordereau.")
                           .arg(made->number)
                           .arg(number));
    }
    return true;
}

bool JournalDesk::exportTo(const Filter &filter, const QString &path)
{
    const platform::Result<int> written = exportCsv(m_journal, filter, path);
    if (!written) {
        m_talk.message(QStringLiteral("L'export n'a pas pu être écrit dans « %1 » (%2).").arg(path, written.error()));
        return false;
    }
    m_talk.message(exportedMessage(*written, path));
    return false;
}

QString totalsSummary(const Totals &totals)
{
    QString text = QStringLiteral("%1 chèque%2, total %3")
                       .arg(totals.count)
                       .arg(totals.count > 1 ? QStringLiteral("s") : QString())
                       .arg(frenchEuros(totals.cents));
    QStringList apart;
    const auto count = [&apart](int n, const QString &one, const QString &many) {
        if (n > 0)
            apart << QStringLiteral("%1 %2").arg(n).arg(n > 1 ? many : one);
    };
    count(totals.spoiled, QStringLiteral("gâché"), QStringLiteral("gâchés"));
    count(totals.cancelled, QStringLiteral("annulé"), QStringLiteral("annulés"));
    count(totals.unconfirmed, QStringLiteral("à vérifier"), QStringLiteral("à vérifier"));
    if (!apart.isEmpty())
        text += QStringLiteral(" ; hors total : ") + apart.join(QStringLiteral(", "));
    return text;
}

} // namespace journal
