#ifndef DATABASE_H
#define DATABASE_H

#include <QSqlDatabase>
#include <QString>

// The SQLite store of the server: one file in the data folder, written ahead
// (WAL) and synced on every commit. Every thread that asks gets a connection of
// its own, kept for the thread's life. Every table has a change number in the
// table "tableVersion", raised by triggers in the transaction of each write to
// the table, so a reader can tell which state of a table it sees.
class Database
{
public:
    // Names the store's file and creates the tables, indexes and triggers that are missing.
    static bool open(const QString &fileName, QString *error);
    static QString fileName();
    // The data folder: the folder of the store's file.
    static QString folder();
    // This thread's connection (opened on first use).
    static QSqlDatabase connection();
    // Starts a write transaction that holds the write lock from its start, so
    // that concurrent writers wait for each other instead of failing.
    static bool begin(QSqlDatabase &db);
    static bool commit(QSqlDatabase &db);
    static void rollback(QSqlDatabase &db);
    static bool exec(QSqlDatabase &db, const QString &sql);

    // Memory mapped for reading, shared by every connection of the process.
    static constexpr qint64 kMapBytes = qint64(1) << 30;
};

#endif // DATABASE_H
