#include "database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QThread>
#include <mutex>

#include "entityschema.h"

namespace {

QString storeFile;

// Writers of this process queue here rather than in SQLite's busy handler,
// which sleeps and polls: a writer then starts as soon as the previous one
// ends, instead of at its next poll.
std::mutex writeLock;
thread_local bool holdingWriteLock = false;

void releaseWriteLock()
{
    if (holdingWriteLock) {
        holdingWriteLock = false;
        writeLock.unlock();
    }
}

QString connectionName()
{
    return QStringLiteral("lanzhou-%1").arg(reinterpret_cast<quintptr>(QThread::currentThreadId()));
}

bool configure(QSqlDatabase &db)
{
    QSqlQuery q(db);
    // Every acknowledged write is on disk before the reply goes out.
    return q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && q.exec(QStringLiteral("PRAGMA synchronous=FULL"))
           && q.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
}

} // namespace

bool Database::exec(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    return q.exec(sql);
}

bool Database::open(const QString &fileName, QString *error)
{
    storeFile = fileName;
    QSqlDatabase db = connection();
    if (!db.isOpen()) {
        *error = db.lastError().text();
        return false;
    }
    if (!begin(db)) {
        *error = db.lastError().text();
        return false;
    }
    for (const EntitySchema &s : EntitySchema::all()) {
        QStringList columns{QStringLiteral("\"id\" INTEGER PRIMARY KEY AUTOINCREMENT")};
        for (const EntitySchema::Field &f : s.fields) {
            QString type = QStringLiteral("TEXT NOT NULL DEFAULT ''");
            if (f.kind == ConditionParser::Integer)
                type = QStringLiteral("INTEGER NOT NULL DEFAULT 0");
            else if (f.kind == ConditionParser::Real)
                type = QStringLiteral("REAL NOT NULL DEFAULT 0");
            columns << QStringLiteral("\"%1\" %2").arg(f.name, type);
        }
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(s.table(), columns.join(QLatin1Char(','))))) {
            *error = q.lastError().text();
            rollback(db);
            return false;
        }
        // The owner condition comes with nearly every list, with the shown state for notes and plans.
        if (s.hasField(QStringLiteral("loginName")))
            exec(db, QStringLiteral("CREATE INDEX IF NOT EXISTS \"%1_loginName\" ON %2(\"loginName\"%3)")
                         .arg(s.entity, s.table(),
                              s.hasField(QStringLiteral("isShow")) ? QStringLiteral(",\"isShow\"") : QString()));
    }
    if (!exec(db, QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS \"user_username\" ON \"user\"(\"username\")"))) {
        *error = db.lastError().text();
        rollback(db);
        return false;
    }
    return commit(db);
}

QSqlDatabase Database::connection()
{
    const QString name = connectionName();
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name, false);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(storeFile);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
    if (db.open())
        configure(db);
    return db;
}

bool Database::begin(QSqlDatabase &db)
{
    if (!holdingWriteLock) {
        writeLock.lock();
        holdingWriteLock = true;
    }
    if (exec(db, QStringLiteral("BEGIN IMMEDIATE")))
        return true;
    releaseWriteLock();
    return false;
}

bool Database::commit(QSqlDatabase &db)
{
    if (exec(db, QStringLiteral("COMMIT"))) {
        releaseWriteLock();
        return true;
    }
    rollback(db);
    return false;
}

void Database::rollback(QSqlDatabase &db)
{
    exec(db, QStringLiteral("ROLLBACK"));
    releaseWriteLock();
}
