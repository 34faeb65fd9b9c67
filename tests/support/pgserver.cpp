#include "support/pgserver.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <utility>

namespace {

const QString Driver = QStringLiteral("QPSQL");

// Qt's connections are shared by name within the process, and the server's
// databases by name between the test programs ctest runs side by side: each
// one made here takes the next number, after the process's id.
int madeHere = 0;

QString nextName(const QString &prefix)
{
    return QStringLiteral("%1_%2_%3").arg(prefix).arg(QCoreApplication::applicationPid()).arg(++madeHere);
}

void tell(QString *why, const QString &text)
{
    if (why)
        *why = text;
}

// A value as libpq reads it: quoted when it is empty or holds a space, a
// quote or a backslash.
QString conninfoValue(QString value)
{
    const bool plain = !value.isEmpty() && std::none_of(value.cbegin(), value.cend(), [](QChar c) {
        return c.isSpace() || c == u'\'' || c == u'\\';
    });
    if (plain)
        return value;
    value.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    value.replace(QLatin1String("'"), QLatin1String("\\'"));
    return u'\'' + value + u'\'';
}

} // namespace

TestServer::TestServer()
    : m_host(qEnvironmentVariable("ORMELINE_TEST_PG_HOST"))
    , m_port(qEnvironmentVariableIntValue("ORMELINE_TEST_PG_PORT"))
    , m_database(qEnvironmentVariable("ORMELINE_TEST_PG_DB"))
    , m_owner(qEnvironmentVariable("ORMELINE_TEST_PG_OWNER"))
    , m_user(qEnvironmentVariable("ORMELINE_TEST_PG_USER"))
{
}

TestServer::~TestServer()
{
    for (const QString &name : std::as_const(m_connections)) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    for (const QString &name : std::as_const(m_databases)) {
        QString why;
        if (!runAsOwner(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name), &why))
            qWarning("test database %s left on the server: %s", qPrintable(name), qPrintable(why));
    }
}

bool TestServer::required()
{
    return qEnvironmentVariable("ORMELINE_REQUIRE_PG") == QLatin1String("1");
}

bool TestServer::available(QString *why) const
{
    if (m_host.isEmpty() || m_port <= 0 || m_database.isEmpty() || m_owner.isEmpty() || m_user.isEmpty()) {
        tell(why, QStringLiteral("ORMELINE_TEST_PG_HOST, _PORT, _DB, _OWNER or _USER unset"));
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(Driver)) {
        tell(why, QStringLiteral("Qt has no %1 driver (libqt6sql6-psql)").arg(Driver));
        return false;
    }
    return runAsOwner(QStringLiteral("SELECT 1"), why);
}

QString TestServer::hostFor(Route route) const
{
    return route == Route::Socket ? m_host : QStringLiteral("127.0.0.1");
}

QString TestServer::connectionString(const QString &role, const QString &database, Route route) const
{
    return QStringLiteral("host=%1 port=%2 dbname=%3 user=%4")
        .arg(conninfoValue(hostFor(route)))
        .arg(m_port)
        .arg(conninfoValue(database.isEmpty() ? m_database : database), conninfoValue(role));
}

QSqlDatabase TestServer::connect(const QString &role, const QString &database, QString *why, Route route) const
{
    const QString name = nextName(QStringLiteral("pgserver"));
    m_connections << name;
    return open(name, role, database, route, why);
}

QSqlDatabase TestServer::open(const QString &name, const QString &role, const QString &database, Route route,
                              QString *why) const
{
    QSqlDatabase db = QSqlDatabase::addDatabase(Driver, name);
    db.setHostName(hostFor(route));
    db.setPort(m_port);
    db.setDatabaseName(database.isEmpty() ? m_database : database);
    db.setUserName(role);
    // A server that is not there must not hold the test until ctest's timeout.
    db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    if (!db.open()) {
        tell(
            why,
            QStringLiteral("%1 cannot log in: %2").arg(connectionString(role, database, route), db.lastError().text()));
        return QSqlDatabase();
    }
    return db;
}

// On a connection of its own, gone before this returns, so that nothing of
// it is left for the test to trip on.
bool TestServer::runAsOwner(const QString &sql, QString *why) const
{
    const QString name = nextName(QStringLiteral("pgserver_owner"));
    bool done = false;
    {
        const QSqlDatabase db = open(name, m_owner, QString(), Route::Socket, why);
        if (db.isOpen()) {
            QSqlQuery query(db);
            done = query.exec(sql);
            if (!done)
                tell(why, QStringLiteral("%1: %2").arg(sql, query.lastError().text()));
        }
    }
    QSqlDatabase::removeDatabase(name);
    return done;
}

QString TestServer::freshDatabase(QString *why) const
{
    const QString name = nextName(QStringLiteral("ormeline_t"));
    // Each statement is a transaction of its own here, as CREATE DATABASE
    // must be.
    if (!runAsOwner(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'").arg(name), why))
        return QString();
    m_databases << name;
    return name;
}

namespace {

bool runRig(const QString &host, const QString &command, QString *why)
{
    const QString rig = qEnvironmentVariable("ORMELINE_TEST_PG_RIG");
    if (rig.isEmpty()) {
        tell(why, QStringLiteral("ORMELINE_TEST_PG_RIG is not set"));
        return false;
    }
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The rig's folder is the socket's.
    environment.insert(QStringLiteral("ORMELINE_PG_DIR"), host);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("bash"), {rig, command});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        tell(why, QStringLiteral("%1 %2 failed: %3")
                      .arg(rig, command, QString::fromLocal8Bit(process.readAllStandardError())));
        return false;
    }
    return true;
}

} // namespace

bool TestServer::pause(QString *why) const
{
    return runRig(m_host, QStringLiteral("pause"), why);
}

bool TestServer::resume(QString *why) const
{
    return runRig(m_host, QStringLiteral("resume"), why);
}
