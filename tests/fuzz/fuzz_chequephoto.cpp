// A bank's corners file as another machine, or a hand, may have left it:
// read, its corners straightened and put in order, written back and read
// again.
#include "fuzzing.h"

#include "layout_editor/chequephoto.h"
#include "platform/pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cmath>

using layout_editor::ChequePhoto;
using layout_editor::Corners;

namespace {

constexpr double MaxCorner = 50'000'000;

// The files are named from the layout's name up to its first ".": a folder
// of their own, whose path has none.
const QTemporaryDir &photoFolder()
{
    static const QTemporaryDir dir(
        (QDir::tempPath().contains(QLatin1Char('.')) ? QStringLiteral("/tmp") : QDir::tempPath()) +
        QStringLiteral("/ormeline_coins-XXXXXX"));
    return dir;
}

QString described(const ChequePhoto &photo)
{
    QStringList parts{photo.pictureFile};
    for (const QPointF &corner : photo.corners)
        parts << QString::number(corner.x(), 'g', 17) << QString::number(corner.y(), 'g', 17);
    parts << QString::number(photo.opacity);
    return parts.join(QLatin1Char(' '));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    fuzzing::check(photoFolder().isValid() && !photoFolder().path().contains(QLatin1Char('.')),
                   "un dossier sans point pour les fichiers", photoFolder().path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QDir folder(photoFolder().path());
    {
        QFile file(folder.filePath(QStringLiteral("bq_FUZZ-cheque.ini")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(fuzzing::bytes(data, size)) != qint64(size))
            std::abort();
    }
    const platform::Result<ChequePhoto> photo =
        layout_editor::readChequePhoto(folder.filePath(QStringLiteral("bq_FUZZ.txt")));
    if (!photo) {
        fuzzing::check(!photo.error().isEmpty(), "un refus dit pourquoi");
        return 0;
    }
    fuzzing::check(photo->opacity >= 0 && photo->opacity <= 100, "la visibilité va de 0 à 100", described(*photo));
    if (!photo->isNull()) {
        const QFileInfo picture(folder.filePath(photo->pictureFile));
        fuzzing::check(QDir::cleanPath(picture.absolutePath()) == QDir::cleanPath(folder.absolutePath()) &&
                           picture.fileName() != QLatin1String("..") && picture.fileName() != QLatin1String("."),
                       "l'image est un fichier du dossier", photo->pictureFile);
    }
    for (const QPointF &corner : photo->corners) {
        fuzzing::check(std::isfinite(corner.x()) && std::isfinite(corner.y()) && corner.x() >= 0 && corner.y() >= 0 &&
                           corner.x() <= MaxCorner && corner.y() <= MaxCorner,
                       "un coin est sur une image possible", described(*photo));
    }

    // Whatever the corners, the straightening gives the cheque or nothing.
    QImage picture(64, 32, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    const QImage straight = platform::straightened(picture, photo->corners, QSize(175, 80));
    fuzzing::check(straight.isNull() || straight.size() == QSize(175, 80), "le chèque redressé a sa taille");

    // Taken as clicks, the corners come in order or not at all.
    const platform::Result<Corners> ordered = layout_editor::cornersInOrder(photo->corners);
    if (ordered) {
        const auto nearness = [](const QPointF &p) { return p.x() + p.y(); };
        fuzzing::check(std::is_permutation(ordered->cbegin(), ordered->cend(), photo->corners.cbegin()) &&
                           std::all_of(ordered->cbegin(), ordered->cend(),
                                       [&](const QPointF &p) { return nearness((*ordered)[0]) <= nearness(p); }),
                       "les coins en ordre sont les coins cliqués, le plus proche du haut à gauche d'abord",
                       described(*photo));
        for (std::size_t i = 0; i < 4; ++i) {
            const QPointF a = (*ordered)[i], b = (*ordered)[(i + 1) % 4], c = (*ordered)[(i + 2) % 4];
            fuzzing::check((b.x() - a.x()) * (c.y() - b.y()) - (b.y() - a.y()) * (c.x() - b.x()) > 0,
                           "les coins en ordre tournent dans le sens des aiguilles d'une montre", described(*photo));
        }
    } else {
        fuzzing::check(!ordered.error().isEmpty(), "un refus des coins dit pourquoi");
    }

    // Written back, it reads as it was, to the hundredth of a pixel the file
    // keeps.
    const QString copy = folder.filePath(QStringLiteral("bq_COPIE.txt"));
    if (!layout_editor::writeChequePhoto(copy, *photo, QByteArray()))
        return 0;
    const platform::Result<ChequePhoto> again = layout_editor::readChequePhoto(copy);
    fuzzing::check(again.ok(), "un fichier de coins écrit se relit", again.error());
    bool same = again->pictureFile == photo->pictureFile && again->opacity == photo->opacity;
    for (std::size_t i = 0; i < photo->corners.size(); ++i) {
        const QPointF by = again->corners[i] - photo->corners[i];
        same = same && std::fabs(by.x()) <= 0.0051 && std::fabs(by.y()) <= 0.0051;
    }
    fuzzing::check(same, "ce qui est écrit se relit",
                   described(*photo) + QStringLiteral(" devenus ") + described(*again));
    return 0;
}
