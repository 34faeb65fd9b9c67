#include "cheque_reader/serialreader.h"

#include "platform/folder.h"
#include "platform/textfile.h"

namespace cheque_reader {

namespace {

constexpr char Stx = 0x02;
constexpr char Etx = 0x03;
constexpr int RetryMs = 2000;
// Far longer than any line: a reader sending no end would fill memory.
constexpr int MaxLineBytes = 256;

} // namespace

QStringList LineFraming::feed(const QByteArray &bytes)
{
    QStringList lines;
    for (const char byte : bytes) {
        bool ended = false;
        switch (m_framing) {
        case Framing::Cr:
            ended = byte == '\r';
            break;
        case Framing::CrLf:
            // The CR is the line's end; the LF after it, the next line's
            // nothing.
            ended = byte == '\n' && m_pending.endsWith('\r');
            break;
        case Framing::StxEtx:
            if (byte == Stx) {
                m_pending.clear();
                m_inFrame = true;
                continue;
            }
            if (!m_inFrame)
                continue;
            ended = byte == Etx;
            break;
        }
        if (ended) {
            if (m_framing == Framing::CrLf)
                m_pending.chop(1);
            if (!m_pending.trimmed().isEmpty())
                lines << QString::fromLatin1(m_pending);
            m_pending.clear();
            m_inFrame = false;
            continue;
        }
        if (m_pending.size() >= MaxLineBytes)
            m_pending.clear();
        m_pending += byte;
    }
    return lines;
}

const QString ReaderSettingsFileName = QStringLiteral("ormeline_lecteur.txt");

QString framingName(Framing framing)
{
    switch (framing) {
    case Framing::Cr:
        break;
    case Framing::CrLf:
        return QStringLiteral("CR LF");
    case Framing::StxEtx:
        return QStringLiteral("STX/ETX");
    }
    return QStringLiteral("CR");
}

platform::Result<ReaderSettings> readReaderSettings(const QString &path)
{
    ReaderSettings settings;
    if (!platform::fileExists(path))
        return settings;
    const platform::Result<QStringList> lines = platform::readTextLines(path, 5);
    if (!lines)
        return lines.failure();
    settings.serial.port = lines->value(0).trimmed();
    if (const int baud = lines->value(1).trimmed().toInt(); SerialSpeeds.contains(baud))
        settings.serial.baud = baud;
    for (const Framing framing : {Framing::Cr, Framing::CrLf, Framing::StxEtx}) {
        if (lines->value(2).trimmed() == framingName(framing))
            settings.serial.framing = framing;
    }
    if (const int characters = lines->value(3).trimmed().toInt(); characters >= 10 && characters <= 31)
        settings.wedge.characters = characters;
    if (const int within = lines->value(4).trimmed().toInt(); within >= 200 && within <= 10000)
        settings.wedge.withinMs = within;
    return settings;
}

platform::Result<void> writeReaderSettings(const QString &path, const ReaderSettings &settings)
{
    return platform::writeTextLines(path,
                                    {settings.serial.port.trimmed(), QString::number(settings.serial.baud),
                                     framingName(settings.serial.framing), QString::number(settings.wedge.characters),
                                     QString::number(settings.wedge.withinMs)});
}

SerialReader::SerialReader(SerialSettings settings, QObject *parent)
    : QObject(parent)
    , m_settings(std::move(settings))
    , m_framing(m_settings.framing)
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(RetryMs);
    connect(&m_retry, &QTimer::timeout, this, &SerialReader::tryOpen);
    connect(&m_line, &platform::SerialLine::received, this, [this](const QByteArray &bytes) {
        for (const QString &line : m_framing.feed(bytes))
            Q_EMIT lineRead(line);
    });
    connect(&m_line, &platform::SerialLine::lost, this, [this](const QString &why) {
        m_framing = LineFraming(m_settings.framing);
        setState(QStringLiteral("Lecteur de chèques sur « %1 » : débranché (%2) ; nouvel essai toutes les 2 secondes.")
                     .arg(m_settings.port, why));
        m_retry.start();
    });
}

void SerialReader::start()
{
    if (!m_settings.port.isEmpty())
        tryOpen();
    else
        setState(QStringLiteral("Aucun lecteur de chèques sur un port série."));
}

void SerialReader::setSettings(const SerialSettings &settings)
{
    m_retry.stop();
    m_line.close();
    m_settings = settings;
    m_framing = LineFraming(settings.framing);
    start();
}

void SerialReader::tryOpen()
{
    const platform::Result<void> opened = m_line.open(m_settings.port, m_settings.baud);
    if (!opened) {
        setState(QStringLiteral("Lecteur de chèques : %1 ; nouvel essai toutes les 2 secondes.").arg(opened.error()));
        m_retry.start();
        return;
    }
    setState(QStringLiteral("Lecteur de chèques sur « %1 » : prêt.").arg(m_settings.port));
}

void SerialReader::setState(const QString &state)
{
    if (state == m_state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

} // namespace cheque_reader
