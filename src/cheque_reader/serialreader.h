#pragma once

#include "cheque_reader/keyburst.h"
#include "platform/serialline.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace cheque_reader {

// How a serial reader ends, or frames, each line it sends.
enum class Framing { Cr, CrLf, StxEtx };

// A reader's bytes cut into its lines, whatever pieces they come in. Bytes
// outside a frame of STX and ETX are not a line's.
class LineFraming
{
public:
    explicit LineFraming(Framing framing)
        : m_framing(framing)
    {
    }
    QStringList feed(const QByteArray &bytes);

private:
    Framing m_framing;
    QByteArray m_pending;
    bool m_inFrame = false;
};

struct SerialSettings
{
    QString port; // "/dev/ttyUSB0"; empty: no serial reader
    int baud = 9600;
    Framing framing = Framing::Cr;
};

// The speeds serial cheque readers use.
inline const QList<int> SerialSpeeds{300, 600, 1200, 2400, 4800, 9600, 19200};
// "CR", "CR LF", "STX/ETX", as the set-up window and the file name them.
QString framingName(Framing framing);

// This till's readers, kept in its own data folder (they are plugged into
// this machine): five lines, the serial port, its speed, its framing, then
// the digits and milliseconds that tell a wedge reader's line.
struct ReaderSettings
{
    SerialSettings serial;
    WedgeSettings wedge;
};
extern const QString ReaderSettingsFileName; // "ormeline_lecteur.txt"
// The defaults when there is no file; a line that cannot be read keeps its
// default.
platform::Result<ReaderSettings> readReaderSettings(const QString &path);
platform::Result<void> writeReaderSettings(const QString &path, const ReaderSettings &settings);

// A serial cheque reader: its port opened when the program starts, opened
// again, every two seconds, while it cannot be (the reader unplugged, and
// plugged back), each line it sends given as read.
class SerialReader : public QObject
{
    Q_OBJECT

public:
    explicit SerialReader(SerialSettings settings, QObject *parent = nullptr);

    void start();
    // Opens the port the settings now name, closing the one open.
    void setSettings(const SerialSettings &settings);
    SerialSettings settings() const { return m_settings; }
    // In French, for the set-up window: ready, or why not.
    QString state() const { return m_state; }

Q_SIGNALS:
    void lineRead(const QString &raw);
    void stateChanged(const QString &state);

private:
    void tryOpen();
    void setState(const QString &state);

    SerialSettings m_settings;
    platform::SerialLine m_line;
    LineFraming m_framing;
    QTimer m_retry;
    QString m_state;
};

} // namespace cheque_reader
