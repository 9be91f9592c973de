#ifndef STOREREADER_H
#define STOREREADER_H

#include <QByteArray>
#include <QString>
#include <QVariantList>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

// This thread's reading connection to the store, through SQLite's own
// interface: texts come out as the stored UTF-8 and the statements used last
// stay prepared. Lists and counts read through it; every write goes through
// Database.
class StoreReader
{
public:
    // One run of a prepared statement; the statement is reset when this goes.
    class Query
    {
    public:
        Query(StoreReader *reader, sqlite3_stmt *statement);
        Query(Query &&other) noexcept;
        Query(const Query &) = delete;
        Query &operator=(const Query &) = delete;
        ~Query();

        // Steps to the next row; false at the end and on an error (see failed()).
        bool next();
        bool failed() const { return !statement || error; }
        sqlite3_stmt *row() const { return statement; }

    private:
        StoreReader *reader;
        sqlite3_stmt *statement;
        bool error = false;
    };

    // This thread's reader, opened on first use; nullptr when the store cannot be opened.
    static StoreReader *current();
    ~StoreReader();

    // A read transaction: every query until end() sees one committed state.
    bool begin();
    void end();
    // Runs the statement (kept prepared while it is among the kMaxStatements
    // used last) with the values bound in order: texts, whole numbers
    // (qlonglong, int) and doubles.
    Query query(const QByteArray &sql, const QVariantList &values = {});
    // The change number of a table (see Database) in the state this transaction sees.
    bool version(const QString &table, qint64 *out);
    // The last error, for the log.
    QString lastError() const;

    // Bounds the work of the queries run from now on, for a thread that must
    // not be held up: past about this many steps of SQLite's machine in all, a
    // query fails, and so does one that would wait for a lock. 0 lifts the bound.
    void limitWork(int steps);
    bool limited() const { return bounded; }
    // Statements kept prepared and the memory they hold, as SQLite tells it.
    int preparedCount() const { return int(statements.size()); }
    qsizetype preparedSize() const { return preparedBytes; }

    // Statements kept per thread: the client's conditions are few and each
    // list uses a handful of statements, but anyone can send many distinct
    // conditions, and every kept statement holds memory. A long condition
    // makes a large statement (one of 8 KiB can take over 100 KiB), so
    // the statements kept by a thread take at most kMaxStatementBytes as
    // well, besides the one prepared last (while none is running).
    static constexpr size_t kMaxStatements = 64;
    static constexpr qsizetype kMaxStatementBytes = 1024 * 1024;

private:
    explicit StoreReader(sqlite3 *db) : db(db) {}
    bool exec(const char *sql);
    bool run(const char *sql);
    static int progress(void *reader);
    // Finalizes the statements used longest ago, down to kMaxStatements - 1
    // and to room for one of this many bytes.
    void makeRoom(qsizetype bytes);

    struct Kept
    {
        sqlite3_stmt *statement;
        quint64 used; // the value of uses at its last run
        qsizetype bytes;
    };

    sqlite3 *db;
    std::unordered_map<std::string, Kept> statements;
    quint64 uses = 0;
    qsizetype preparedBytes = 0;
    int running = 0; // queries not yet reset, whose statements must stay
    bool bounded = false;
    int stepsLeft = 0; // under limitWork()
    // How long a query waits for a lock that a writer holds, without a bound.
    static constexpr int kBusyMilliseconds = 30000;
};

#endif // STOREREADER_H
