#include "database.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QThread>
#include <mutex>
#include <sqlite3.h>

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
           && q.exec(QStringLiteral("PRAGMA foreign_keys=ON"))
           && q.exec(QStringLiteral("PRAGMA mmap_size=%1").arg(Database::kMapBytes))
           // Reads come from the map; the cache holds the pages a write changes (and those in the log).
           && q.exec(QStringLiteral("PRAGMA cache_size=-1024"));
}

// "loginName" → "loginName"; "date(remindDate)" → date("remindDate").
QString indexColumn(const QString &column)
{
    if (column.startsWith(QLatin1String("date(")))
        return QStringLiteral("date(\"%1\")").arg(column.mid(5).chopped(1));
    return QLatin1Char('"') + column + QLatin1Char('"');
}

QString indexName(const EntitySchema &s, const QStringList &columns)
{
    QString name = s.entity + QStringLiteral("_by");
    for (QString c : columns)
        name += QLatin1Char('_') + c.replace(QLatin1Char('('), QLatin1Char('_')).remove(QLatin1Char(')'));
    return name;
}

QStringList schemaStatements()
{
    QStringList sql{QStringLiteral("CREATE TABLE IF NOT EXISTS \"tableVersion\" (\"name\" TEXT PRIMARY KEY, "
                                   "\"version\" INTEGER NOT NULL DEFAULT 0) WITHOUT ROWID")};
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
        sql << QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(s.table(), columns.join(QLatin1Char(',')));
        // The single index of earlier stores, replaced by the ones below.
        sql << QStringLiteral("DROP INDEX IF EXISTS \"%1_loginName\"").arg(s.entity);
        for (const QStringList &index : s.indexes) {
            QStringList expressions;
            for (const QString &column : index)
                expressions << indexColumn(column);
            sql << QStringLiteral("CREATE INDEX IF NOT EXISTS \"%1\" ON %2(%3)")
                       .arg(indexName(s, index), s.table(), expressions.join(QLatin1Char(',')));
        }
        sql << QStringLiteral("INSERT OR IGNORE INTO \"tableVersion\" (\"name\") VALUES ('%1')").arg(s.entity);
        for (const char *event : {"INSERT", "UPDATE", "DELETE"})
            sql << QStringLiteral("CREATE TRIGGER IF NOT EXISTS \"%1_%2\" AFTER %2 ON %3 BEGIN "
                                  "UPDATE \"tableVersion\" SET \"version\" = \"version\" + 1 WHERE \"name\" = '%1'; END")
                       .arg(s.entity, QLatin1String(event), s.table());
    }
    sql << QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS \"user_username\" ON \"user\"(\"username\")");
    return sql;
}

} // namespace

bool Database::exec(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    return q.exec(sql);
}

bool Database::open(const QString &fileName, QString *error)
{
    // No memory statistics: they take a process-wide lock on every allocation.
    // Refused (and harmless) when SQLite is already running in this process.
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
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
    for (const QString &statement : schemaStatements()) {
        QSqlQuery q(db);
        if (!q.exec(statement)) {
            *error = q.lastError().text();
            rollback(db);
            return false;
        }
    }
    return commit(db);
}

QString Database::fileName()
{
    return storeFile;
}

QString Database::folder()
{
    return QFileInfo(storeFile).absolutePath();
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
