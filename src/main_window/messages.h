#pragma once

#include <QString>

class QWidget;

namespace main_window {

// The program's one path for telling the user something and asking yes or
// no. Every message of the program goes through here.
void showMessage(QWidget *parent, const QString &text);
bool askYesNo(QWidget *parent, const QString &text);

} // namespace main_window
