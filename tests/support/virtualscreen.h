#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

// What a program run to its end said.
struct Run
{
    int exitCode = -1; // -1 when it crashed or did not end
    QString out;
    QString err;
};

// Runs a program to its end, killed after `timeoutMs`.
Run run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment = {},
        const QString &folder = QString(), int timeoutMs = 120000);

// Asks `condition` every 50 ms until it holds; false after `timeoutMs`.
bool waitFor(const std::function<bool()> &condition, int timeoutMs);

// A virtual X screen of the test's own, without a window manager, on a
// display number Xvfb picks itself; stopped by its pid when it goes.
class VirtualScreen
{
public:
    VirtualScreen();
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen &) = delete;
    VirtualScreen &operator=(const VirtualScreen &) = delete;

    // Whether it answers; why not otherwise.
    bool isUp(QString *why) const;
    QString display() const { return m_display; }
    // `environment` with this screen as the one to show on.
    QProcessEnvironment onIt(QProcessEnvironment environment = QProcessEnvironment::systemEnvironment()) const;
    // Runs xdotool on this screen.
    Run xdotool(const QStringList &arguments, int timeoutMs = 30000) const;

private:
    QProcess m_server;
    QString m_display;
    QString m_problem;
};
