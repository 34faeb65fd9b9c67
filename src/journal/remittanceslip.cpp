#include "journal/remittanceslip.h"

#include "amount_words/amountwords.h"
#include "platform/printersurface.h"

#include <QStringList>

#include <algorithm>

namespace journal {

namespace {

using platform::printAt;

// A4 portrait in twips, inside the printable area of any office printer
// (minimum margins up to half an inch).
constexpr double Left = 700;
constexpr double Right = 10500;
constexpr double TableTop = 3300;    // the first cheque's line
constexpr double RowsBottom = 14600; // no cheque's line below this
constexpr double RowHeight = 300;
// The count, total, words and signature box take this much below the last
// line of the last page.
constexpr double FooterHeight = 4200;

constexpr double NumberColumn = Left;
constexpr double BankColumn = Left + 800;
constexpr double AmountRight = Left + 6300;
// The cheque's own number, read at the till, as banks' own slips list it.
constexpr double ChequeNumberColumn = Left + 6600;
constexpr double NoteColumn = Left + 8000;

int rowsFitting(double height)
{
    return std::max(0, int(height / RowHeight));
}

QString amountText(qint64 cents)
{
    return QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

void printRight(platform::PrinterSurface &printer, double right, double y, const QString &text)
{
    printAt(printer, right - printer.textWidth(text), y, text);
}

// Cuts `text` to fit `width` in the current font, with "…" when cut.
QString fitted(platform::PrinterSurface &printer, const QString &text, double width)
{
    if (printer.textWidth(text) <= width)
        return text;
    QString cut = text;
    while (!cut.isEmpty() && printer.textWidth(cut + QStringLiteral("…")) > width)
        cut.chop(1);
    return cut + QStringLiteral("…");
}

// The words over as many lines as the width needs, cut between words.
QStringList wrapped(platform::PrinterSurface &printer, const QString &text, double width)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && printer.textWidth(longer) > width) {
            lines << line;
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

void printHeading(platform::PrinterSurface &printer, const RemittanceSlip &slip, int page, int pages)
{
    printer.setFontName(QStringLiteral("Arial"));
    printer.setBold(true);
    printer.setFontSize(14);
    printAt(printer, Left, 600, slip.shopName);
    printer.setBold(false);
    printer.setFontSize(10);
    printAt(printer, Left, 1000, slip.place);

    printer.setBold(true);
    printer.setFontSize(16);
    printAt(printer, Left, 1500, QStringLiteral("Bordereau de remise de chèques"));
    printer.setFontSize(10);
    printAt(
        printer, Left, 2050,
        QStringLiteral("Remise n° %1 du %2").arg(slip.number).arg(slip.date.toString(QStringLiteral("dd/MM/yyyy"))));
    printer.setBold(false);
    printRight(printer, Right, 2050, QStringLiteral("Page %1 / %2").arg(page).arg(pages));
    if (!slip.account.trimmed().isEmpty()) {
        const QString account = ibanProblem(slip.account) ? slip.account.trimmed() : ibanGrouped(slip.account);
        printAt(printer, Left, 2400, QStringLiteral("Compte : %1").arg(account));
    }

    printer.setBold(true);
    printAt(printer, NumberColumn, 2850, QStringLiteral("N°"));
    printAt(printer, BankColumn, 2850, QStringLiteral("Banque"));
    printRight(printer, AmountRight, 2850, QStringLiteral("Montant"));
    printAt(printer, ChequeNumberColumn, 2850, QStringLiteral("N° de chèque"));
    printAt(printer, NoteColumn, 2850, QStringLiteral("Note"));
    printer.setBold(false);
    printer.line(QPointF(Left, 3150), QPointF(Right, 3150));
}

void printCarried(platform::PrinterSurface &printer, double y, const QString &label, qint64 cents)
{
    printer.setBold(true);
    printAt(printer, BankColumn, y, label);
    printRight(printer, AmountRight, y, frenchEuros(cents));
    printer.setBold(false);
}

void printFooter(platform::PrinterSurface &printer, const RemittanceSlip &slip, double y, qint64 total)
{
    printer.line(QPointF(Left, y), QPointF(Right, y));
    printer.setBold(true);
    printAt(printer, BankColumn, y + 150, QStringLiteral("Nombre de chèques : %1").arg(slip.lines.size()));
    printAt(printer, BankColumn, y + 500, QStringLiteral("Total"));
    printRight(printer, AmountRight, y + 500, frenchEuros(total));
    printer.setBold(false);
    double wordsY = y + 900;
    printAt(printer, BankColumn, wordsY, QStringLiteral("Soit :"));
    for (const QString &line : wrapped(printer, slipTotalWords(slip), Right - BankColumn - 900)) {
        printAt(printer, BankColumn + 900, wordsY, line);
        wordsY += RowHeight;
    }
    const double boxTop = std::max(wordsY + 200, y + 1700);
    printer.rectangle(QPointF(Right - 4200, boxTop), QPointF(Right, boxTop + 1900));
    printAt(printer, Right - 4100, boxTop + 80, QStringLiteral("Signature"));
}

} // namespace

RemittanceSlip remittanceSlip(qint64 number, const QDate &date, const QString &account, const QList<Entry> &cheques,
                              const QString &shopName, const QString &place, const QString &currencyName,
                              const QString &hundredthName)
{
    RemittanceSlip slip{shopName, place, number, date, account, {}, currencyName, hundredthName};
    for (const Entry &entry : cheques)
        slip.lines.append({entry.id, entry.cheque.bankName, entry.cents, entry.note, entry.cheque.chequeNumber});
    return slip;
}

QString slipTotalWords(const RemittanceSlip &slip)
{
    qint64 total = 0;
    for (const SlipLine &line : slip.lines)
        total += line.cents;
    QString amount = amountText(total);
    return amount_words::ConvertitLettres2(amount, slip.currencyName, slip.hundredthName).trimmed();
}

QList<int> slipPageSizes(int lines)
{
    // Every page but the first starts with the total brought forward, and
    // every page but the last ends with the one carried.
    QList<int> pages;
    int left = lines;
    for (bool first = true;; first = false) {
        const double top = TableTop + (first ? 0 : RowHeight);
        const int lastPageRows = rowsFitting(RowsBottom - FooterHeight - top);
        if (left <= lastPageRows) {
            pages << left;
            return pages;
        }
        const int rows = std::min(left, rowsFitting(RowsBottom - RowHeight - top));
        pages << rows;
        left -= rows;
    }
}

void printRemittanceSlip(platform::PrinterSurface &printer, const RemittanceSlip &slip)
{
    const QList<int> pages = slipPageSizes(int(slip.lines.size()));
    printer.setDocumentName(QStringLiteral("Bordereau de remise n° %1").arg(slip.number));
    platform::printPage(printer, [&] {
        printer.setOrientation(platform::Orientation::Portrait);
        int index = 0;
        qint64 carried = 0;
        for (int page = 0; page < pages.size(); ++page) {
            if (page > 0)
                printer.newPage();
            printHeading(printer, slip, page + 1, int(pages.size()));
            double y = TableTop;
            if (page > 0) {
                printCarried(printer, y, QStringLiteral("Report"), carried);
                y += RowHeight;
            }
            for (int row = 0; row < pages[page]; ++row, ++index, y += RowHeight) {
                const SlipLine &line = slip.lines[index];
                printAt(printer, NumberColumn, y, QString::number(line.id));
                printAt(printer, BankColumn, y, fitted(printer, line.bank, AmountRight - BankColumn - 1700));
                printRight(printer, AmountRight, y, frenchEuros(line.cents));
                if (!line.chequeNumber.isEmpty())
                    printAt(printer, ChequeNumberColumn, y, line.chequeNumber);
                printAt(printer, NoteColumn, y, fitted(printer, line.note, Right - NoteColumn));
                carried += line.cents;
            }
            if (page + 1 < pages.size())
                printCarried(printer, y, QStringLiteral("À reporter"), carried);
            else
                printFooter(printer, slip, y + 100, carried);
        }
    });
}

} // namespace journal
