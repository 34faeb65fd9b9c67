#include "prompt_dialog/form97talk.h"

#include "prompt_dialog/form97.h"

namespace prompt_dialog {

void Form97Talk::prompt()
{
    showForm97(m_parent);
}

} // namespace prompt_dialog
