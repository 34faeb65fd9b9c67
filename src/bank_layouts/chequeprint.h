#pragma once

#include "amount_words/wordsplit.h"
#include "bank_layouts/layoutfile.h"

#include <QString>

#include <functional>

namespace platform {
class PrinterSurface;
}

namespace bank_layouts {

// The printer offsets, in millimetres, as the main window holds them (Text5
// and Text6): what the calibration found this printer adds to every bank's
// positions.
struct PrinterOffsets
{
    QString vertical;   // positive moves the print down
    QString horizontal; // positive moves the print right

    bool operator==(const PrinterOffsets &other) const
    {
        return vertical == other.vertical && horizontal == other.horizontal;
    }
};

// What the cheque is printed from: the main window's fields as they stand.
struct ChequeFields
{
    QString amount;           // text1
    QString words;            // Text2
    QString payee;            // Text8
    QString place;            // Text7
    QString date;             // Text4
    QString verticalOffset;   // Text5, millimetres
    QString horizontalOffset; // Text6, millimetres
};

// Prints one cheque at the positions of the layout loaded last (LayoutTwips,
// and the printer font it set), shifted by the printer offsets, in landscape,
// then sets portrait back. Leaves the two printed word lines in WordsLine1
// and WordsLine2.
//
// Throws platform::PrinterError when the printer fails or a position does
// not fit; a page already started is then dropped, so no half-printed
// cheque comes out later. `handingOver`, when given, runs just before the
// page is handed to the printing system, with the lines of words as they
// are printed on it.
void printCheque(platform::PrinterSurface &printer, const ChequeFields &fields,
                 const std::function<void(const amount_words::SplitLines &)> &handingOver = {});

// The two halves of printCheque(), for a layout of the caller's (the
// editor's preview draws with them):
// the words with stars in front, split over the two lines with the layout's
// maximum length of the first line, measured in the printer's current font;
amount_words::SplitLines chequeWords(platform::PrinterSurface &printer, const ChequeFields &fields,
                                     const LayoutValues &layout);
// and the six items printed with those lines. On a plain sheet (a proof to
// hold a blank cheque over against the light) the cheque's outline, dotted,
// goes under them where the cheque would stand: at the printer offsets.
enum class Paper { Cheque, PlainSheet };
void printChequeItems(platform::PrinterSurface &printer, const ChequeFields &fields, const LayoutValues &layout,
                      const amount_words::SplitLines &words, Paper paper = Paper::Cheque,
                      const std::function<void()> &handingOver = {});

// A French cheque, 175 x 80 mm, in twips.
constexpr double ChequeWidthTwips = 175 * 56.7;
constexpr double ChequeHeightTwips = 80 * 56.7;

} // namespace bank_layouts
