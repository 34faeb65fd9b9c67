#include "bank_layouts/banklist.h"

#include "bank_layouts/layoutfile.h"

namespace bank_layouts {

QList<BankButtonFace> charge_banque()
{
    QList<BankButtonFace> faces;
    const QStringList files = layoutFiles();
    for (int i = 0; i < files.size() && i < BankFileSlots; ++i) {
        SelectedBankFile = files[i];
        BankFiles[std::size_t(i)] = files[i];
        // Only fifteen buttons: the first fifteen banks in name order.
        if (i >= BankButtonCount)
            continue;
        const platform::Result<QString> name = readBankName(files[i]);
        faces.append({bankPictureName(files[i]), name ? std::optional<QString>(*name) : std::nullopt});
    }
    return faces;
}

} // namespace bank_layouts
