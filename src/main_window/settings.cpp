#include "main_window/settings.h"

#include "common/numeric.h"
#include "platform/textfile.h"

namespace main_window {

platform::Result<Settings> readSettings(const QString &path)
{
    const platform::Result<QStringList> lines = platform::readTextLines(path, SettingsLineCount);
    if (!lines)
        return lines.failure();
    Settings settings;
    QString *fields[] = {&settings.verticalOffset, &settings.horizontalOffset,
                         &settings.currencyName,   &settings.hundredthName,
                         &settings.payee,          &settings.place};
    for (int i = 0; i < 6 && i < lines->size(); ++i)
        *fields[i] = lines->at(i);
    return settings;
}

QStringList settingsLines(const Settings &settings)
{
    return {common::plainNumber(common::numericValue(settings.verticalOffset)),
            common::plainNumber(common::numericValue(settings.horizontalOffset)),
            settings.currencyName,
            settings.hundredthName,
            settings.payee,
            settings.place};
}

platform::Result<void> writeSettings(const QString &path, const Settings &settings)
{
    return platform::writeTextLines(path, settingsLines(settings));
}

} // namespace main_window
