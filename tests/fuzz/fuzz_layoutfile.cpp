// A bank's layout file as it may come from another machine: read, read for
// printing with its font set up, written back by the editor and read again.
#include "fuzzing.h"

#include "bank_layouts/chequeprint.h"
#include "bank_layouts/layoutfile.h"
#include "common/numeric.h"
#include "support/recordingsurface.h"

#include <cmath>

using namespace bank_layouts;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzzing::folder().path(QStringLiteral("bq_FUZZ.txt"));
    fuzzing::folder().write(QStringLiteral("bq_FUZZ.txt"), fuzzing::bytes(data, size));

    const platform::Result<QStringList> lines = readLayoutLines(path);
    const platform::Result<QString> name = readBankName(path);
    if (!lines) {
        fuzzing::check(!name.ok(), "un fichier illisible n'a pas de nom de banque");
        return 0;
    }
    fuzzing::check(lines->size() <= LayoutLineCount, "seize lignes au plus sont lues");
    fuzzing::check(name.ok() == !lines->isEmpty(), "le nom de la banque est lu quand le fichier a une ligne");
    if (name)
        fuzzing::check(*name == lines->first(), "le nom de la banque est la première ligne", *name);

    Layout layout;
    const platform::Result<int> read = readLayout(path, layout);
    fuzzing::check(read.ok(), "un fichier lisible se lit en mise en page", read.error());
    fuzzing::check(*read == lines->size(), "la mise en page prend chaque ligne lue", QString::number(*read));

    const platform::Result<Layout> whole = readWholeLayout(path);
    fuzzing::check(whole.ok() == (lines->size() == LayoutLineCount),
                   "une mise en page complète se charge, une autre non", QString::number(lines->size()));
    if (whole) {
        for (const LayoutNumber *number : whole->inFileOrder())
            fuzzing::check(std::isfinite(common::mmToTwips(number->value())), "chaque position est un nombre fini",
                           number->text());
        // A font the printer cannot take (no name, a size of 0) is its
        // error, caught where the program prints; it must say why.
        RecordingSurface printer;
        try {
            setLayoutFont(printer, *whole);
        } catch (const LayoutFontError &error) {
            fuzzing::check(error.message().contains(QLatin1String("police")), "l'imprimante ne refuse que la police",
                           error.message());
        }
    }
    if (*read != LayoutLineCount)
        return 0;

    // What the editor writes back without a change is the file as it was.
    const QString copy = fuzzing::folder().path(QStringLiteral("bq_COPIE.txt"));
    if (!writeLayout(copy, layout))
        return 0;
    const platform::Result<QStringList> again = readLayoutLines(copy);
    fuzzing::check(again.ok(), "une mise en page écrite se relit", again.error());
    fuzzing::check(*again == *lines, "une mise en page écrite se relit telle quelle");
    Layout reread;
    fuzzing::check(readLayout(copy, reread).ok() && reread == layout, "une mise en page relue est la même");
    return 0;
}
