#include "bank_layouts/layoutfile.h"

#include "common/numeric.h"
#include "platform/printersurface.h"
#include "platform/textfile.h"

#include <QDir>

namespace bank_layouts {

std::array<QString, BankFileSlots> BankFiles;
QString SelectedBankFile;
std::array<float, 51> LayoutTwips{};

namespace {
constexpr int LayoutLineCount = 16;
}

std::optional<BankLayout> readLayout(const QString &path)
{
    const std::optional<QStringList> lines = platform::readTextLines(path);
    if (!lines || lines->size() < LayoutLineCount)
        return std::nullopt;
    BankLayout layout;
    layout.bankName = lines->at(0);
    layout.fontName = lines->at(1);
    layout.fontSize = common::numericValue(lines->at(2));
    for (int k = 0; k < LayoutValueCount; ++k)
        layout.values[k] = common::numericValue(lines->at(3 + k));
    return layout;
}

std::optional<QString> readBankName(const QString &path)
{
    const std::optional<QStringList> lines = platform::readTextLines(path);
    if (!lines || lines->isEmpty())
        return std::nullopt;
    return lines->first();
}

QString bankPictureName(const QString &layoutFileName)
{
    const int dot = layoutFileName.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return layoutFileName + QStringLiteral(".bmp");
    return layoutFileName.left(dot + 1) + QStringLiteral("bmp");
}

QStringList layoutFiles(const QString &folder)
{
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("bq_*.txt")});
    dir.setFilter(QDir::Files | QDir::Readable | QDir::Hidden);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

void loadLayout(const QString &path, platform::PrinterSurface &printer)
{
    // Line by line, as the printer is set up: a file cut short fails where it
    // ends, and what was set before stays.
    const std::optional<QStringList> lines = platform::readTextLines(path);
    if (!lines)
        throw platform::PrinterError("layout file cannot be read");
    const auto line = [&lines](int index) {
        if (index >= lines->size())
            throw platform::PrinterError("layout file has fewer than sixteen lines");
        return lines->at(index);
    };
    line(0);
    printer.setFontName(line(1));
    printer.setFontSize(static_cast<float>(common::numericValue(line(2))));
    for (int k = 1; k <= LayoutValueCount; ++k)
        LayoutTwips[k] = common::mmToTwips(common::numericValue(line(2 + k)));
}

} // namespace bank_layouts
