#include "bank_layouts/layoutfile.h"

#include "common/numeric.h"
#include "platform/folder.h"
#include "platform/textfile.h"

#include <QRegularExpression>

#include <cmath>

namespace bank_layouts {

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

LayoutNumber::LayoutNumber(const QString &text)
    : m_text(text)
    , m_value(common::numericValue(text))
{
}

LayoutNumber LayoutNumber::fromFile(const QString &line)
{
    return LayoutNumber(line);
}

std::optional<LayoutNumber> LayoutNumber::fromTyped(const QString &typed)
{
    // Up to four figures, a point or a comma, three decimals: more than a
    // sheet measures, and nothing a misplaced key makes of it. Anchored to
    // the very end: "$" would let a final line feed through.
    static const QRegularExpression number(
        QRegularExpression::anchoredPattern(QStringLiteral("-?[0-9]{0,4}([.,][0-9]{0,3})?")));
    if (!number.match(typed).hasMatch())
        return std::nullopt;
    QString text = typed;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    return LayoutNumber(text);
}

LayoutNumber LayoutNumber::fromMm(double mm)
{
    const double tenths = std::round(mm * 10.0);
    // No "-0" for a value dragged back to the edge.
    QString text = QString::number(tenths == 0.0 ? 0.0 : tenths / 10.0, 'f', 1);
    if (text.endsWith(QLatin1String(".0")))
        text.chop(2);
    return LayoutNumber(text);
}

namespace {

// One list for both constnesses: the file's order is written once.
template <typename L>
auto numbersInFileOrder(L &layout)
{
    return std::array{&layout.amount.x,
                      &layout.amount.y,
                      &layout.payee.x,
                      &layout.payee.y,
                      &layout.place.x,
                      &layout.place.y,
                      &layout.date.x,
                      &layout.date.y,
                      &layout.firstWordsLine.x,
                      &layout.firstWordsLine.y,
                      &layout.secondWordsLine.x,
                      &layout.secondWordsLine.y,
                      &layout.firstLineLength};
}

template <typename L>
auto &itemPosition(L &layout, ChequeItem item)
{
    switch (item) {
    case ChequeItem::Amount:
        return layout.amount;
    case ChequeItem::Payee:
        return layout.payee;
    case ChequeItem::Place:
        return layout.place;
    case ChequeItem::Date:
        return layout.date;
    case ChequeItem::FirstWordsLine:
        return layout.firstWordsLine;
    case ChequeItem::SecondWordsLine:
        break;
    }
    return layout.secondWordsLine;
}

} // namespace

LayoutPoint &Layout::position(ChequeItem item)
{
    return itemPosition(*this, item);
}

const LayoutPoint &Layout::position(ChequeItem item) const
{
    return itemPosition(*this, item);
}

std::array<LayoutNumber *, LayoutValueCount> Layout::inFileOrder()
{
    return numbersInFileOrder(*this);
}

std::array<const LayoutNumber *, LayoutValueCount> Layout::inFileOrder() const
{
    return numbersInFileOrder(*this);
}

bool Layout::operator==(const Layout &other) const
{
    return bankName == other.bankName && fontName == other.fontName && fontSize == other.fontSize &&
           amount == other.amount && payee == other.payee && place == other.place && date == other.date &&
           firstWordsLine == other.firstWordsLine && secondWordsLine == other.secondWordsLine &&
           firstLineLength == other.firstLineLength;
}

platform::Result<int> readLayout(const QString &path, Layout &layout)
{
    const platform::Result<QStringList> lines = readLayoutLines(path);
    if (!lines)
        return lines.failure();
    const int count = int(lines->size());
    if (count > 0)
        layout.bankName = lines->at(0);
    if (count > 1)
        layout.fontName = lines->at(1);
    if (count > 2)
        layout.fontSize = LayoutNumber::fromFile(lines->at(2));
    const auto numbers = layout.inFileOrder();
    for (int k = 0; k < LayoutValueCount && 3 + k < count; ++k)
        *numbers[std::size_t(k)] = LayoutNumber::fromFile(lines->at(3 + k));
    return count;
}

platform::Result<Layout> readWholeLayout(const QString &path)
{
    Layout layout;
    const platform::Result<int> read = readLayout(path, layout);
    if (!read)
        return read.failure();
    if (*read < LayoutLineCount)
        return tooShort();
    return layout;
}

platform::Result<void> writeLayout(const QString &path, const Layout &layout)
{
    QStringList lines{layout.bankName, layout.fontName, layout.fontSize.text()};
    for (const LayoutNumber *value : layout.inFileOrder())
        lines << value->text();
    return platform::writeTextLines(path, lines);
}

platform::Result<QString> readBankName(const QString &path)
{
    const platform::Result<QStringList> lines = platform::readTextLines(path, 1);
    if (!lines)
        return lines.failure();
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

} // namespace bank_layouts
