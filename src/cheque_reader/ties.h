#pragma once

#include "cheque_reader/cmc7.h"
#include "platform/result.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace cheque_reader {

// The file of a working folder that ties cheques to the bank layout they are
// printed on, shared by the tills of that folder: one tie a line, the digits
// of the interbank zone, ";", the layout's file name ("bq_CODE.txt").
extern const QString TiesFileName; // "cmc7_banques.txt"

// The digits of a line that make its tie: its interbank zone.
QString tieDigits(const Cmc7Line &line);

class Ties
{
public:
    // The ties of the file at `path`; none when there is no file.
    static platform::Result<Ties> read(const QString &path);
    // Replaces the file in one step. A line it could not read is written
    // back as it was.
    platform::Result<void> write(const QString &path) const;

    // The layout the digits are tied to, empty when none.
    QString layoutOf(const QString &digits) const;
    // Ties the digits to the layout, in place of any tie they had.
    void tie(const QString &digits, const QString &layoutFile);

private:
    struct Tie
    {
        QString digits;
        QString layoutFile;
        QString unread; // a line that was not a tie, kept as it was
    };
    QList<Tie> m_lines;
};

} // namespace cheque_reader
