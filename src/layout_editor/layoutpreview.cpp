#include "layout_editor/layoutpreview.h"

#include "common/numeric.h"
#include "platform/printersurface.h"

namespace layout_editor {

namespace {

QRectF mmRect(double left, double top, double width, double height)
{
    return QRectF(left * common::TwipsPerMm, top * common::TwipsPerMm, width * common::TwipsPerMm,
                  height * common::TwipsPerMm);
}

QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

} // namespace

platform::Result<void> printWithLayout(platform::PrinterSurface &printer, const bank_layouts::Layout &layout,
                                       const bank_layouts::PrinterOffsets &offsets,
                                       const bank_layouts::ChequeFields &cheque)
{
    try {
        bank_layouts::printCheque(printer, layout, offsets, cheque);
    } catch (const platform::PrinterError &error) {
        return platform::fail(error.message());
    }
    return {};
}

void printProof(platform::PrinterSurface &printer, const bank_layouts::Layout &layout,
                const bank_layouts::PrinterOffsets &offsets, const bank_layouts::ChequeFields &cheque)
{
    bank_layouts::setLayoutFont(printer, layout);
    const amount_words::SplitLines words = bank_layouts::chequeWords(printer, layout, cheque);
    printer.setDocumentName(QStringLiteral("Essai sur papier blanc – %1").arg(layout.bankName));
    bank_layouts::printChequeItems(printer, layout, offsets, cheque, words, bank_layouts::Paper::PlainSheet);
}

bank_layouts::ChequeFields withSamples(const bank_layouts::ChequeFields &cheque)
{
    bank_layouts::ChequeFields sample = cheque;
    if (sample.amount.trimmed().isEmpty() || sample.words.trimmed().isEmpty()) {
        sample.amount = QStringLiteral("1575.98");
        sample.words = QStringLiteral("MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE VINGT DIX HUIT CENTIMES");
    }
    if (sample.payee.trimmed().isEmpty())
        sample.payee = QStringLiteral("Nom du bénéficiaire");
    if (sample.place.trimmed().isEmpty())
        sample.place = QStringLiteral("Ville");
    if (sample.date.trimmed().isEmpty())
        sample.date = QStringLiteral("01/01/2026");
    return sample;
}

QRectF chequeArea(const bank_layouts::PrinterOffsets &offsets)
{
    return QRectF(common::numericValue(offsets.horizontal) * common::TwipsPerMm,
                  common::numericValue(offsets.vertical) * common::TwipsPerMm, bank_layouts::ChequeWidthTwips,
                  bank_layouts::ChequeHeightTwips);
}

QRectF zoneRect(Zone zone)
{
    // From the top of a French cheque: the amount's box at the right, the
    // two ruled lines of the words, the payee's line, place and date at the
    // right, the signature at the bottom right above the magnetic band that
    // the bank prints along the bottom edge.
    switch (zone) {
    case Zone::AmountBox:
        return mmRect(118, 3, 56, 14);
    case Zone::FirstWordsLine:
        return mmRect(4, 13, 170, 8);
    case Zone::SecondWordsLine:
        return mmRect(4, 21, 170, 7);
    case Zone::PayeeLine:
        return mmRect(4, 28, 170, 7);
    case Zone::PlaceAndDate:
        return mmRect(60, 34, 114, 11);
    case Zone::Signature:
        return mmRect(100, 46, 74, 20);
    case Zone::Cmc7Band:
        return mmRect(0, 66, 175, 14);
    }
    return QRectF();
}

Zone zoneOf(ChequeItem item)
{
    switch (item) {
    case ChequeItem::Amount:
        return Zone::AmountBox;
    case ChequeItem::Payee:
        return Zone::PayeeLine;
    case ChequeItem::Place:
    case ChequeItem::Date:
        return Zone::PlaceAndDate;
    case ChequeItem::FirstWordsLine:
        return Zone::FirstWordsLine;
    case ChequeItem::SecondWordsLine:
        return Zone::SecondWordsLine;
    }
    return Zone::AmountBox;
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

QStringList layoutProblems(const QList<QRectF> &itemBoxes)
{
    QStringList problems;
    const int count = std::min(int(itemBoxes.size()), ChequeItemCount);
    // An empty text prints nothing, wherever it stands.
    const auto printed = [&itemBoxes](int i) { return itemBoxes[i].width() > 0; };
    const QRectF cheque(0, 0, bank_layouts::ChequeWidthTwips, bank_layouts::ChequeHeightTwips);
    for (int i = 0; i < count; ++i) {
        if (!printed(i))
            continue;
        const QString name = itemName(ChequeItem(i));
        if (!cheque.contains(itemBoxes[i]))
            problems << QStringLiteral("%1 sort du chèque").arg(name);
        else if (!zoneRect(zoneOf(ChequeItem(i))).contains(itemBoxes[i]))
            problems << QStringLiteral("%1 sort de sa zone").arg(name);
        if (itemBoxes[i].intersects(zoneRect(Zone::Signature)))
            problems << QStringLiteral("%1 empiète sur la signature").arg(name);
        if (itemBoxes[i].intersects(zoneRect(Zone::Cmc7Band)))
            problems << QStringLiteral("%1 empiète sur la bande magnétique").arg(name);
    }
    for (int j = 0; j < count; ++j) {
        for (int i = 0; i < j; ++i) {
            if (printed(i) && printed(j) && itemBoxes[i].intersects(itemBoxes[j]))
                problems << QStringLiteral("%1 chevauche %2").arg(itemName(ChequeItem(j)), itemName(ChequeItem(i)));
        }
    }
    for (QString &problem : problems)
        problem = capitalised(problem);
    return problems;
}

} // namespace layout_editor
