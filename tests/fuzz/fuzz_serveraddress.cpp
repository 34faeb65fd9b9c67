// The shared journal's address as typed: whatever the text, it is taken or
// refused with a reason; one taken never carries a password to libpq, and
// its options read back as libpq reads them give the same options again.
#include "fuzzing.h"

#include "journal/journal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString typed = QString::fromUtf8(fuzzing::bytes(data, size));
    const platform::Result<journal::ServerAddress> address = journal::ServerAddress::parse(typed);
    if (!address) {
        fuzzing::check(!address.error().isEmpty(), "un refus dit pourquoi", typed);
        return 0;
    }
    const QString options = address->options();
    fuzzing::check(!options.isEmpty(), "une adresse prise donne des options", typed);
    fuzzing::check(!options.contains(QLatin1String("password=")), "jamais de mot de passe", typed + " -> " + options);
    fuzzing::check(!options.contains(QLatin1Char(';')), "jamais de « ; », que Qt changerait", options);
    const platform::Result<journal::ServerAddress> again = journal::ServerAddress::parse(options);
    fuzzing::check(again.ok(), "les options se relisent", options + QStringLiteral(" : ") + again.error());
    if (again)
        fuzzing::check(again->options() == options, "les options relues sont les mêmes",
                       options + QStringLiteral(" -> ") + again->options());
    return 0;
}
