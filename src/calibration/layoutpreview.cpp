#include "calibration/layoutpreview.h"

#include "common/numeric.h"
#include "platform/printersurface.h"

namespace calibration {

namespace {

// A French cheque is 175 x 80 mm.
constexpr double ChequeWidth = 9922;
constexpr double ChequeHeight = 4536;

} // namespace

platform::Result<void> printWithLayout(platform::PrinterSurface &printer, const LayoutFields &layout,
                                       const bank_layouts::ChequeFields &cheque)
{
    bank_layouts::LayoutValues twips{};
    try {
        const platform::Result<void> applied = bank_layouts::applyLayout(layout.layoutLines(), printer, twips);
        if (!applied)
            return applied;
        const amount_words::SplitLines words = bank_layouts::chequeWords(printer, cheque, twips);
        bank_layouts::printChequeItems(printer, cheque, twips, words);
    } catch (const platform::PrinterError &error) {
        return platform::fail(error.message());
    }
    return {};
}

QRectF chequeArea(const bank_layouts::ChequeFields &cheque)
{
    return QRectF(common::numericValue(cheque.horizontalOffset) * common::TwipsPerMm,
                  common::numericValue(cheque.verticalOffset) * common::TwipsPerMm, ChequeWidth, ChequeHeight);
}

QString itemName(ChequeItem item)
{
    switch (item) {
    case ChequeItem::Amount:
        return QStringLiteral("le montant en chiffres");
    case ChequeItem::Payee:
        return QStringLiteral("l'ordre");
    case ChequeItem::Place:
        return QStringLiteral("le lieu");
    case ChequeItem::Date:
        return QStringLiteral("la date");
    case ChequeItem::FirstWordsLine:
        return QStringLiteral("la première ligne en lettres");
    case ChequeItem::SecondWordsLine:
        return QStringLiteral("la deuxième ligne en lettres");
    }
    return QString();
}

QStringList layoutProblems(const QList<QRectF> &itemBoxes, const QRectF &cheque)
{
    QStringList problems;
    const int count = std::min(int(itemBoxes.size()), ChequeItemCount);
    // An empty text prints nothing, wherever it stands.
    const auto printed = [&itemBoxes](int i) { return itemBoxes[i].width() > 0; };
    for (int i = 0; i < count; ++i) {
        if (printed(i) && !cheque.contains(itemBoxes[i]))
            problems << QStringLiteral("%1 sort du chèque").arg(itemName(ChequeItem(i)));
    }
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (printed(i) && printed(j) && itemBoxes[i].intersects(itemBoxes[j]))
                problems << QStringLiteral("%1 et %2 se chevauchent").arg(itemName(ChequeItem(i)), itemName(ChequeItem(j)));
        }
    }
    for (QString &problem : problems)
        problem[0] = problem[0].toUpper();
    return problems;
}

} // namespace calibration
