#pragma once

#include <QString>

namespace prompt_dialog {

// The only way in and out of the prompt dialog. The caller sets both and opens
// the dialog; the opening rewrites them (markers, default answer and option
// flags taken off) and whatever ends the dialog leaves the answer in them.
extern QString PromptText;
extern int PromptValue;

} // namespace prompt_dialog
