#pragma once

#include "platform/result.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace bank_layouts {

constexpr int LayoutValueCount = 13;
constexpr int LayoutLineCount = 16;

// A bank's layout file, "bq_" + code + ".txt": sixteen lines, Windows-1252,
// CR LF: the bank's name, the font's name and size, then thirteen values in
// millimetres (amount x, y; payee x, y; place x, y; date x, y; first words
// line x, y; second words line x, y; the first line's maximum length).

// Its lines as the file holds them, sixteen at most: fewer where it ends.
platform::Result<QStringList> readLayoutLines(const QString &path);

// One number of a layout (a position, a length, the font size): the text it
// was read or typed as, kept so that a value nobody touched is written back
// byte for byte, and the number the print reads from it.
class LayoutNumber
{
public:
    LayoutNumber() = default;
    // As a line of the file holds it, whatever it holds: a line without a
    // leading number reads as 0, as the print reads it.
    static LayoutNumber fromFile(const QString &line);
    // As typed in a field; none when the text is no number in millimetres
    // (or points). A decimal comma becomes the file's ".". An empty text, a
    // lone "-" or a number ending in its point are kept as the steps of
    // typing one.
    static std::optional<LayoutNumber> fromTyped(const QString &typed);
    // A value worked out by the program (a drag on the cheque): to the tenth,
    // in its shortest form ("26", "26.5").
    static LayoutNumber fromMm(double mm);

    QString text() const { return m_text; }
    double value() const { return m_value; }

    bool operator==(const LayoutNumber &other) const { return m_text == other.m_text; }
    bool operator!=(const LayoutNumber &other) const { return !(*this == other); }

private:
    explicit LayoutNumber(const QString &text);

    QString m_text;
    double m_value = 0;
};

// Where an item is printed, in millimetres from the cheque's top-left
// corner.
struct LayoutPoint
{
    LayoutNumber x; // from the left edge
    LayoutNumber y; // from the top edge

    bool operator==(const LayoutPoint &other) const { return x == other.x && y == other.y; }
    bool operator!=(const LayoutPoint &other) const { return !(*this == other); }
};

// The six items of a cheque, in the order the print routine prints them.
enum class ChequeItem { Amount, Payee, Place, Date, FirstWordsLine, SecondWordsLine };
constexpr int ChequeItemCount = 6;

// A bank's layout as one value, from the file to the paper. A new bank
// starts with these.
struct Layout
{
    QString bankName = QStringLiteral("Nom de la banque");
    QString fontName = QStringLiteral("Arial");
    LayoutNumber fontSize = LayoutNumber::fromFile(QStringLiteral("10"));
    LayoutPoint amount{LayoutNumber::fromFile(QStringLiteral("132")), LayoutNumber::fromFile(QStringLiteral("26"))};
    LayoutPoint payee{LayoutNumber::fromFile(QStringLiteral("6")), LayoutNumber::fromFile(QStringLiteral("29"))};
    LayoutPoint place{LayoutNumber::fromFile(QStringLiteral("90")), LayoutNumber::fromFile(QStringLiteral("38"))};
    LayoutPoint date{LayoutNumber::fromFile(QStringLiteral("134")), LayoutNumber::fromFile(QStringLiteral("38"))};
    LayoutPoint firstWordsLine{LayoutNumber::fromFile(QStringLiteral("55")),
                               LayoutNumber::fromFile(QStringLiteral("17"))};
    LayoutPoint secondWordsLine{LayoutNumber::fromFile(QStringLiteral("6")),
                                LayoutNumber::fromFile(QStringLiteral("43"))};
    // The first words line's maximum length, in millimetres.
    LayoutNumber firstLineLength = LayoutNumber::fromFile(QStringLiteral("60"));

    // Where an item is printed, for what goes through the six items in turn
    // (the print, the editor's placement view).
    LayoutPoint &position(ChequeItem item);
    const LayoutPoint &position(ChequeItem item) const;

    // The thirteen numbers after the font, in the order of the file's lines
    // (amount x, y; payee x, y; place x, y; date x, y; first words line x,
    // y; second words line x, y; the first line's maximum length), for
    // what walks the file's lines: the reading, the writing and the
    // editor's fields, laid out in that order. Everything else names them.
    std::array<LayoutNumber *, LayoutValueCount> inFileOrder();
    std::array<const LayoutNumber *, LayoutValueCount> inFileOrder() const;

    bool operator==(const Layout &other) const;
    bool operator!=(const Layout &other) const { return !(*this == other); }
};

// Reads a layout file into `layout`, line by line as far as the file goes:
// what it does not hold keeps what `layout` had. Gives the number of lines
// read (sixteen for a whole layout).
platform::Result<int> readLayout(const QString &path, Layout &layout);

// Reads a layout file for printing: a whole one, all sixteen lines; one that
// ends early fails.
platform::Result<Layout> readWholeLayout(const QString &path);

// Writes the sixteen lines, each as its value holds it, replacing the file in
// one step.
platform::Result<void> writeLayout(const QString &path, const Layout &layout);

// The first line of a layout file: its bank's name.
platform::Result<QString> readBankName(const QString &path);

// The bank's picture: the layout file's name up to and including its first
// ".", then "bmp".
QString bankPictureName(const QString &layoutFileName);

// The layout files of the working folder, "bq_*.txt", in name order. Case is
// ignored, as it is on the systems the layouts are often copied from.
QStringList layoutFiles();

} // namespace bank_layouts
