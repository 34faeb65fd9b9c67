#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QSerialPort;

namespace platform {

// A serial port (RS-232, or USB-serial), as a cheque reader is plugged into
// it: 8 data bits, no parity, one stop bit, at the reader's speed. What
// comes in is given as it comes; a port that fails (the reader unplugged) is
// closed and said lost.
class SerialLine : public QObject
{
    Q_OBJECT

public:
    explicit SerialLine(QObject *parent = nullptr);
    ~SerialLine() override;

    // Fails, saying why in French, when the port cannot be opened.
    Result<void> open(const QString &port, int baud);
    void close();
    bool isOpen() const;

Q_SIGNALS:
    void received(const QByteArray &bytes);
    void lost(const QString &why);

private:
    std::unique_ptr<QSerialPort> m_port;
};

// The serial ports this machine has ("/dev/ttyUSB0", "/dev/ttyS0").
QStringList serialPorts();

} // namespace platform
