// The settings file as a user or another program may have left it: what is
// read, written and read again is what was read.
#include "fuzzing.h"

#include "main_window/settings.h"

using namespace main_window;

namespace {

QString described(const QStringList &lines)
{
    QStringList quoted;
    for (const QString &line : lines)
        quoted << QLatin1Char('"') + line + QLatin1Char('"');
    return quoted.join(QLatin1Char(' '));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzing::folder().write(SettingsFileName, fuzzing::bytes(data, size));
    const platform::Result<Settings> first = readSettings(fuzzing::folder().path(SettingsFileName));
    if (!first)
        return 0;

    const QString copy = fuzzing::folder().path(QStringLiteral("copie.ini"));
    // A text the code page cannot hold (a byte Windows-1252 leaves undefined
    // read as such) is refused rather than written as something else.
    if (!writeSettings(copy, *first))
        return 0;
    const platform::Result<Settings> second = readSettings(copy);
    fuzzing::check(second.ok(), "des réglages écrits se relisent", second.error());
    fuzzing::check(settingsLines(*second) == settingsLines(*first), "les réglages relus sont ceux qui ont été écrits",
                   described(settingsLines(*first)) + QStringLiteral(" devenus ") + described(settingsLines(*second)));
    // The texts come back exactly; only the offsets take their written form.
    fuzzing::check(second->currencyName == first->currencyName && second->hundredthName == first->hundredthName &&
                       second->payee == first->payee && second->place == first->place,
                   "les textes des réglages reviennent tels quels");
    return 0;
}
