#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Reading back what a print job put on paper: the words of a PDF with their
// boxes, as `pdftotext -bbox` finds them, and the fonts it uses.
//
// Boxes are in points from the top-left corner of the page (1 pt = 20 twips).
// The top of a box is the top of the font's ascent, so a text printed at
// (x, y) twips has xMin = x / 20 and yMin = y / 20 plus the page's origin.

// A tenth of a millimetre in twips (56.7 twips a millimetre).
constexpr double TenthMillimetreTwips = 5.67;
constexpr double TwipsPerPoint = 20.0;

struct PdfWord
{
    QString text;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;

    double leftTwips() const { return xMin * TwipsPerPoint; }
    double topTwips() const { return yMin * TwipsPerPoint; }
    double widthTwips() const { return (xMax - xMin) * TwipsPerPoint; }
    double heightTwips() const { return (yMax - yMin) * TwipsPerPoint; }
};

enum class PageTurn { Portrait, Landscape };

struct PdfPage
{
    double width = 0;
    double height = 0;
    QList<PdfWord> words;

    // The page as the job drew it. A landscape job comes out of the queue as
    // a portrait sheet with the drawing turned a quarter turn anticlockwise:
    // the drawing's (x, y) is the sheet's (y, height - x), and its text runs
    // up the sheet. Turned back, every word's box is in the drawing's
    // coordinates again. A page already landscape is left as it is.
    PdfPage as(PageTurn turn) const;

    // The words with this text, in reading order.
    QList<PdfWord> find(const QString &text) const;
    // All the words' texts, in the order pdftotext gives them.
    QStringList texts() const;
};

// Runs pdftotext -bbox on the file. An empty list, with the reason, when the
// tool fails or its output cannot be read.
QList<PdfPage> readPdfWords(const QString &pdfPath, QString *why = nullptr);

// The names of the fonts the file uses, as pdffonts lists them, without the
// subset prefix ("LiberationSans-Bold", not "ABCDEF+LiberationSans-Bold").
QStringList readPdfFonts(const QString &pdfPath, QString *why = nullptr);
