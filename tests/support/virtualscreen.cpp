#include "support/virtualscreen.h"

#include <QThread>

Run run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment,
        const QString &folder, int timeoutMs)
{
    QProcess process;
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = program + QStringLiteral(" did not finish");
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (condition())
            return true;
        QThread::msleep(50);
    }
    return condition();
}

VirtualScreen::VirtualScreen()
{
    m_server.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                    QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_server.waitForStarted()) {
        m_problem = QStringLiteral("Xvfb did not start: ") + m_server.errorString();
        return;
    }
    // Xvfb writes the display's number once it takes connections.
    if (!waitFor([this] { return m_server.canReadLine() || m_server.waitForReadyRead(100); }, 30000)) {
        m_problem = QStringLiteral("Xvfb gave no display number within 30 s");
        return;
    }
    m_display = QLatin1Char(':') + QString::fromLatin1(m_server.readLine()).trimmed();
    if (!waitFor([this] { return run(QStringLiteral("xdpyinfo"), {}, onIt(), QString(), 5000).exitCode == 0; }, 30000))
        m_problem = QStringLiteral("the screen %1 does not answer xdpyinfo").arg(m_display);
}

VirtualScreen::~VirtualScreen()
{
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(5000)) {
        m_server.kill();
        m_server.waitForFinished();
    }
}

bool VirtualScreen::isUp(QString *why) const
{
    if (why)
        *why = m_problem;
    return m_problem.isEmpty() && !m_display.isEmpty();
}

QProcessEnvironment VirtualScreen::onIt(QProcessEnvironment environment) const
{
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return environment;
}

Run VirtualScreen::xdotool(const QStringList &arguments, int timeoutMs) const
{
    return run(QStringLiteral("xdotool"), arguments, onIt(), QString(), timeoutMs);
}
