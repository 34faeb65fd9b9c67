#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace bank_layouts {

// What one bank button shows.
struct BankButtonFace
{
    QString pictureFile;            // the bank's own picture, when it has one
    std::optional<QString> caption; // the bank's name; none when the layout
                                    // cannot be read (the button keeps its
                                    // caption and shows the default picture)
};

// The bank list, built afresh from the layout files of the working folder:
// BankFiles takes their names in name order (the entries beyond them keep
// what they had), SelectedBankFile the last one. Gives the faces of the
// buttons, one per file up to the number of buttons.
QList<BankButtonFace> charge_banque();

} // namespace bank_layouts
