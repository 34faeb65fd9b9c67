#pragma once

#include "journal/journal.h"

#include <QDate>
#include <QList>
#include <QString>

namespace platform {
class PrinterSurface;
}

namespace journal {

// One cheque as the slip lists it.
struct SlipLine
{
    qint64 id = 0; // the cheque's number in the journal, which the slip shows
    QString bank;
    qint64 cents = 0;
    QString note;
    QString chequeNumber = QString(); // read at the till, empty without a reader
};

// What a remittance slip shows: the shop, the slip, its cheques, and the
// currency names the total is written out with.
struct RemittanceSlip
{
    QString shopName; // the payee of the cheques
    QString place;
    qint64 number = 0;
    QDate date;
    QString account; // may be empty
    QList<SlipLine> lines;
    QString currencyName;  // singular, as the main window holds it
    QString hundredthName; // likewise
};

// The slip of a remittance made (or about to be made) of `cheques`.
RemittanceSlip remittanceSlip(qint64 number, const QDate &date, const QString &account, const QList<Entry> &cheques,
                              const QString &shopName, const QString &place, const QString &currencyName,
                              const QString &hundredthName);

// The total in words, as the cheques' own words are written.
QString slipTotalWords(const RemittanceSlip &slip);

// The slip's lines on each page: a long slip continues on further pages,
// each but the last ending with the total carried forward.
QList<int> slipPageSizes(int lines);

// Prints the slip on A4 portrait, all its pages as one job. Throws
// platform::PrinterError when the printer fails; nothing is then sent.
void printRemittanceSlip(platform::PrinterSurface &printer, const RemittanceSlip &slip);

} // namespace journal
