#pragma once

#include "bank_layouts/chequeprint.h"
#include "calibration/layouteditor.h"
#include "platform/result.h"

#include <QList>
#include <QRectF>
#include <QStringList>

namespace platform {
class PrinterSurface;
}

namespace calibration {

// The six items of a cheque, in the order the print routine prints them.
enum class ChequeItem { Amount, Payee, Place, Date, FirstWordsLine, SecondWordsLine };
constexpr int ChequeItemCount = 6;

// What the cheque print routine sends for this layout, as typed in the
// editor, and this cheque: the very routine, on the surface given. Fails
// (with the printer's reason) when the layout's font cannot be set up.
platform::Result<void> printWithLayout(platform::PrinterSurface &printer, const LayoutFields &layout,
                                       const bank_layouts::ChequeFields &cheque);

// The cheque itself on the printer's page, in twips: where a calibrated
// printer puts it, its top-left corner at the printer offsets.
QRectF chequeArea(const bank_layouts::ChequeFields &cheque);

// What would spoil the cheque, in French, from where the six items were
// printed (the boxes of their texts, in printing order): an item that leaves
// the cheque, two that overlap.
QStringList layoutProblems(const QList<QRectF> &itemBoxes, const QRectF &cheque);

// The item's name as the hints give it.
QString itemName(ChequeItem item);

} // namespace calibration
