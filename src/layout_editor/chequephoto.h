#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QPointF>
#include <QString>

#include <array>

namespace layout_editor {

// The corners of the cheque on its picture, in the picture's pixels: top
// left, top right, bottom right, bottom left.
using Corners = std::array<QPointF, 4>;

// Whether the corners enclose something: all four at one point are corners
// not clicked yet.
bool hasCorners(const Corners &corners);

// Four corners clicked in any order, put clockwise (in the picture's pixels,
// y down) from the one nearest the picture's top left. Fails, saying why in French, when the clicks make no cheque: all
// close together, two at one spot, three in a line, or one inside the
// triangle of the others.
platform::Result<Corners> cornersInOrder(const Corners &clicked);

// A picture of the bank's own cheque, shown under its layout: the picture
// file, where the cheque's corners are on it, and how strongly it shows.
struct ChequePhoto
{
    QString pictureFile; // in the working folder; empty: no picture
    Corners corners{};
    int opacity = 100; // percent

    bool isNull() const { return pictureFile.isEmpty(); }
};

// The files a layout's picture is kept in: the layout file's name up to its
// first ".", then "-cheque" and the suffix: "bq_AB.txt" gives
// "bq_AB-cheque.jpg" and "bq_AB-cheque.ini". Neither can be taken for a
// layout ("bq_*.txt") or for the bank button's picture ("bq_AB.bmp"), and no
// code of five characters makes the name of another bank's.
QString chequePictureName(const QString &layoutFileName, const QString &suffix);

// The picture kept beside a layout; a null one when it has none.
platform::Result<ChequePhoto> readChequePhoto(const QString &layoutFileName);
// Writes the picture's bytes, when there are any (a picture chosen now),
// then its corners and its strength.
platform::Result<void> writeChequePhoto(const QString &layoutFileName, const ChequePhoto &photo,
                                        const QByteArray &pictureBytes);

} // namespace layout_editor
