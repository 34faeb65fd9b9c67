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

platform::Result<QStringList> readLayoutLines(const QString &path)
{
    return platform::readTextLines(path, LayoutLineCount);
}

platform::Result<void> writeLayoutFile(const QString &path, const QStringList &lines)
{
    return platform::writeTextLines(path, lines);
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

platform::Result<QString> loadLayout(const QString &path, platform::PrinterSurface &printer)
{
    const platform::Result<QStringList> lines = readLayoutLines(path);
    if (!lines)
        return platform::fail(lines.error());
    if (const platform::Result<void> applied = applyLayout(*lines, printer, LayoutTwips); !applied)
        return platform::fail(applied.error());
    return lines->first();
}

} // namespace bank_layouts
