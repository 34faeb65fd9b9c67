#include "main_window/settings.h"

#include "common/numeric.h"
#include "platform/textfile.h"

namespace main_window {

Settings readSettings(const QString &path, bool *found)
{
    Settings settings;
    const std::optional<QStringList> lines = platform::readTextLines(path);
    if (found)
        *found = lines.has_value();
    if (!lines)
        return settings;
    QString *fields[] = {&settings.verticalOffset, &settings.horizontalOffset, &settings.currencyName,
                         &settings.hundredthName,  &settings.payee,            &settings.place};
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

bool writeSettings(const QString &path, const Settings &settings, QString *error)
{
    return platform::writeTextLines(path, settingsLines(settings), error);
}

} // namespace main_window
