#pragma once

#include <QByteArray>
#include <QList>

// Lines as the program's text files hold them, each ended by CR LF.
inline QByteArray crlfLines(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// A bank layout file for `bankName` (Windows-1252) that fits the usual
// cheque, cut to its first `lineCount` lines when asked.
inline QByteArray layoutBytes(const QByteArray &bankName = "Banque", int lineCount = 16)
{
    const QList<QByteArray> lines{bankName, "Arial", "10", "132", "26", "6", "29", "90",
                                  "38",     "134",   "38", "55",  "17", "6", "43", "60"};
    return crlfLines(lines.mid(0, lineCount));
}
