#include "cheque_reader/keyburst.h"

#include "cheque_reader/cmc7.h"

namespace cheque_reader {

KeyBurst::KeyBurst(WedgeSettings settings, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(m_settings.pauseMs);
    connect(&m_pause, &QTimer::timeout, this, [this] { (void)settle(); });
}

void KeyBurst::setSettings(const WedgeSettings &settings)
{
    (void)settle();
    m_settings = settings;
    m_pause.setInterval(settings.pauseMs);
}

bool KeyBurst::typed(const QString &text, bool enter)
{
    if (enter) {
        // A reader ends its line so; a person's Enter follows what they
        // typed before it.
        return settle();
    }
    if (text.isEmpty() || !text.at(0).isPrint()) {
        (void)settle();
        return false;
    }
    if (!holding())
        m_since.start();
    m_held += text;
    ++m_heldKeys;
    m_lastAt = m_since.elapsed();
    m_pause.start();
    return true;
}

bool KeyBurst::settle()
{
    m_pause.stop();
    if (!holding())
        return false;
    const QString held = m_held;
    const int keys = m_heldKeys;
    m_held.clear();
    m_heldKeys = 0;
    if (cmc7Characters(held) >= m_settings.characters && m_lastAt <= m_settings.withinMs) {
        Q_EMIT lineRead(held);
        return true;
    }
    Q_EMIT given(keys);
    return false;
}

} // namespace cheque_reader
