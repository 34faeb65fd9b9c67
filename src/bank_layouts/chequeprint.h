#pragma once

#include "amount_words/wordsplit.h"
#include "bank_layouts/layoutfile.h"
#include "common/numeric.h"
#include "platform/printersurface.h"

#include <QString>

#include <functional>

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
    QString amount; // text1
    QString words;  // Text2
    QString payee;  // Text8
    QString place;  // Text7
    QString date;   // Text4
};

// The printer refused the layout's font: the layout file is to be
// corrected, where any other PrinterError is the printer's own.
class LayoutFontError : public platform::PrinterError
{
public:
    using platform::PrinterError::PrinterError;
};

// Prints one cheque at the layout's positions shifted by the printer
// offsets, in landscape, then sets portrait back. The layout's font name
// and size go to the printer first, and the words are split in that font
// over the layout's first line; gives the two lines of words as they are
// printed.
//
// Throws LayoutFontError when the printer refuses the layout's font, before
// anything is drawn; platform::PrinterError when the printer fails otherwise
// or a position does not fit: a page already started is then dropped, so no
// half-printed cheque comes out later. `handingOver`, when given, runs just
// before the page is handed to the printing system, with the lines of words
// as they are printed on it.
amount_words::SplitLines printCheque(platform::PrinterSurface &printer, const Layout &layout,
                                     const PrinterOffsets &offsets, const ChequeFields &fields,
                                     const std::function<void(const amount_words::SplitLines &)> &handingOver = {});

// The three steps of printCheque(), for the editor's proof, which names its
// page between them:
// the layout's font name and size set on the printer, or LayoutFontError;
void setLayoutFont(platform::PrinterSurface &printer, const Layout &layout);
// the words with stars in front, split over the two lines with the layout's
// maximum length of the first line, measured in the printer's current font;
amount_words::SplitLines chequeWords(platform::PrinterSurface &printer, const Layout &layout,
                                     const ChequeFields &fields);
// and the six items printed with those lines. On a plain sheet (a proof to
// hold a blank cheque over against the light) the cheque's outline, dotted,
// goes under them where the cheque would stand: at the printer offsets.
enum class Paper { Cheque, PlainSheet };
void printChequeItems(platform::PrinterSurface &printer, const Layout &layout, const PrinterOffsets &offsets,
                      const ChequeFields &fields, const amount_words::SplitLines &words, Paper paper = Paper::Cheque,
                      const std::function<void()> &handingOver = {});

// A French cheque, 175 x 80 mm, in twips.
constexpr double ChequeWidthTwips = 175 * common::TwipsPerMm;
constexpr double ChequeHeightTwips = 80 * common::TwipsPerMm;

} // namespace bank_layouts
