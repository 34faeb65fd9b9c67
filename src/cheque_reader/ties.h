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

// Which digits of the interbank zone make a tie: the whole zone, unless the
// shop narrowed it to those it checked on its customers' cheques (where the
// bank's code sits in the zone is not published reliably).
struct TieDigits
{
    int from = 1; // the first, counted from 1
    int count = 12;
    bool operator==(const TieDigits &other) const { return from == other.from && count == other.count; }
};
// The working folder's choice, shared by its tills as the ties are: one
// line, "first;count". The whole zone when there is no file.
extern const QString TieDigitsFileName; // "cmc7_chiffres.txt"
platform::Result<TieDigits> readTieDigits(const QString &path);
platform::Result<void> writeTieDigits(const QString &path, const TieDigits &digits);

// The digits of a line that make its tie.
QString tieDigits(const Cmc7Line &line, const TieDigits &digits = TieDigits());

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
    // The ties of a layout, by their digits.
    QStringList ofLayout(const QString &layoutFile) const;
    void untie(const QString &digits);

    // The ties made with `before` brought to `after`, which must lie within
    // it (a narrower choice): ties that become one, to different layouts,
    // keep the first. Gives how many were so dropped; -1, nothing changed,
    // when `after` is not within `before`.
    int narrow(const TieDigits &before, const TieDigits &after);

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
