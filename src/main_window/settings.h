#pragma once

#include "platform/result.h"

#include <QString>
#include <QStringList>

namespace main_window {

// The lasting part of the main window, kept in "zvochq1.ini" between runs.
inline const QString SettingsFileName = QStringLiteral("zvochq1.ini");
constexpr int SettingsLineCount = 6;

struct Settings
{
    QString verticalOffset;   // Text5, millimetres
    QString horizontalOffset; // Text6, millimetres
    QString currencyName;     // Text9
    QString hundredthName;    // Text11
    QString payee;            // Text8
    QString place;            // Text7
};

// Each line goes whole, blanks included, into its field; lines the file does
// not have leave their fields empty.
platform::Result<Settings> readSettings(const QString &path);

// The six lines as they are written: the offsets as numbers (" 2 ", "-3 "),
// the texts unchanged.
QStringList settingsLines(const Settings &settings);

// Replaces the file in one step; a failed write leaves the previous file
// whole.
platform::Result<void> writeSettings(const QString &path, const Settings &settings);

// The defaults a blank currency or hundredth name falls back to.
inline const QString DefaultCurrencyName = QStringLiteral("Euro");
inline const QString DefaultHundredthName = QStringLiteral("centime");

} // namespace main_window
