#include "prompt_dialog/form97talk.h"

#include "prompt_dialog/form97.h"

namespace prompt_dialog {

PromptAnswer Form97Talk::prompt(const QString &text, int value)
{
    return showForm97(text, value, m_parent);
}

} // namespace prompt_dialog
