#include "bank_layouts/chequeprint.h"

#include "amount_words/amountwords.h"
#include "common/numeric.h"
#include "platform/printersurface.h"

#include <array>
#include <cmath>
#include <limits>

namespace bank_layouts {

namespace {

const QString Stars = QStringLiteral("****");

// Positions are added in double and handed to the printer in single
// precision; one that does not fit is a failure, not a wild print.
float position(double layoutTwips, double offsetTwips)
{
    const double sum = layoutTwips + offsetTwips;
    if (!std::isfinite(sum) || std::fabs(sum) > std::numeric_limits<float>::max())
        throw platform::PrinterError(QStringLiteral("une position sort des limites de l'imprimante"));
    return static_cast<float>(sum);
}

} // namespace

amount_words::SplitLines chequeWords(platform::PrinterSurface &printer, const ChequeFields &fields,
                                     const LayoutValues &layout)
{
    return amount_words::splitWords(Stars + fields.words.trimmed(), layout[13],
                                    [&printer](const QString &text) { return printer.textWidth(text); });
}

void printChequeItems(platform::PrinterSurface &printer, const ChequeFields &fields, const LayoutValues &layout,
                      const amount_words::SplitLines &words, Paper paper, const std::function<void()> &handingOver)
{
    const double h = common::numericValue(fields.horizontalOffset) * common::TwipsPerMm;
    const double v = common::numericValue(fields.verticalOffset) * common::TwipsPerMm;
    // Every position is worked out before the printer is touched: a layout
    // that puts an item out of reach prints nothing at all.
    std::array<float, 13> at{};
    for (int index = 1; index <= 12; ++index)
        at[std::size_t(index)] = position(layout[std::size_t(index)], index % 2 ? h : v);

    platform::printPage(
        printer,
        [&] {
            printer.setOrientation(platform::Orientation::Landscape);
            if (paper == Paper::PlainSheet) {
                const platform::LineStyle before = printer.lineStyle();
                printer.setLineStyle(platform::LineStyle::Dotted);
                printer.rectangle(QPointF(h, v), QPointF(h + ChequeWidthTwips, v + ChequeHeightTwips));
                printer.setLineStyle(before);
            }
            printer.setFontSize(16);
            printer.setBold(true);
            printAt(printer, at[1], at[2], Stars + amount_words::amountFigures(fields.amount) + QStringLiteral(" €"));
            printer.setBold(false);
            printer.setFontSize(10);
            printAt(printer, at[3], at[4], fields.payee);
            printAt(printer, at[5], at[6], fields.place);
            printAt(printer, at[7], at[8], fields.date);
            printAt(printer, at[9], at[10], words.first + Stars);
            printAt(printer, at[11], at[12], Stars + words.second + Stars);
        },
        handingOver);
    printer.setOrientation(platform::Orientation::Portrait);
}

void printCheque(platform::PrinterSurface &printer, const ChequeFields &fields,
                 const std::function<void(const amount_words::SplitLines &)> &handingOver)
{
    using amount_words::WordsLine1;
    using amount_words::WordsLine2;
    WordsLine1.clear();
    WordsLine2.clear();
    const amount_words::SplitLines lines = chequeWords(printer, fields, LayoutTwips);
    WordsLine1 = lines.first;
    WordsLine2 = lines.second;
    printChequeItems(printer, fields, LayoutTwips, lines, Paper::Cheque, [&] {
        if (handingOver)
            handingOver(lines);
    });
}

} // namespace bank_layouts
