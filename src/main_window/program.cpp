#include "main_window/program.h"

namespace main_window {

Program::Program()
    : m_session({m_clock, m_printing, m_talk})
    , m_window(m_session)
{
    m_talk.setParentWindow(&m_window);
}

} // namespace main_window
