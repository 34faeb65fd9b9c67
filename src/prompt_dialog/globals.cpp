#include "prompt_dialog/globals.h"

namespace prompt_dialog {

QString PromptText;
int PromptValue = 0;

} // namespace prompt_dialog
