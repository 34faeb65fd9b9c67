#include "prompt_dialog/form97talk.h"

#include "prompt_dialog/form97.h"
#include "prompt_dialog/globals.h"

namespace prompt_dialog {

void Form97Talk::prompt()
{
    const PromptAnswer reply = showForm97(PromptText, PromptValue, m_parent);
    PromptText = reply.text;
    PromptValue = reply.value;
}

} // namespace prompt_dialog
