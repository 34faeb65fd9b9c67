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
    QString number = common::numericText(text);
    if (number.isEmpty())
        number = QStringLiteral("0");

    const QString rounded = common::roundDecimalText(number, 2);
    if (rounded.startsWith(QLatin1Char('-')))
        return platform::fail(QStringLiteral("Le montant d'un chèque ne peut pas être négatif."));
    if (rounded.indexOf(QLatin1Char('.')) > MaximumIntegerDigits)
        return platform::fail(QStringLiteral("Ce montant est trop grand : 15 chiffres au plus avant la virgule."));
    return rounded;
}

} // namespace main_window
