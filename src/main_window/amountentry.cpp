#include "main_window/amountentry.h"

#include "common/numeric.h"

namespace main_window {

namespace {
constexpr int MaximumIntegerDigits = 15;
}

platform::Result<QString> amountFromAnswer(const QString &answer)
{
    QString text = answer;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    // Any blank is a blank: "1 575,98" copied from a French document has a
    // no-break space between its thousands, and reading only the 1 in front
    // of it would print a cheque of 1,00.
    for (QChar &c : text) {
        if (c.isSpace())
            c = QLatin1Char(' ');
    }
    const QString number = common::numericText(text);
    // "douze", or nothing at all: no amount the user meant can be read in it.
    if (number.isEmpty())
        return platform::fail(QStringLiteral("« %1 » n'est pas un montant : entrez-le en chiffres, par exemple "
                                             "1575,98.\nLe montant n'est pas changé.")
                                  .arg(answer.trimmed()));

    const QString rounded = common::roundDecimalText(number, 2);
    if (rounded.startsWith(QLatin1Char('-')))
        return platform::fail(QStringLiteral("Le montant d'un chèque ne peut pas être négatif.\n"
                                             "Le montant n'est pas changé."));
    if (rounded.indexOf(QLatin1Char('.')) > MaximumIntegerDigits)
        return platform::fail(QStringLiteral("Ce montant est trop grand : 15 chiffres au plus avant la virgule.\n"
                                             "Le montant n'est pas changé."));
    return rounded;
}

} // namespace main_window
