// The journal's file as a failing disk, a crash or another program may leave
// it, opened as the program opens it at start. The input is either the whole
// file (first byte even) or byte changes over a real journal of a day's
// cheques, (offset, value) by four bytes, in its file (first byte 1) or in
// its write-ahead log (first byte 3).
//
// Rules: never a crash; a file refused is left byte for byte; a damaged file
// set aside keeps its bytes under its new name; a journal opened takes a
// cheque, or says it is damaged so that it can be set aside in its turn.
#include "fuzzing.h"

#include "journal/journal.h"
#include "platform/clock.h"

#include <QDir>
#include <QFile>

using namespace journal;

namespace {

class FixedClock final : public platform::Clock
{
public:
    QDate today() const override { return QDate(2026, 12, 9); }
    QDateTime now() const override { return QDateTime(today(), QTime(18, 0)); }
};

const FixedClock theClock;

PrintedCheque cheque(const QString &amount)
{
    PrintedCheque c;
    c.printedAt = theClock.now();
    c.date = QStringLiteral("09/12/2026");
    c.amount = amount;
    c.wordsLine1 = QStringLiteral("**** DOUZE EUROS");
    c.wordsLine2 = QStringLiteral("****");
    c.payee = QStringLiteral("Épicerie");
    c.place = QStringLiteral("Rodez");
    c.bankName = QStringLiteral("Banque");
    c.layoutFile = QStringLiteral("bq_B.txt");
    c.printer = QStringLiteral("PDF");
    return c;
}

QString folder()
{
    return fuzzing::folder().path(QStringLiteral("dossier"));
}

QString journalPath()
{
    return folder() + QLatin1Char('/') + JournalFileName;
}

void emptyFolder()
{
    QDir dir(folder());
    if (!dir.removeRecursively() || !QDir().mkpath(folder()))
        std::abort();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

// A journal of a day: cheques, every kind of event, a slip, a note, the
// account; its file alone (closed, so its log played into it), and the file
// and log of a program stopped after its last record.
struct Template
{
    QByteArray closed;
    QByteArray file;
    QByteArray log;
};

const Template &journalTemplate()
{
    static const Template made = [] {
        emptyFolder();
        Template t;
        {
            auto opened = Journal::open(journalPath(), theClock);
            if (!opened)
                std::abort();
            Journal &j = *opened->journal;
            for (const char *amount : {"12.00", "1575.98", "0.05"})
                (void)j.record(cheque(QString::fromLatin1(amount)));
            (void)j.markSpoiled(1, QStringLiteral("Mal imprimé"));
            (void)j.linkReprint(1, 2);
            (void)j.addNote(2, QStringLiteral("M. Dupré"));
            (void)j.setAccount(QStringLiteral("FR76 3000 6000 0112 3456 7890 189"));
            (void)j.deposit({2}, theClock.today(), QString());
            (void)j.cancel(3, QStringLiteral("Erreur"));
        }
        t.closed = fileBytes(journalPath());
        {
            auto opened = Journal::open(journalPath(), theClock);
            if (!opened)
                std::abort();
            (void)opened->journal->recordHandingOver(cheque(QStringLiteral("401.01")));
            t.file = fileBytes(journalPath());
            t.log = fileBytes(journalPath() + QStringLiteral("-wal"));
        }
        if (t.closed.isEmpty() || t.log.isEmpty())
            std::abort();
        return t;
    }();
    return made;
}

QByteArray patched(QByteArray bytes, const QByteArray &changes)
{
    if (bytes.isEmpty())
        return bytes;
    for (qsizetype at = 0; at + 4 <= changes.size(); at += 4) {
        const auto byte = [&](qsizetype k) { return quint32(quint8(changes.at(at + k))); };
        const quint32 offset = (byte(0) << 16 | byte(1) << 8 | byte(2)) % quint32(bytes.size());
        bytes[offset] = char(byte(3));
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Template &base = journalTemplate();
    const QByteArray input = fuzzing::bytes(data, size);
    emptyFolder();
    const int mode = input.isEmpty() ? 0 : quint8(input.at(0)) % 4;
    QByteArray file;
    QByteArray log;
    if (mode == 1) {
        file = patched(base.closed, input.mid(1));
    } else if (mode == 3) {
        file = base.file;
        log = patched(base.log, input.mid(1));
    } else {
        file = input.mid(1);
    }
    writeFile(journalPath(), file);
    if (!log.isEmpty())
        writeFile(journalPath() + QStringLiteral("-wal"), log);

    platform::Result<Journal::Opened> opened = Journal::open(journalPath(), theClock);
    if (!opened) {
        fuzzing::check(fileBytes(journalPath()) == file, "un journal refusé reste tel quel", opened.error());
        return 0;
    }
    std::unique_ptr<Journal> journal = std::move(std::move(opened).value().journal);
    const QString notice = opened->notice;
    if (!notice.isEmpty()) {
        const QStringList aside = QDir(folder()).entryList({JournalFileName + QStringLiteral(".ab*")}, QDir::Files);
        fuzzing::check(!aside.isEmpty(), "un journal abîmé est mis de côté", notice);
        const QString kept = folder() + QLatin1Char('/') + aside.first();
        fuzzing::check(fileBytes(kept) == file, "un journal mis de côté garde ses octets", aside.first());
        fuzzing::check(notice.contains(aside.first()), "l'avis dit où est l'ancien journal", notice);
    }
    const platform::Result<qint64> recorded = journal->record(cheque(QStringLiteral("7.50")));
    fuzzing::check(recorded.ok() || journal->damaged(),
                   "un journal ouvert inscrit un chèque, ou se dit abîmé pour être mis de côté", recorded.error());
    if (!recorded)
        return 0;
    const platform::Result<std::optional<Entry>> back = journal->entry(*recorded);
    fuzzing::check(back.ok() || journal->damaged(), "un chèque inscrit se relit", back.error());
    if (back) {
        fuzzing::check(back->has_value() && (*back)->cheque.amount == QStringLiteral("7.50") &&
                           (*back)->status == Status::Printed,
                       "un chèque inscrit se relit tel quel",
                       back->has_value() ? (*back)->cheque.amount + QLatin1Char(' ') + statusLabel((*back)->status)
                                         : QStringLiteral("absent"));
    }
    return 0;
}
