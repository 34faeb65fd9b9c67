#include "support/pgserver.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

// The test server and Qt's PostgreSQL driver together, as the shared journal
// will use them: the owner sets the schema up and grants the tills what they
// may do, and it is the server that refuses them the rest.
class TestPgServer : public QObject
{
    Q_OBJECT

private slots:
    void serverIsSetUpForTheJournal_data();
    void serverIsSetUpForTheJournal();
    void tillsMayOnlyAddAndRead_data();
    void tillsMayOnlyAddAndRead();
};

namespace {

enum class Role { Owner, Tills };

// The first value of the first row, or the error, marked so that it cannot
// pass for a value.
QString firstValue(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        return QStringLiteral("[error] ") + query.lastError().text();
    return query.next() ? query.value(0).toString() : QStringLiteral("[no row]");
}

} // namespace

Q_DECLARE_METATYPE(Role)
Q_DECLARE_METATYPE(TestServer::Route)

void TestPgServer::serverIsSetUpForTheJournal_data()
{
    QTest::addColumn<Role>("role");
    QTest::addColumn<TestServer::Route>("route");
    QTest::addColumn<QString>("sql");
    // %1 stands for the role's name.
    QTest::addColumn<QString>("expected");

    const QString who = QStringLiteral("SELECT current_user || ' super=' || rolsuper || ' createdb=' || rolcreatedb "
                                       "FROM pg_roles WHERE rolname = current_user");
    const QString where = QStringLiteral("SELECT coalesce(host(inet_server_addr()), 'socket')");
    // Had the rig made the owner a superuser, no grant would ever be tried.
    QTest::newRow("owner, not a superuser")
        << Role::Owner << TestServer::Route::Socket << who << QStringLiteral("%1 super=false createdb=true");
    QTest::newRow("tills, with no rights of their own")
        << Role::Tills << TestServer::Route::Socket << who << QStringLiteral("%1 super=false createdb=false");
    QTest::newRow("tills by the socket") << Role::Tills << TestServer::Route::Socket << where
                                         << QStringLiteral("socket");
    QTest::newRow("tills over TCP") << Role::Tills << TestServer::Route::Loopback << where
                                    << QStringLiteral("127.0.0.1");
    // A cheque the server said it recorded is on its disk.
    QTest::newRow("fsync") << Role::Owner << TestServer::Route::Socket << QStringLiteral("SHOW fsync")
                           << QStringLiteral("on");
    QTest::newRow("synchronous commit") << Role::Owner << TestServer::Route::Socket
                                        << QStringLiteral("SHOW synchronous_commit") << QStringLiteral("on");
    QTest::newRow("UTF-8, for payees' names")
        << Role::Owner << TestServer::Route::Socket << QStringLiteral("SHOW server_encoding") << QStringLiteral("UTF8");
    QTest::newRow("version 15, the shop's")
        << Role::Owner << TestServer::Route::Loopback
        << QStringLiteral("SELECT current_setting('server_version_num')::int / 10000") << QStringLiteral("15");
}

void TestPgServer::serverIsSetUpForTheJournal()
{
    ORMELINE_TEST_PG(server);
    QFETCH(Role, role);
    QFETCH(TestServer::Route, route);
    QFETCH(QString, sql);
    QFETCH(QString, expected);

    const QString name = role == Role::Owner ? server.owner() : server.user();
    QString why;
    const QSqlDatabase db = server.connect(name, QString(), &why, route);
    QVERIFY2(db.isOpen(), qPrintable(why));
    QCOMPARE(firstValue(db, sql), expected.contains(QLatin1String("%1")) ? expected.arg(name) : expected);
}

void TestPgServer::tillsMayOnlyAddAndRead_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("allowed");
    // The amounts as the owner reads them afterwards.
    QTest::addColumn<QString>("after");

    const QString before = QStringLiteral("1 575,98");
    QTest::newRow("insert") << QStringLiteral("INSERT INTO cheques (amount) VALUES ('12,50')") << true
                            << QStringLiteral("1 575,98;12,50");
    QTest::newRow("select") << QStringLiteral("SELECT amount FROM cheques") << true << before;
    QTest::newRow("update") << QStringLiteral("UPDATE cheques SET amount = '0,00'") << false << before;
    QTest::newRow("delete") << QStringLiteral("DELETE FROM cheques") << false << before;
    QTest::newRow("truncate") << QStringLiteral("TRUNCATE cheques") << false << before;
    // Locking rows to change them needs the right to change them.
    QTest::newRow("select for update") << QStringLiteral("SELECT amount FROM cheques FOR UPDATE") << false << before;
    QTest::newRow("alter") << QStringLiteral("ALTER TABLE cheques ADD COLUMN note text") << false << before;
    QTest::newRow("drop") << QStringLiteral("DROP TABLE cheques") << false << before;
    // Since PostgreSQL 15 nobody but the database's owner creates in public.
    QTest::newRow("a table of its own") << QStringLiteral("CREATE TABLE brouillon (amount text)") << false << before;
}

void TestPgServer::tillsMayOnlyAddAndRead()
{
    ORMELINE_TEST_PG(server);
    QFETCH(QString, statement);
    QFETCH(bool, allowed);
    QFETCH(QString, after);

    QString why;
    const QString database = server.freshDatabase(&why);
    QVERIFY2(!database.isEmpty(), qPrintable(why));
    const QSqlDatabase owner = server.connect(server.owner(), database, &why);
    QVERIFY2(owner.isOpen(), qPrintable(why));
    const QString tillsRole = owner.driver()->escapeIdentifier(server.user(), QSqlDriver::TableName);
    // The identity column's sequence needs no grant of its own: INSERT is
    // enough for a till to number its cheque.
    for (const QString &sql :
         {QStringLiteral(
              "CREATE TABLE cheques (id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY, amount text NOT NULL)"),
          QStringLiteral("GRANT INSERT, SELECT ON cheques TO %1").arg(tillsRole),
          QStringLiteral("INSERT INTO cheques (amount) VALUES ('1 575,98')")}) {
        QSqlQuery query(owner);
        QVERIFY2(query.exec(sql), qPrintable(query.lastError().text()));
    }

    const QSqlDatabase tills = server.connect(server.user(), database, &why);
    QVERIFY2(tills.isOpen(), qPrintable(why));
    QSqlQuery query(tills);
    const bool done = query.exec(statement);
    QVERIFY2(done == allowed,
             qPrintable(done ? QStringLiteral("the server let it through") : query.lastError().text()));
    // Refused for want of a privilege, not for any other fault of the statement.
    if (!allowed)
        QCOMPARE(query.lastError().nativeErrorCode(), QStringLiteral("42501"));
    QCOMPARE(firstValue(owner, QStringLiteral("SELECT string_agg(amount, ';' ORDER BY id) FROM cheques")), after);
}

QTEST_GUILESS_MAIN(TestPgServer)
#include "tst_pgserver.moc"
