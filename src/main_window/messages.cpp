#include "main_window/messages.h"

#include "prompt_dialog/prompts.h"

namespace main_window {

void showMessage(QWidget *parent, const QString &text)
{
    prompt_dialog::message(parent, text);
}

bool askYesNo(QWidget *parent, const QString &text)
{
    return prompt_dialog::question(parent, text);
}

} // namespace main_window
