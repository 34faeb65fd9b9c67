#include "main_window/amountentry.h"

#include "common/numeric.h"

namespace main_window {

namespace {
constexpr int MaximumIntegerDigits = 15;
}

AmountAnswer amountFromAnswer(const QString &answer)
{
    QString text = answer;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    QString number = common::numericText(text);
    if (number.isEmpty())
        number = QStringLiteral("0");

    AmountAnswer result;
    const QString rounded = common::roundDecimalText(number, 2);
    if (rounded.startsWith(QLatin1Char('-'))) {
        result.refusal = QStringLiteral("Le montant d'un chèque ne peut pas être négatif.");
        return result;
    }
    if (rounded.indexOf(QLatin1Char('.')) > MaximumIntegerDigits) {
        result.refusal = QStringLiteral("Ce montant est trop grand : 15 chiffres au plus avant la virgule.");
        return result;
    }
    result.accepted = true;
    result.amount = rounded;
    return result;
}

} // namespace main_window
