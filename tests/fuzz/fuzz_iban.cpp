// The account typed for the remittance slip: whatever the text, the check
// answers; an IBAN built sound from the input passes, grouped or not, and
// fails once one of its digits is changed.
#include "fuzzing.h"

#include "journal/journal.h"

#include <QRegularExpression>

namespace {

const char Alphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// The remainder modulo 97 of the IBAN's number (letters as 10 to 35), seven
// figures at a time: another way than the check's own.
int remainder97(const QString &characters)
{
    QString digits;
    for (const QChar c : characters)
        digits += c.isDigit() ? QString(c) : QString::number(c.unicode() - 'A' + 10);
    qint64 remainder = 0;
    for (qsizetype at = 0; at < digits.size(); at += 7) {
        const QString piece = digits.mid(at, 7);
        qint64 scale = 1;
        for (qsizetype i = 0; i < piece.size(); ++i)
            scale *= 10;
        remainder = (remainder * scale + piece.toLongLong()) % 97;
    }
    return int(remainder);
}

QString sound(const QString &country, const QString &account)
{
    const int check = 98 - remainder97(account + country + QStringLiteral("00"));
    return country + QStringLiteral("%1").arg(check, 2, 10, QLatin1Char('0')) + account;
}

void checkSound(const QString &iban, const char *rule)
{
    const std::optional<QString> problem = journal::ibanProblem(iban);
    fuzzing::check(!problem, rule, iban + QStringLiteral(" : ") + problem.value_or(QString()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzzing::bytes(data, size);
    const QString typed = QString::fromUtf8(bytes);
    const std::optional<QString> problem = journal::ibanProblem(typed);
    const QString grouped = journal::ibanGrouped(typed);
    if (problem) {
        fuzzing::check(!problem->isEmpty(), "un refus dit pourquoi", typed);
    } else {
        static const QRegularExpression groups(QStringLiteral("^[A-Z0-9]{4}( [A-Z0-9]{4})*( [A-Z0-9]{1,3})?$"));
        fuzzing::check(groups.match(grouped).hasMatch(), "un IBAN se groupe par quatre", grouped);
        checkSound(grouped, "un IBAN juste le reste une fois groupé");
    }

    // An account built from the input: in France, in Germany, or in a
    // country whose length the check does not know.
    if (size < 3)
        return 0;
    static const struct
    {
        const char *code;
        int accountLength; // 0: from the input
    } countries[] = {{"FR", 23}, {"DE", 18}, {"ZZ", 0}};
    const auto &country = countries[data[0] % 3];
    const int length = country.accountLength ? country.accountLength : 11 + data[1] % 20;
    QString account;
    for (int i = 0; i < length; ++i)
        account += QLatin1Char(Alphabet[data[(2 + i) % size] % 36]);
    const QString iban = sound(QString::fromLatin1(country.code), account);
    checkSound(iban, "un IBAN aux bons chiffres de contrôle est juste");
    checkSound(journal::ibanGrouped(iban), "un IBAN juste le reste une fois groupé");
    checkSound(iban.toLower(), "un IBAN en minuscules est juste");

    // One digit changed, wherever it stands.
    QList<int> digits;
    for (int i = 2; i < iban.size(); ++i) {
        if (iban[i].isDigit())
            digits << i;
    }
    if (digits.isEmpty())
        return 0;
    const int at = digits[data[1] % digits.size()];
    QString changed = iban;
    changed[at] = QLatin1Char(char('0' + (iban[at].unicode() - '0' + 1 + data[2] % 9) % 10));
    fuzzing::check(journal::ibanProblem(changed).has_value(), "un chiffre changé est refusé",
                   iban + QStringLiteral(" devenu ") + changed);
    return 0;
}
