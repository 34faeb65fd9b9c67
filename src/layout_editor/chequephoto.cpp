#include "layout_editor/chequephoto.h"

#include "common/numeric.h"
#include "platform/folder.h"
#include "platform/regularfile.h"
#include "platform/textfile.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace layout_editor {

namespace {

// The picture's name, the eight coordinates of its corners, its strength.
constexpr int PhotoLines = 10;

// No side of a picture the program takes is longer: a photo has 50 million
// points at most. Past it a corner is no click on the picture, and its
// numbers would overflow the straightening's arithmetic.
constexpr double MaxCornerCoordinate = 50'000'000;

bool onAPicture(const QPointF &corner)
{
    // A NaN fails both tests.
    return corner.x() >= 0 && corner.x() <= MaxCornerCoordinate && corner.y() >= 0 && corner.y() <= MaxCornerCoordinate;
}

// Clicks closer than this, in the picture's pixels, make no cheque.
constexpr double MinCornerSpread = 20;

// The turn at b on the way from a to c: twice the triangle's area, positive
// when it turns clockwise on the screen (y down).
double cross(const QPointF &a, const QPointF &b, const QPointF &c)
{
    const QPointF ab = b - a;
    const QPointF bc = c - b;
    return ab.x() * bc.y() - ab.y() * bc.x();
}

QString cornersFile(const QString &layoutFileName)
{
    return chequePictureName(layoutFileName, QStringLiteral("ini"));
}

} // namespace

bool hasCorners(const Corners &c)
{
    // Twice the area of the four-sided shape, by the shoelace rule.
    double twice = 0;
    for (std::size_t i = 0; i < c.size(); ++i) {
        const QPointF &a = c[i];
        const QPointF &b = c[(i + 1) % c.size()];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return std::fabs(twice) > 2.0;
}

platform::Result<Corners> cornersInOrder(const Corners &clicked)
{
    const auto finite = [](const QPointF &p) { return std::isfinite(p.x()) && std::isfinite(p.y()); };
    if (!std::all_of(clicked.cbegin(), clicked.cend(), finite))
        return platform::fail(QStringLiteral("un des clics est hors de l'image"));
    // The shape's own scale: what is close, or nearly in a line, is so
    // whatever the size of the picture.
    double spread = 0;
    double closest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < clicked.size(); ++i) {
        for (std::size_t j = i + 1; j < clicked.size(); ++j) {
            const double apart = std::hypot(clicked[i].x() - clicked[j].x(), clicked[i].y() - clicked[j].y());
            spread = std::max(spread, apart);
            closest = std::min(closest, apart);
        }
    }
    if (spread < MinCornerSpread)
        return platform::fail(QStringLiteral("les quatre clics sont trop proches les uns des autres"));
    if (closest < spread / 20)
        return platform::fail(QStringLiteral("deux des clics tombent presque au même endroit"));

    // Around their middle, by angle: with y down, a growing angle turns
    // clockwise on the screen.
    const QPointF middle = (clicked[0] + clicked[1] + clicked[2] + clicked[3]) / 4;
    std::array<std::size_t, 4> order{0, 1, 2, 3};
    const auto angle = [&](std::size_t i) {
        return std::atan2(clicked[i].y() - middle.y(), clicked[i].x() - middle.x());
    };
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return angle(a) < angle(b); });
    // From the one nearest the picture's top left, whichever was clicked
    // first: a phone's photo stands upright (its orientation is honoured).
    const auto nearest = std::min_element(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return clicked[a].x() + clicked[a].y() < clicked[b].x() + clicked[b].y();
    });
    std::rotate(order.begin(), nearest, order.end());
    Corners ordered;
    for (std::size_t i = 0; i < order.size(); ++i)
        ordered[i] = clicked[order[i]];

    // Every corner turns clockwise, and clearly so.
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        const double turn = cross(ordered[i], ordered[(i + 1) % 4], ordered[(i + 2) % 4]);
        if (std::fabs(turn) < 0.01 * spread * spread)
            return platform::fail(QStringLiteral("trois des clics sont presque alignés"));
        if (turn < 0)
            return platform::fail(QStringLiteral("un des clics est à l'intérieur du triangle des trois autres"));
    }
    return ordered;
}

QString chequePictureName(const QString &layoutFileName, const QString &suffix)
{
    const int dot = layoutFileName.indexOf(QLatin1Char('.'));
    return (dot < 0 ? layoutFileName : layoutFileName.left(dot)) + QStringLiteral("-cheque.") + suffix;
}

platform::Result<ChequePhoto> readChequePhoto(const QString &layoutFileName)
{
    const QString path = cornersFile(layoutFileName);
    if (!platform::holdsFile(QStringLiteral("."), path))
        return ChequePhoto();
    const platform::Result<QStringList> lines = platform::readTextLines(path, PhotoLines);
    if (!lines)
        return lines.failure();
    if (lines->size() < PhotoLines)
        return platform::fail(QStringLiteral("le fichier « %1 » est incomplet").arg(path));
    ChequePhoto photo;
    photo.pictureFile = lines->at(0);
    // Only a file of the working folder, whoever wrote the line: a name
    // starting with ":" is one of the program's own resources to Qt.
    const QString &name = photo.pictureFile;
    if (name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')) || name.startsWith(QLatin1Char(':')) ||
        !platform::fitsOneLine(name))
        return platform::fail(QStringLiteral("le fichier « %1 » ne nomme pas une image du dossier").arg(path));
    for (std::size_t i = 0; i < photo.corners.size(); ++i) {
        photo.corners[i] =
            QPointF(common::numericValue(lines->at(int(1 + 2 * i))), common::numericValue(lines->at(int(2 + 2 * i))));
    }
    // Corners that no click could have given are not set: the picture shows
    // whole until its corners are clicked again.
    if (!std::all_of(photo.corners.cbegin(), photo.corners.cend(), onAPicture))
        photo.corners = Corners{};
    // Clamped before it is made an integer, which a number past an int's
    // range cannot be.
    const double strength = common::numericValue(lines->at(9));
    photo.opacity = std::isnan(strength) ? 100 : int(std::clamp(strength, 0.0, 100.0));
    return photo;
}

platform::Result<void> writeChequePhoto(const QString &layoutFileName, const ChequePhoto &photo,
                                        const QByteArray &pictureBytes)
{
    if (!pictureBytes.isEmpty()) {
        if (const platform::Result<void> written = platform::writeFileBytes(photo.pictureFile, pictureBytes); !written)
            return written;
    }
    QStringList lines{photo.pictureFile};
    for (const QPointF &corner : photo.corners)
        lines << QString::number(corner.x(), 'f', 2) << QString::number(corner.y(), 'f', 2);
    lines << QString::number(photo.opacity);
    return platform::writeTextLines(cornersFile(layoutFileName), lines);
}

} // namespace layout_editor
