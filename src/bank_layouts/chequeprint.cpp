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

void setLayoutFont(platform::PrinterSurface &printer, const Layout &layout)
{
    try {
        printer.setFontName(layout.fontName);
        printer.setFontSize(static_cast<float>(layout.fontSize.value()));
    } catch (const platform::PrinterError &error) {
        throw LayoutFontError(error.message());
    }
}

amount_words::SplitLines chequeWords(platform::PrinterSurface &printer, const Layout &layout,
                                     const ChequeFields &fields)
{
    return amount_words::splitWords(Stars + fields.words.trimmed(), common::mmToTwips(layout.firstLineLength.value()),
                                    [&printer](const QString &text) { return printer.textWidth(text); });
}

void printChequeItems(platform::PrinterSurface &printer, const Layout &layout, const PrinterOffsets &offsets,
                      const ChequeFields &fields, const amount_words::SplitLines &words, Paper paper,
                      const std::function<void()> &handingOver)
{
    const double h = common::numericValue(offsets.horizontal) * common::TwipsPerMm;
    const double v = common::numericValue(offsets.vertical) * common::TwipsPerMm;
    // Every position is worked out before the printer is touched: a layout
    // that puts an item out of reach prints nothing at all.
    struct Spot
    {
        float x;
        float y;
    };
    std::array<Spot, ChequeItemCount> at{};
    for (int item = 0; item < ChequeItemCount; ++item) {
        const LayoutPoint &point = layout.position(ChequeItem(item));
        at[std::size_t(item)] = {position(common::mmToTwips(point.x.value()), h),
                                 position(common::mmToTwips(point.y.value()), v)};
    }
    const auto printItem = [&](ChequeItem item, const QString &text) {
        const Spot &spot = at[std::size_t(item)];
        printAt(printer, spot.x, spot.y, text);
    };

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
            printItem(ChequeItem::Amount, Stars + amount_words::amountFigures(fields.amount) + QStringLiteral(" €"));
            printer.setBold(false);
            printer.setFontSize(10);
            printItem(ChequeItem::Payee, fields.payee);
            printItem(ChequeItem::Place, fields.place);
            printItem(ChequeItem::Date, fields.date);
            printItem(ChequeItem::FirstWordsLine, words.first + Stars);
            printItem(ChequeItem::SecondWordsLine, Stars + words.second + Stars);
        },
        handingOver);
    printer.setOrientation(platform::Orientation::Portrait);
}

amount_words::SplitLines printCheque(platform::PrinterSurface &printer, const Layout &layout,
                                     const PrinterOffsets &offsets, const ChequeFields &fields,
                                     const std::function<void(const amount_words::SplitLines &)> &handingOver)
{
    setLayoutFont(printer, layout);
    const amount_words::SplitLines lines = chequeWords(printer, layout, fields);
    printChequeItems(printer, layout, offsets, fields, lines, Paper::Cheque, [&] {
        if (handingOver)
            handingOver(lines);
    });
    return lines;
}

} // namespace bank_layouts
