#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

namespace cheque_reader {

// What tells a reader's line from a person's typing.
struct WedgeSettings
{
    // A line: at least this many digits ("?" counting) within that time.
    int characters = 31;
    int withinMs = 1500;
    // The silence that ends a burst; longer than between a reader's keys.
    int pauseMs = 80;
};

// Tells the line a keyboard-wedge reader types from a person's typing. Each
// character key is held back while keys keep coming faster than a person
// types; what was held is then either a reader's line, which no field gets,
// or a person's keys, given back in their order. A person's key waits a
// pause's length at most.
class KeyBurst : public QObject
{
    Q_OBJECT

public:
    explicit KeyBurst(WedgeSettings settings = WedgeSettings(), QObject *parent = nullptr);

    // A key pressed in the window: its text (empty for a key that writes
    // nothing) and whether it is Enter. True when it is held; given() then
    // says when it is to be delivered after all. A key that is not held
    // comes after those given back for it.
    bool typed(const QString &text, bool enter);
    bool holding() const { return !m_held.isEmpty(); }
    void setSettings(const WedgeSettings &settings);
    // Something other than a key came (a click, the window closing): what
    // is held is settled now, so that a person's keys come before it.
    void settleNow() { (void)settle(); }

Q_SIGNALS:
    // The keys held were a reader's line: they are dropped.
    void lineRead(const QString &raw);
    // The keys held were a person's: the first `count` held are to be
    // delivered now, in order.
    void given(int count);

private:
    // Ends the burst: true when it was a line.
    bool settle();

    WedgeSettings m_settings;
    QString m_held;
    int m_heldKeys = 0;
    QElapsedTimer m_since;
    qint64 m_lastAt = 0;
    QTimer m_pause;
};

} // namespace cheque_reader
