// The suite's printer assignment file as the other programs may leave it.
// The input gives the key on its first line, the value on its second, on its
// third the size the disk lets the file reach (blank: no limit), then the
// file's bytes. A store that fails leaves the file byte for byte as it was;
// one that succeeds changes only its own record and the count, and the
// value is found again.
#include "fuzzing.h"

#include "printer_choice/printerassignments.h"

#include <optional>

using namespace printer_choice;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const fuzzing::FirstLine keyLine = fuzzing::splitFirstLine(fuzzing::bytes(data, size));
    const fuzzing::FirstLine valueLine = fuzzing::splitFirstLine(keyLine.rest);
    const fuzzing::FirstLine limitLine = fuzzing::splitFirstLine(valueLine.rest);
    const QByteArray before = limitLine.rest;
    const QString key = QString::fromLatin1(keyLine.line);
    const QString value = QString::fromLatin1(valueLine.line);
    bool limited = false;
    const long limit = limitLine.line.trimmed().toLong(&limited);

    fuzzing::folder().write(AssignmentFileName, before);
    const PrinterAssignments assignments(fuzzing::folder().path(AssignmentFileName));
    const platform::Result<QString> found = assignments.lookup(key);
    fuzzing::check(fuzzing::folder().read(AssignmentFileName) == before, "une lecture ne change pas le fichier");

    platform::Result<void> stored;
    {
        std::optional<FileSizeLimit> disk;
        if (limited && limit >= 0)
            disk.emplace(limit);
        stored = assignments.store(key, value);
    }
    const QByteArray after = fuzzing::folder().read(AssignmentFileName);
    if (!stored) {
        fuzzing::check(after == before, "un enregistrement qui échoue laisse le fichier tel qu'il était",
                       stored.error() + QStringLiteral(" ; %1 octets devenus %2").arg(before.size()).arg(after.size()));
        return 0;
    }
    fuzzing::check(found.ok(), "un fichier qui ne se lit pas n'est pas écrit", found.error());

    // Apart from the count, the bytes that changed are all in one record,
    // past the header.
    qsizetype record = -1;
    for (qsizetype i = 0; i < qMax(before.size(), after.size()); ++i) {
        if (i >= AssignmentCountOffset && i < AssignmentCountOffset + 4)
            continue;
        const char was = i < before.size() ? before.at(i) : '\0';
        const char is = i < after.size() ? after.at(i) : '\0';
        if (was == is)
            continue;
        const qsizetype in = i / AssignmentRecordLength;
        fuzzing::check(in > 0 && (record < 0 || record == in), "seul notre enregistrement change",
                       QStringLiteral("octet %1").arg(i));
        record = in;
    }
    fuzzing::check(after.size() >= before.size(), "le fichier ne perd rien");

    QString expected = value.left(AssignmentValueLength);
    while (expected.startsWith(QLatin1Char(' ')))
        expected.remove(0, 1);
    while (expected.endsWith(QLatin1Char(' ')))
        expected.chop(1);
    const platform::Result<QString> again = assignments.lookup(key);
    fuzzing::check(again.ok(), "le fichier se relit après l'enregistrement", again.error());
    fuzzing::check(*again == expected, "la valeur enregistrée se relit", *again + QStringLiteral(" / ") + expected);
    return 0;
}
