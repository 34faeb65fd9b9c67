#pragma once

#include <QSqlDatabase>
#include <QString>

namespace journal {

class ServerAddress;

// A connection of its own, closed and forgotten when it goes. Qt SQL names
// its connections for the whole process, whatever thread or object opens
// them: each one takes the next number, so that two opened at once (a look
// on its thread, a window, the till's outbox) never share one.
class Connection
{
public:
    // To the SQLite file at `path`; a second program busy with it is waited
    // for a while.
    Connection(const QString &path, bool readOnly);
    // To a server, through libpq's own options (never a password: libpq
    // finds it in ~/.pgpass, PGPASSWORD or the service file). A server that
    // does not answer is given up after a few seconds, not the system's
    // minutes, so that a till is never frozen waiting for it.
    explicit Connection(const ServerAddress &server);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    QSqlDatabase &db() { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
};

} // namespace journal
