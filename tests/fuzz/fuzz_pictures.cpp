// A bank's picture or the shop's, whatever the file holds: loaded, and drawn
// at a button's size.
#include "fuzzing.h"

#include "platform/pictures.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzzing::bytes(data, size);
    // The same bytes under both names the program meets: a bank's bitmap and
    // a drawing.
    for (const char *name : {"bq_FUZZ.bmp", "dessin.svg"}) {
        fuzzing::folder().write(QString::fromLatin1(name), bytes);
        const platform::Result<platform::Picture> picture =
            platform::Picture::load(fuzzing::folder().path(QString::fromLatin1(name)));
        if (!picture) {
            fuzzing::check(!picture.error().isEmpty(), "un refus dit pourquoi");
            continue;
        }
        fuzzing::check(!picture->isNull(), "une image chargée a une taille");
        const QPixmap shown = picture->pixmap(QSize(96, 64), 2.0);
        fuzzing::check(shown.size() == QSize(192, 128), "l'image est dessinée à la taille demandée",
                       QStringLiteral("%1 × %2").arg(shown.width()).arg(shown.height()));
    }
    return 0;
}
