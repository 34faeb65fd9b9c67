#pragma once

#include "bank_layouts/chequeprint.h"
#include "bank_layouts/layoutfile.h"
#include "platform/result.h"

#include <QList>
#include <QRectF>
#include <QStringList>

namespace platform {
class PrinterSurface;
}

namespace layout_editor {

// The six items of a cheque, as the print routine names them.
using bank_layouts::ChequeItem;
using bank_layouts::ChequeItemCount;

// What the cheque print routine sends for this layout, these offsets and
// this cheque: the very routine, on the surface given. Fails (with the
// printer's reason) when the layout's font cannot be set up or an item
// cannot be placed.
platform::Result<void> printWithLayout(platform::PrinterSurface &printer, const bank_layouts::Layout &layout,
                                       const bank_layouts::PrinterOffsets &offsets,
                                       const bank_layouts::ChequeFields &cheque);

// The proof on plain paper: the cheque's dotted outline and its items at the
// layout's positions plus the printer offsets, through the cheque's print
// routine, as one page. Throws platform::PrinterError when the printer fails.
void printProof(platform::PrinterSurface &printer, const bank_layouts::Layout &layout,
                const bank_layouts::PrinterOffsets &offsets, const bank_layouts::ChequeFields &cheque);

// The cheque as it would print now, with a sample text for an amount, a
// payee, a place or a date that is empty now and would show nothing.
bank_layouts::ChequeFields withSamples(const bank_layouts::ChequeFields &cheque);

// The cheque itself on the printer's page, in twips: where a calibrated
// printer puts it, its top-left corner at the printer offsets.
QRectF chequeArea(const bank_layouts::PrinterOffsets &offsets);

// The zones of a French cheque, in twips from its top-left corner.
enum class Zone { AmountBox, FirstWordsLine, SecondWordsLine, PayeeLine, PlaceAndDate, Signature, Cmc7Band };
constexpr int ZoneCount = 7;
QRectF zoneRect(Zone zone);
// The zone where an item is written.
Zone zoneOf(ChequeItem item);

// What would spoil the cheque, in French, from where the six items were
// printed (the boxes of their texts, in printing order, relative to the
// cheque's top-left corner): an item that leaves the cheque, or its zone,
// one that runs into the signature or the magnetic band, two that overlap.
QStringList layoutProblems(const QList<QRectF> &itemBoxes);

// The item's name as the hints give it, with its article.
QString itemName(ChequeItem item);

} // namespace layout_editor
