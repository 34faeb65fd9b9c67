#pragma once

#include <QList>
#include <QString>

#include <array>
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

constexpr int BankFileSlots = 21;
constexpr int BankButtonCount = 15;

// The banks behind the buttons.
struct BankList
{
    // BankFiles: the layout file names by button index. A rebuilt list
    // overwrites the entries it has files for and keeps the others, so that
    // a button whose file went away still names it (and says it cannot be
    // read) rather than another bank's.
    std::array<QString, BankFileSlots> files;
    // The faces of the buttons, one per file up to the number of buttons.
    QList<BankButtonFace> faces;

    // The file behind a button; empty for none.
    QString fileAt(int index) const;
};

// The bank list, built afresh from the layout files of the working folder
// over the list it replaces: the files in name order take their entries.
BankList charge_banque(const BankList &before = {});

} // namespace bank_layouts
