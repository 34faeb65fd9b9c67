#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

// A serial reader's cable, as socat makes it: two pseudo-terminals joined,
// one for the program, one for the test to write what the reader sends.
class PtyPair
{
public:
    explicit PtyPair(const QString &folder)
        : m_reader(folder + QStringLiteral("/lecteur"))
        , m_till(folder + QStringLiteral("/caisse"))
    {
    }
    ~PtyPair() { stop(); }

    bool start(QString *why);
    // Stopped by its own pid, as the reader is unplugged.
    void stop();
    // What the reader sends.
    bool send(const QByteArray &bytes) const;
    // The port the program opens.
    QString tillEnd() const { return m_till; }

private:
    QString m_reader;
    QString m_till;
    QProcess m_socat;
};
