#include "journal/journal.h"

#include <QHash>

namespace journal {

namespace {

// The length of an IBAN in the countries of the SEPA area, where a French
// shop's account is held; another country's is checked by its digits only.
const QHash<QString, int> &ibanLengths()
{
    static const QHash<QString, int> lengths{
        {"AD", 24}, {"AT", 20}, {"BE", 16}, {"BG", 22}, {"CH", 21}, {"CY", 28}, {"CZ", 24}, {"DE", 22},
        {"DK", 18}, {"EE", 20}, {"ES", 24}, {"FI", 18}, {"FO", 18}, {"FR", 27}, {"GB", 22}, {"GI", 23},
        {"GL", 18}, {"GR", 27}, {"HR", 21}, {"HU", 28}, {"IE", 22}, {"IS", 26}, {"IT", 27}, {"LI", 21},
        {"LT", 20}, {"LU", 20}, {"LV", 21}, {"MC", 27}, {"MT", 31}, {"NL", 18}, {"NO", 15}, {"PL", 28},
        {"PT", 25}, {"RO", 24}, {"SE", 24}, {"SI", 19}, {"SK", 24}, {"SM", 27}, {"VA", 22},
    };
    return lengths;
}

QString compact(const QString &iban)
{
    QString text;
    for (const QChar c : iban) {
        if (!c.isSpace())
            text += c.toUpper();
    }
    return text;
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isAsciiUpper(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

} // namespace

std::optional<QString> ibanProblem(const QString &iban)
{
    const QString text = compact(iban);
    if (text.isEmpty())
        return QStringLiteral("l'IBAN est vide");
    for (const QChar c : text) {
        if (!isAsciiDigit(c) && !isAsciiUpper(c))
            return QStringLiteral("l'IBAN ne peut contenir que des lettres et des chiffres (« %1 »)").arg(c);
    }
    if (text.size() < 15 || text.size() > 34 || !isAsciiUpper(text[0]) || !isAsciiUpper(text[1]) ||
        !isAsciiDigit(text[2]) || !isAsciiDigit(text[3]))
        return QStringLiteral("un IBAN commence par le code du pays et deux chiffres de contrôle, "
                              "et compte de 15 à 34 caractères");
    const auto length = ibanLengths().constFind(text.left(2));
    if (length != ibanLengths().constEnd() && *length != text.size())
        return QStringLiteral("un IBAN %1 compte %2 caractères, celui-ci en a %3")
            .arg(text.left(2))
            .arg(*length)
            .arg(text.size());
    // Country and check digits moved to the end, letters as 10 to 35, the
    // whole read as one number modulo 97, a digit or two at a time so that
    // it never grows past a few thousands.
    const QString moved = text.mid(4) + text.left(4);
    int remainder = 0;
    for (const QChar c : moved) {
        if (isAsciiDigit(c))
            remainder = (remainder * 10 + (c.unicode() - '0')) % 97;
        else
            remainder = (remainder * 100 + (c.unicode() - 'A' + 10)) % 97;
    }
    if (remainder != 1)
        return QStringLiteral("les chiffres de contrôle de l'IBAN ne correspondent pas (une erreur de frappe ?)");
    return std::nullopt;
}

QString ibanGrouped(const QString &iban)
{
    const QString text = compact(iban);
    QString grouped;
    for (qsizetype i = 0; i < text.size(); i += 4) {
        if (i > 0)
            grouped += QLatin1Char(' ');
        grouped += text.mid(i, 4);
    }
    return grouped;
}

} // namespace journal
