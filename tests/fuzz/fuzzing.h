#pragma once

#include "support/workingfolder.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: one temporary folder for the whole run (a
// new folder per input would cost more than the readers themselves), and a
// check that stops the run with a message, so that libFuzzer keeps the input.
namespace fuzzing {

// Unlike the tests' WorkingFolder it leaves the process's folder alone:
// libFuzzer opens the inputs and writes its findings by relative paths.
class Folder
{
public:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            std::abort();
    }

    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};

inline const Folder &folder()
{
    static const Folder temporary;
    return temporary;
}

inline QByteArray bytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The input split at its first line end: the first line (without its CR LF
// or LF) and what follows. Lets a seed give a parameter on a line of its own
// above the bytes of a file.
struct FirstLine
{
    QByteArray line;
    QByteArray rest;
};

inline FirstLine splitFirstLine(const QByteArray &input)
{
    const qsizetype end = input.indexOf('\n');
    if (end < 0)
        return {input, QByteArray()};
    QByteArray line = input.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    return {line, input.mid(end + 1)};
}

[[noreturn]] inline void broken(const char *rule, const QString &detail)
{
    std::fprintf(stderr, "\n*** Règle enfreinte : %s\n*** %s\n", rule, qUtf8Printable(detail));
    std::abort();
}

inline void check(bool holds, const char *rule, const QString &detail = QString())
{
    if (!holds)
        broken(rule, detail);
}

} // namespace fuzzing
