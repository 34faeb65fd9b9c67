#pragma once

#include "bank_layouts/banklist.h"
#include "cheque_reader/keyburst.h"
#include "layout_editor/layouteditor.h"

#include <QList>
#include <QStringList>

namespace main_window {

// What the program's run asks of the main window itself: the start-up steps
// that concern the window, and showing what the rules worked out.
class WindowSide
{
public:
    virtual ~WindowSide() = default;

    // The shop's picture, "fc_img_024.gif": for every dialog (through the
    // image store) and for the cheque's corner. Left as it was when the file
    // cannot be read.
    virtual void loadShopPicture() = 0;
    // The window's size and place on the screen.
    virtual void place() = 0;
    // The bank buttons from the first one on; the others keep what they show.
    virtual void showBankButtons(const QList<bank_layouts::BankButtonFace> &faces) = 0;
    // The on-screen width of the first line of words, in twips: the limit of
    // the split that the cheque on the screen shows.
    virtual double firstLineWidth() const = 0;
    virtual void repaintNow() = 0;
    // The printer list and its selected entry (-1: none).
    virtual void showPrinters(const QStringList &entries, int selected) = 0;
    virtual void showFirstInstallation() = 0;
    // Brings the window to the front once, half a second from now.
    virtual void armFrontTimer() = 0;

    // The layout editor on the bank of a button, modal. False when it closed
    // during its own opening.
    virtual bool openLayoutEditor(const layout_editor::EditedBank &bank) = 0;
    // The printer set-up window, modal.
    virtual void openPrinterSetup() = 0;
    virtual void hideFirstInstallation() = 0;
    // The cheque a reader read, announced ("Chèque n° 1234567 – Banque de
    // Test"), and the button of its bank marked (-1: none); an empty text
    // takes both away.
    virtual void showReadCheque(const QString &text, int bankIndex) = 0;
    // What tells a keyboard-wedge reader's line from a person's typing.
    virtual void useWedgeSettings(const cheque_reader::WedgeSettings &settings) = 0;
};

} // namespace main_window
