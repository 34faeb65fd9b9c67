#pragma once

#include "prompt_dialog/promptrequest.h"

#include <QString>

class QWidget;

// The usual ways of asking the user something, each through the prompt
// dialog. PromptText and PromptValue hold the full answer afterwards.
//
// The dialog reads a leading "ON|" or "*" as a marker and, in an input
// request, the first "|" as the start of the default answer; texts passed
// here must not begin with those markers, and a question must hold no "|".
namespace prompt_dialog {

// A message with a single confirm button (Enter or Escape also close it).
void message(QWidget *parent, const QString &text);

// A yes/no question. True for yes (the yes button or Enter), false for no or
// Escape.
bool question(QWidget *parent, const QString &text);

// A one-line input with cancel and confirm buttons. `flags` adds the input
// options (UpperCaseFlag, DigitsOnlyFlag, HiddenFlag). Returns the answer
// text, empty when cancelled; PromptValue tells a cancel (2) from an empty
// answer (1 for Enter, 6 for the confirm button).
QString input(QWidget *parent, const QString &question, const QString &defaultAnswer = QString(), int flags = 0);

} // namespace prompt_dialog
