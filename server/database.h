#ifndef DATABASE_H
#define DATABASE_H

#include <QSqlDatabase>
#include <QString>

// The SQLite store of the server: one file in the data folder, written ahead
// (WAL) and synced on every commit. Every thread that asks gets a connection of
// its own, kept for the thread's life.
class Database
{
public:
    // Names the store's file and creates the tables that are missing.
    static bool open(const QString &fileName, QString *error);
    // This thread's connection (opened on first use).
    static QSqlDatabase connection();
    // Starts a write transaction that holds the write lock from its start, so
    // that concurrent writers wait for each other instead of failing.
    static bool begin(QSqlDatabase &db);
    static bool commit(QSqlDatabase &db);
    static void rollback(QSqlDatabase &db);
    static bool exec(QSqlDatabase &db, const QString &sql);
};

#endif // DATABASE_H
