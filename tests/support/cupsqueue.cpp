#include "support/cupsqueue.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QThread>

namespace {

struct Run
{
    bool ok = false;
    QString out;
    QString problem;
};

Run runLpstat(const QStringList &arguments)
{
    Run run;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral("lpstat"), arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        run.problem = QStringLiteral("lpstat %1 did not finish: %2").arg(arguments.join(u' '), process.errorString());
        return run;
    }
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        run.problem = QStringLiteral("lpstat %1 failed: %2").arg(arguments.join(u' '), err);
        return run;
    }
    run.ok = true;
    return run;
}

void tell(QString *why, const QString &text)
{
    if (why)
        *why = text;
}

} // namespace

TestQueue TestQueue::fromEnvironment()
{
    TestQueue queue;
    queue.m_name = qEnvironmentVariable("ORMELINE_TEST_QUEUE");
    queue.m_pdfPath = qEnvironmentVariable("ORMELINE_TEST_PDF");
    return queue;
}

bool TestQueue::required()
{
    return qEnvironmentVariable("ORMELINE_REQUIRE_CUPS") == QLatin1String("1");
}

bool TestQueue::removeOutput(QString *why) const
{
    QFile file(m_pdfPath);
    if (file.exists() && !file.remove()) {
        tell(why, QStringLiteral("cannot remove %1: %2").arg(m_pdfPath, file.errorString()));
        return false;
    }
    return true;
}

bool TestQueue::waitForOutput(QString *why, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    Run pending;
    for (;;) {
        pending = runLpstat({QStringLiteral("-o"), m_name});
        if (!pending.ok) {
            tell(why, pending.problem);
            return false;
        }
        // The file is written while the job runs: only a finished job's file
        // is whole.
        if (pending.out.trimmed().isEmpty() && QFileInfo(m_pdfPath).size() > 0)
            return true;
        if (deadline.hasExpired())
            break;
        QThread::msleep(100);
    }
    const Run printer = runLpstat({QStringLiteral("-p"), m_name});
    tell(why, QStringLiteral("no output in %1 after %2 ms; jobs still queued: [%3]; queue: %4")
                  .arg(m_pdfPath)
                  .arg(timeoutMs)
                  .arg(pending.out.trimmed(), printer.ok ? printer.out.trimmed() : printer.problem));
    return false;
}

QStringList TestQueue::jobs(QString *why) const
{
    const Run run = runLpstat({QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), m_name});
    if (!run.ok) {
        tell(why, run.problem);
        return {};
    }
    QStringList ids;
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines)
        ids << line.section(u' ', 0, 0, QString::SectionSkipEmpty);
    ids.sort();
    return ids;
}

bool TestQueue::a4Margins(QMarginsF *margins, QString *why) const
{
    const QString path = QStringLiteral("/etc/cups/ppd/%1.ppd").arg(m_name);
    QFile ppd(path);
    if (!ppd.open(QIODevice::ReadOnly)) {
        tell(why, QStringLiteral("cannot read %1: %2").arg(path, ppd.errorString()));
        return false;
    }
    // PostScript units, origin at the bottom-left of the portrait sheet:
    // *ImageableArea A4/A4: "llx lly urx ury"
    static const QRegularExpression area(
        QStringLiteral(R"re(^\*ImageableArea A4(?:/[^:]*)?:\s*"([\d.]+)\s+([\d.]+)\s+([\d.]+)\s+([\d.]+)")re"));
    constexpr double A4Width = 595.0;
    constexpr double A4Height = 842.0;
    while (!ppd.atEnd()) {
        const QString line = QString::fromLatin1(ppd.readLine()).trimmed();
        const QRegularExpressionMatch m = area.match(line);
        if (!m.hasMatch())
            continue;
        const double llx = m.captured(1).toDouble();
        const double lly = m.captured(2).toDouble();
        const double urx = m.captured(3).toDouble();
        const double ury = m.captured(4).toDouble();
        *margins = QMarginsF(llx, A4Height - ury, A4Width - urx, lly);
        return true;
    }
    tell(why, QStringLiteral("no A4 imageable area in %1").arg(path));
    return false;
}

bool TestQueue::printableOrigin(bool landscape, QPointF *origin, QString *why) const
{
    QMarginsF m;
    if (!a4Margins(&m, why))
        return false;
    *origin = landscape ? QPointF(m.bottom(), m.left()) * 20.0 : QPointF(m.left(), m.top()) * 20.0;
    return true;
}
