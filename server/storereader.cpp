#include "storereader.h"

#include <QFile>
#include <memory>
#include <sqlite3.h>

#include "database.h"

StoreReader::Query::Query(StoreReader *reader, sqlite3_stmt *statement) : reader(reader), statement(statement)
{
    if (statement)
        ++reader->running;
}

StoreReader::Query::Query(Query &&other) noexcept
    : reader(other.reader), statement(other.statement), error(other.error)
{
    other.statement = nullptr;
}

StoreReader::Query::~Query()
{
    if (statement) {
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        --reader->running;
    }
}

bool StoreReader::Query::next()
{
    if (!statement || error)
        return false;
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        error = true;
        // Under a bound, running out of it or meeting a lock is expected.
        if (!reader->limited() || (rc != SQLITE_INTERRUPT && rc != SQLITE_BUSY))
            qWarning("store error: %s", sqlite3_errmsg(reader->db));
    }
    return false;
}

StoreReader *StoreReader::current()
{
    thread_local std::unique_ptr<StoreReader> reader;
    if (reader)
        return reader.get();
    sqlite3 *db = nullptr;
    const QByteArray file = QFile::encodeName(Database::fileName());
    // One connection per thread, so SQLite need not lock it.
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        qWarning("store error: %s", db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, kBusyMilliseconds);
    reader.reset(new StoreReader(db));
    // Never writes; the indexes are read from the shared memory map; sorts stay in memory.
    const QByteArray setup = "PRAGMA query_only=1; PRAGMA temp_store=MEMORY; PRAGMA cache_size=-1024; "
                             "PRAGMA mmap_size=" + QByteArray::number(Database::kMapBytes);
    if (!reader->exec(setup.constData())) {
        reader.reset();
        return nullptr;
    }
    return reader.get();
}

StoreReader::~StoreReader()
{
    for (auto &s : statements)
        sqlite3_finalize(s.second.statement);
    sqlite3_close(db);
}

bool StoreReader::exec(const char *sql)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    qWarning("store error: %s", message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    return false;
}

bool StoreReader::run(const char *sql)
{
    Query q = query(QByteArray::fromRawData(sql, int(qstrlen(sql))));
    q.next();
    return !q.failed();
}

bool StoreReader::begin()
{
    end();
    return run("BEGIN");
}

void StoreReader::end()
{
    if (sqlite3_get_autocommit(db) == 0)
        run("COMMIT");
}

StoreReader::Query StoreReader::query(const QByteArray &sql, const QVariantList &values)
{
    const std::string key(sql.constData(), size_t(sql.size()));
    auto it = statements.find(key);
    if (it == statements.end()) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v3(db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement, nullptr)
                != SQLITE_OK
            || !statement) {
            qWarning("store error: %s", sqlite3_errmsg(db));
            sqlite3_finalize(statement);
            return Query(this, nullptr);
        }
        const qsizetype bytes = sqlite3_stmt_status(statement, SQLITE_STMTSTATUS_MEMUSED, 0);
        // A running query's statement must stay: past the bounds only while queries run.
        if (running == 0)
            makeRoom(bytes);
        it = statements.emplace(key, Kept{statement, 0, bytes}).first;
        preparedBytes += bytes;
    }
    it->second.used = ++uses;
    sqlite3_stmt *statement = it->second.statement;
    int i = 1;
    for (const QVariant &v : values) {
        int rc = SQLITE_OK;
        switch (v.typeId()) {
        case QMetaType::QString: {
            const QByteArray text = v.toString().toUtf8();
            rc = sqlite3_bind_text(statement, i, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::Double:
            rc = sqlite3_bind_double(statement, i, v.toDouble());
            break;
        default:
            rc = sqlite3_bind_int64(statement, i, v.toLongLong());
            break;
        }
        if (rc != SQLITE_OK) {
            qWarning("store error: %s", sqlite3_errmsg(db));
            sqlite3_reset(statement);
            sqlite3_clear_bindings(statement);
            return Query(this, nullptr);
        }
        ++i;
    }
    return Query(this, statement);
}

void StoreReader::makeRoom(qsizetype bytes)
{
    while (!statements.empty()
           && (statements.size() >= kMaxStatements || preparedBytes + bytes > kMaxStatementBytes)) {
        auto oldest = statements.begin();
        for (auto it = statements.begin(); it != statements.end(); ++it)
            if (it->second.used < oldest->second.used)
                oldest = it;
        sqlite3_finalize(oldest->second.statement);
        preparedBytes -= oldest->second.bytes;
        statements.erase(oldest);
    }
}

bool StoreReader::version(const QString &table, qint64 *out)
{
    Query q = query("SELECT \"version\" FROM \"tableVersion\" WHERE \"name\" = ?", {table});
    if (!q.next())
        return false;
    *out = sqlite3_column_int64(q.row(), 0);
    return true;
}

namespace {

// SQLite's machine reports back every this many steps.
constexpr int kProgressSteps = 256;

} // namespace

int StoreReader::progress(void *reader)
{
    auto *self = static_cast<StoreReader *>(reader);
    self->stepsLeft -= kProgressSteps;
    return self->stepsLeft <= 0 ? 1 : 0;
}

void StoreReader::limitWork(int steps)
{
    bounded = steps > 0;
    stepsLeft = steps;
    if (bounded) {
        sqlite3_progress_handler(db, kProgressSteps, &StoreReader::progress, this);
        sqlite3_busy_timeout(db, 0);
    } else {
        sqlite3_progress_handler(db, 0, nullptr, nullptr);
        sqlite3_busy_timeout(db, kBusyMilliseconds);
    }
}

QString StoreReader::lastError() const
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}
