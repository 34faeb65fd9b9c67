#include "bank_layouts/banklist.h"

#include "bank_layouts/layoutfile.h"

namespace bank_layouts {

QString BankList::fileAt(int index) const
{
    return index >= 0 && index < BankFileSlots ? files[std::size_t(index)] : QString();
}

BankList charge_banque(const BankList &before)
{
    BankList list;
    list.files = before.files;
    const QStringList files = layoutFiles();
    for (int i = 0; i < files.size() && i < BankFileSlots; ++i) {
        list.files[std::size_t(i)] = files[i];
        // Only fifteen buttons: the first fifteen banks in name order.
        if (i >= BankButtonCount)
            continue;
        const platform::Result<QString> name = readBankName(files[i]);
        list.faces.append({bankPictureName(files[i]), name ? std::optional<QString>(*name) : std::nullopt});
    }
    return list;
}

} // namespace bank_layouts
