#include "platform/serialline.h"

#include <QSerialPort>
#include <QSerialPortInfo>

namespace platform {

SerialLine::SerialLine(QObject *parent)
    : QObject(parent)
    , m_port(std::make_unique<QSerialPort>())
{
    connect(m_port.get(), &QSerialPort::readyRead, this, [this] { Q_EMIT received(m_port->readAll()); });
    connect(m_port.get(), &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // Only what ends the port: a timeout or a failed write does not.
        if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !m_port->isOpen())
            return;
        const QString why = m_port->errorString();
        m_port->close();
        Q_EMIT lost(why);
    });
}

SerialLine::~SerialLine() = default;

Result<void> SerialLine::open(const QString &port, int baud)
{
    close();
    m_port->setPortName(port);
    if (!m_port->open(QIODevice::ReadOnly))
        return fail(QStringLiteral("le port « %1 » ne s'ouvre pas (%2)").arg(port, m_port->errorString()));
    if (!m_port->setBaudRate(baud) || !m_port->setDataBits(QSerialPort::Data8) ||
        !m_port->setParity(QSerialPort::NoParity) || !m_port->setStopBits(QSerialPort::OneStop) ||
        !m_port->setFlowControl(QSerialPort::NoFlowControl)) {
        const QString why = m_port->errorString();
        m_port->close();
        return fail(QStringLiteral("le port « %1 » refuse la vitesse de %2 bauds (%3)").arg(port).arg(baud).arg(why));
    }
    return {};
}

void SerialLine::close()
{
    if (m_port->isOpen())
        m_port->close();
}

bool SerialLine::isOpen() const
{
    return m_port->isOpen();
}

QStringList serialPorts()
{
    QStringList ports;
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts())
        ports << port.systemLocation();
    return ports;
}

} // namespace platform
