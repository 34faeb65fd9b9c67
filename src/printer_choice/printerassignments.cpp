#include "printer_choice/printerassignments.h"

#include "platform/recordfile.h"
#include "platform/textfile.h"

#include <QtEndian>

namespace printer_choice {

namespace {

using platform::fail;
using platform::RecordFile;
using platform::Result;

struct Contents
{
    qint32 count = 0;
    QByteArray entries; // records 2 onwards, as far as the count and the file go
};

// A file without a whole first record has no entries yet. A count below zero,
// or announcing more entries than the file holds (one missing is allowed: a
// program of the suite writes the count before its entry), means the file is
// damaged; we then neither trust it nor write to it.
Result<Contents> readContents(const RecordFile &file)
{
    const Result<qint64> size = file.size();
    if (!size)
        return size.failure();
    Contents contents;
    if (*size < AssignmentRecordLength)
        return contents;

    const Result<QByteArray> countBytes = file.readAt(AssignmentCountOffset, 4);
    if (!countBytes)
        return countBytes.failure();
    if (countBytes->size() != 4)
        return fail(QStringLiteral("le fichier ne peut pas être lu"));
    const qint32 count = qFromLittleEndian<qint32>(countBytes->constData());
    const qint64 recordsHeld = (*size - 1) / AssignmentRecordLength;
    if (count < 0 || count > recordsHeld + 1)
        return fail(QStringLiteral("le fichier est endommagé (nombre d'entrées incohérent)"));

    contents.count = count;
    const Result<QByteArray> entries = file.readAt(AssignmentRecordLength, qint64(count) * AssignmentRecordLength);
    if (!entries)
        return entries.failure();
    contents.entries = *entries;
    return contents;
}

// The key field as it stands in a record: cut or blank-padded to 25 bytes.
// A key of control characters could match the zeros of a record another
// program has counted but not yet written: keys are text.
Result<QByteArray> keyField(const QString &key)
{
    for (const QChar c : key) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return fail(QStringLiteral("la clé « %1 » contient un caractère de contrôle").arg(key));
    }
    const Result<QByteArray> bytes = platform::encode1252(key);
    if (!bytes)
        return bytes;
    return bytes->leftJustified(AssignmentKeyLength, ' ', true);
}

// The entry number (1 for record 2) whose key field is `field`; 0 for none.
// A record cut short by the end of the file has no whole key and matches none.
int findEntry(const Contents &contents, const QByteArray &field)
{
    for (int entry = 1; entry <= contents.count; ++entry) {
        const qint64 keyAt = qint64(entry - 1) * AssignmentRecordLength + AssignmentKeyOffset;
        if (keyAt + AssignmentKeyLength > contents.entries.size())
            break;
        if (contents.entries.mid(keyAt, AssignmentKeyLength) == field)
            return entry;
    }
    return 0;
}

// Only blanks are trimmed, as the other programs pad with blanks alone.
QString withoutBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace

PrinterAssignments::PrinterAssignments(QString path)
    : m_path(std::move(path))
{
}

Result<QString> PrinterAssignments::lookup(const QString &key) const
{
    const Result<QByteArray> field = keyField(key);
    if (!field)
        return field.failure();
    RecordFile file;
    if (const Result<void> opened = file.open(m_path, AssignmentRecordLength, RecordFile::Access::ReadWriteOrReadOnly);
        !opened)
        return opened.failure();
    // Against our stores, which hold the header's lock while they write: a
    // value is never read half rewritten.
    if (const Result<void> locked = file.lock(0, AssignmentRecordLength, m_lockTimeout, RecordFile::Lock::Shared);
        !locked)
        return locked.failure();
    const Result<Contents> contents = readContents(file);
    if (!contents)
        return contents.failure();
    const int entry = findEntry(*contents, *field);
    if (entry == 0)
        return QString();
    const QByteArray value = contents->entries.mid(qint64(entry - 1) * AssignmentRecordLength, AssignmentValueLength);
    return withoutBlanks(platform::decode1252(value));
}

Result<void> PrinterAssignments::store(const QString &key, const QString &value) const
{
    const Result<QByteArray> field = keyField(key);
    if (!field)
        return field.failure();
    const Result<QByteArray> valueBytes = platform::encode1252(value);
    if (!valueBytes)
        return valueBytes.failure();
    const QByteArray valueField = valueBytes->leftJustified(AssignmentValueLength, ' ', true);

    RecordFile file;
    if (const Result<void> opened = file.open(m_path, AssignmentRecordLength); !opened)
        return opened;
    // Held from the count's reading to the end of the store: a count read
    // before another of our programs appends would make us append over it.
    if (const Result<void> locked = file.lock(0, AssignmentRecordLength, m_lockTimeout); !locked)
        return locked;

    const Result<Contents> contents = readContents(file);
    if (!contents)
        return contents.failure();

    // Only the value field is rewritten: the rest of the record stays as read.
    // A write that stops half-way (a full disk that copies blocks on write)
    // would leave a value of two halves: the old one is written back.
    if (const int entry = findEntry(*contents, *field); entry != 0) {
        const qint64 at = qint64(entry) * AssignmentRecordLength;
        const Result<void> written = file.writeAt(at, valueField);
        if (written)
            return written;
        const QByteArray old = contents->entries.mid(qint64(entry - 1) * AssignmentRecordLength, AssignmentValueLength);
        if (const Result<void> restored = file.writeAt(at, old); !restored)
            return fail(written.error() + QStringLiteral(", et la valeur d'avant n'a pas pu être remise"));
        return written;
    }

    // The entry goes in before the count that makes it visible: a write that
    // fails half-way (disk full) then leaves no count naming a missing record.
    // What it wrote over (bytes other programs left past the counted records)
    // is put back and what it wrote past the old end cut off again, so that a
    // failed store leaves the file byte for byte as the other programs last
    // saw it.
    const Result<qint64> sizeBefore = file.size();
    if (!sizeBefore)
        return sizeBefore.failure();
    const int appended = contents->count + 2;
    const qint64 appendedAt = qint64(appended - 1) * AssignmentRecordLength;
    const Result<QByteArray> overwritten = file.read(appended);
    if (!overwritten)
        return overwritten.failure();
    const auto undone = [&](const Result<void> &failure) -> Result<void> {
        Result<void> restored = file.writeAt(appendedAt, *overwritten);
        if (restored)
            restored = file.truncate(*sizeBefore);
        if (!restored)
            return fail(failure.error() + QStringLiteral(", et ") + restored.error());
        return failure;
    };
    QByteArray record = valueField;
    record.append(QByteArray(12, '\0'));
    record.append(*field);
    record.append(' ');
    if (const Result<void> written = file.writeAt(appendedAt, record); !written)
        return undone(written);

    // Only the count is written: the header's other bytes stay as the other
    // programs left them, and a new or short header reads as zeros elsewhere.
    QByteArray count(4, '\0');
    qToLittleEndian<qint32>(contents->count + 1, count.data());
    if (const Result<void> written = file.writeAt(AssignmentCountOffset, count); !written)
        return undone(written);
    return {};
}

} // namespace printer_choice
