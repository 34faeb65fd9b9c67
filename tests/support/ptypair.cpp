#include "support/ptypair.h"

#include <QFile>
#include <QTest>

bool PtyPair::start(QString *why)
{
    m_socat.start(QStringLiteral("socat"), {QStringLiteral("pty,raw,echo=0,link=%1").arg(m_reader),
                                            QStringLiteral("pty,raw,echo=0,link=%1").arg(m_till)});
    if (!m_socat.waitForStarted(5000)) {
        *why = QStringLiteral("socat does not start: ") + m_socat.errorString();
        return false;
    }
    for (int i = 0; i < 100; ++i) {
        if (QFile::exists(m_reader) && QFile::exists(m_till))
            return true;
        QTest::qWait(20);
    }
    *why = QStringLiteral("socat made no pseudo-terminals");
    return false;
}

void PtyPair::stop()
{
    if (m_socat.state() == QProcess::NotRunning)
        return;
    m_socat.terminate();
    if (!m_socat.waitForFinished(5000))
        m_socat.kill();
    m_socat.waitForFinished(5000);
}

bool PtyPair::send(const QByteArray &bytes) const
{
    QFile reader(m_reader);
    return reader.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && reader.write(bytes) == bytes.size();
}
