#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QtTest/QTest>

// The PostgreSQL server that tests/rig/pg-rig.sh starts: a cluster of its own
// with a database, the role that owns it and the tills' role, which owns
// nothing and is granted what it may do by the schema set-up under test.
//
// ORMELINE_TEST_PG_HOST (the folder of the server's socket),
// ORMELINE_TEST_PG_PORT, ORMELINE_TEST_PG_DB, ORMELINE_TEST_PG_OWNER and
// ORMELINE_TEST_PG_USER say where it is and who logs in. When they are unset
// or the server cannot be reached the server tests are skipped, unless
// ORMELINE_REQUIRE_PG=1 says the run must reach it (then they fail).
//
// What an object makes goes with it: the connections it opened are removed
// and the databases it created are dropped, whoever is still connected.
class TestServer
{
public:
    // How a client reaches the server: the socket, as a till on the server's
    // own machine would, or TCP on 127.0.0.1, as the other tills would.
    enum class Route { Socket, Loopback };

    // Reads the environment.
    TestServer();
    ~TestServer();
    TestServer(const TestServer &) = delete;
    TestServer &operator=(const TestServer &) = delete;

    static bool required();

    // The variables are set, Qt has its PostgreSQL driver, and the owner
    // logs in to the rig's database. False with the reason otherwise.
    bool available(QString *why) const;

    QString host() const { return m_host; }
    int port() const { return m_port; }
    QString database() const { return m_database; }
    QString owner() const { return m_owner; }
    QString user() const { return m_user; }

    // "host=... port=... dbname=... user=..." for libpq, as the program
    // would be given it; the rig's database when `database` is empty.
    QString connectionString(const QString &role, const QString &database = QString(),
                             Route route = Route::Socket) const;

    // An open QPSQL connection as `role` to `database` (the rig's when
    // empty), under a name of its own. Invalid, with the reason, when it
    // cannot be opened.
    QSqlDatabase connect(const QString &role, const QString &database, QString *why, Route route = Route::Socket) const;

    // Stops the server and starts it again, as a shop's server goes away
    // and comes back (ORMELINE_TEST_PG_RIG, the rig's script, does it).
    // False with the reason when it could not.
    bool pause(QString *why) const;
    bool resume(QString *why) const;

    // A new, empty database for one test case, created by the owner, who
    // owns it, from template0. Its name, or empty with the reason.
    QString freshDatabase(QString *why) const;

private:
    QString hostFor(Route route) const;
    QSqlDatabase open(const QString &name, const QString &role, const QString &database, Route route,
                      QString *why) const;
    bool runAsOwner(const QString &sql, QString *why) const;

    QString m_host;
    int m_port = 0;
    QString m_database;
    QString m_owner;
    QString m_user;
    // What this object made, to be undone when it goes.
    mutable QStringList m_connections;
    mutable QStringList m_databases;
};

// Declares `server` for the rest of the test function, or skips the test
// (fails it, when the server is required) when the rig cannot be reached.
// Declared first, it outlives the test's own connections, which it removes.
#define ORMELINE_TEST_PG(server)                                                                                       \
    const TestServer server;                                                                                           \
    do {                                                                                                               \
        QString server##Why;                                                                                           \
        if (!server.available(&server##Why)) {                                                                         \
            if (TestServer::required())                                                                                \
                QFAIL(qPrintable(QStringLiteral("ORMELINE_REQUIRE_PG=1 but ") + server##Why));                         \
            QSKIP(qPrintable(QStringLiteral("no PostgreSQL test server (%1): run tests/rig/pg-rig.sh start and set "   \
                                            "the variables it prints")                                                 \
                                 .arg(server##Why)));                                                                  \
        }                                                                                                              \
    } while (false)
