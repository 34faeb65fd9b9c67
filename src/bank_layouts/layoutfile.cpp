#include "bank_layouts/layoutfile.h"

#include "common/numeric.h"
#include "platform/folder.h"
#include "platform/printersurface.h"
#include "platform/textfile.h"

namespace bank_layouts {

std::array<QString, BankFileSlots> BankFiles;
QString SelectedBankFile;
LayoutValues LayoutTwips{};

namespace {

platform::Failure tooShort()
{
    return platform::fail(QStringLiteral("le fichier a moins de seize lignes"));
}

} // namespace

platform::Result<BankLayout> readLayout(const QString &path)
{
    const platform::Result<QStringList> lines = platform::readTextLines(path, LayoutLineCount);
    if (!lines)
        return platform::fail(lines.error());
    if (lines->size() < LayoutLineCount)
        return tooShort();
    BankLayout layout;
    layout.bankName = lines->at(0);
    layout.fontName = lines->at(1);
    layout.fontSize = common::numericValue(lines->at(2));
    for (int k = 0; k < LayoutValueCount; ++k)
        layout.values[k] = common::numericValue(lines->at(3 + k));
    return layout;
}

platform::Result<QString> readBankName(const QString &path)
{
    const platform::Result<QStringList> lines = platform::readTextLines(path, 1);
    if (!lines)
        return platform::fail(lines.error());
    if (lines->isEmpty())
        return platform::fail(QStringLiteral("le fichier est vide"));
    return lines->first();
}

QString bankPictureName(const QString &layoutFileName)
{
    const int dot = layoutFileName.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return layoutFileName + QStringLiteral(".bmp");
    return layoutFileName.left(dot + 1) + QStringLiteral("bmp");
}

QStringList layoutFiles()
{
    return platform::listFiles(QStringLiteral("."), QStringLiteral("bq_*.txt"));
}

platform::Result<void> applyLayout(const QStringList &lines, platform::PrinterSurface &printer, LayoutValues &twips)
{
    // Line 1, the bank's name, is not needed for printing.
    if (lines.size() < 2)
        return tooShort();
    printer.setFontName(lines[1]);
    if (lines.size() < 3)
        return tooShort();
    printer.setFontSize(static_cast<float>(common::numericValue(lines[2])));
    for (int k = 1; k <= LayoutValueCount; ++k) {
        if (lines.size() < 3 + k)
            return tooShort();
        twips[std::size_t(k)] = common::mmToTwips(common::numericValue(lines[2 + k]));
    }
    return {};
}

platform::Result<void> loadLayout(const QString &path, platform::PrinterSurface &printer)
{
    const platform::Result<QStringList> lines = platform::readTextLines(path, LayoutLineCount);
    if (!lines)
        return platform::fail(lines.error());
    return applyLayout(*lines, printer, LayoutTwips);
}

} // namespace bank_layouts
