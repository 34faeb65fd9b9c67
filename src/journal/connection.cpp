#include "journal/connection.h"

#include "journal/journal.h"

#include <atomic>

namespace journal {

namespace {

// The journal's one counter for the process's connections (see the class).
std::atomic<quint64> connections{0};

QString nextName()
{
    return QStringLiteral("ormeline-journal-%1").arg(++connections);
}

const QString BusyTimeout = QStringLiteral("QSQLITE_BUSY_TIMEOUT=20000");
// Seconds; a shop's server is on its own network.
const QString ServerTimeout = QStringLiteral(" connect_timeout=5");

} // namespace

Connection::Connection(const QString &path, bool readOnly)
    : m_name(nextName())
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(path);
    m_db.setConnectOptions(readOnly ? BusyTimeout + QStringLiteral(";QSQLITE_OPEN_READONLY") : BusyTimeout);
}

Connection::Connection(const ServerAddress &server)
    : m_name(nextName())
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
    // A service file may set its own wait, which a value here would override.
    const bool ownWait = server.sets(QStringLiteral("connect_timeout")) || server.sets(QStringLiteral("service"));
    m_db.setConnectOptions(ownWait ? server.options() : server.options() + ServerTimeout);
}

Connection::~Connection()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

} // namespace journal
