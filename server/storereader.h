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
// interface: texts come out as the stored UTF-8 and every statement stays
// prepared for the life of the thread. Lists and counts read through it; every
// write goes through Database.
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
    // Runs the statement (prepared once per thread) with the values bound in
    // order: texts, whole numbers (qlonglong, int) and doubles.
    Query query(const QByteArray &sql, const QVariantList &values = {});
    // The change number of a table (see Database) in the state this transaction sees.
    bool version(const QString &table, qint64 *out);
    // The last error, for the log.
    QString lastError() const;

private:
    explicit StoreReader(sqlite3 *db) : db(db) {}
    bool exec(const char *sql);
    bool run(const char *sql);

    sqlite3 *db;
    std::unordered_map<std::string, sqlite3_stmt *> statements;
    int running = 0; // queries not yet reset, whose statements must stay
};

#endif // STOREREADER_H
