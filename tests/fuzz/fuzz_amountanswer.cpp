// What the user types for the amount, and the amounts other programs hand
// over: an amount the entry takes can be written in words, and the figures
// printed are the ones the entry wrote.
#include "fuzzing.h"

#include "amount_words/amountwords.h"
#include "main_window/amountentry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(fuzzing::bytes(data, size));

    const platform::Result<QString> entered = main_window::amountFromAnswer(text);
    if (entered) {
        const platform::Result<QString> accepted = amount_words::acceptAmountText(*entered);
        fuzzing::check(accepted.ok(), "un montant saisi peut s'écrire en lettres", *entered);
        fuzzing::check(amount_words::amountFigures(*entered) == *entered,
                       "les chiffres imprimés sont ceux de la saisie", *entered);
    } else {
        fuzzing::check(!entered.error().isEmpty(), "un refus dit pourquoi");
    }

    const platform::Result<QString> accepted = amount_words::acceptAmountText(text);
    if (!accepted)
        return 0;
    // The words drop every kind of white space around the amount, the entry
    // ignores the blanks alone (a line feed typed before a number ends it).
    for (const QChar c : text) {
        if (c.isSpace() && c != QLatin1Char(' '))
            return 0;
    }
    // The hand-over gives the amount as digits: the entry reads it the same.
    const platform::Result<QString> reread = main_window::amountFromAnswer(text);
    fuzzing::check(reread.ok(), "un montant que les lettres acceptent est accepté à la saisie", text);
    fuzzing::check(*reread == amount_words::amountFigures(text), "la saisie et les lettres arrondissent de même",
                   *reread + QStringLiteral(" / ") + amount_words::amountFigures(text));
    return 0;
}
