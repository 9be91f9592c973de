// The store reader keeps a bounded number of statements prepared, and a
// bounded size of them: the ones used often stay, the ones used long ago go,
// and a statement that a query is still reading is never finalized under it.
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

#include "database.h"
#include "storereader.h"

class TestStoreReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keptStatementsStayBounded();
    void longStatementsStayWithinBytes();

private:
    QTemporaryDir dir;
};

void TestStoreReader::initTestCase()
{
    QVERIFY(dir.isValid());
    QString error;
    QVERIFY2(Database::open(dir.filePath(QStringLiteral("store.sqlite")), &error), qPrintable(error));
}

void TestStoreReader::keptStatementsStayBounded()
{
    StoreReader *reader = StoreReader::current();
    QVERIFY(reader);
    const QByteArray hot = "SELECT \"version\" FROM \"tableVersion\" WHERE \"name\" = ?";
    const QByteArray all = "SELECT \"name\" FROM \"tableVersion\" ORDER BY \"name\"";
    QStringList names;
    {
        StoreReader::Query q = reader->query(all);
        while (q.next())
            names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(q.row(), 0)));
        QVERIFY(!q.failed());
    }
    QVERIFY(names.size() > 2);

    // Many distinct statements, the hot one between each: it is prepared once and
    // run again and again; the others are dropped past the bound.
    const int distinct = int(StoreReader::kMaxStatements) * 8;
    for (int i = 0; i < distinct; ++i) {
        {
            StoreReader::Query q = reader->query(hot, {QStringLiteral("note")});
            QVERIFY(q.next());
            QCOMPARE(sqlite3_stmt_status(q.row(), SQLITE_STMTSTATUS_RUN, 0), i + 1);
        }
        StoreReader::Query other = reader->query("SELECT ? + " + QByteArray::number(i), {1});
        QVERIFY(other.next());
        QCOMPARE(sqlite3_column_int64(other.row(), 0), qint64(i + 1));
        QVERIFY(reader->preparedCount() <= int(StoreReader::kMaxStatements));
    }

    // A query still reading while more distinct statements than the bound run:
    // its statement stays and it reads on to its end.
    {
        StoreReader::Query reading = reader->query(all);
        QVERIFY(reading.next());
        QStringList read{QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(reading.row(), 0)))};
        for (int i = 0; i < distinct; ++i) {
            StoreReader::Query other = reader->query("SELECT ? * " + QByteArray::number(i), {2});
            QVERIFY(other.next());
            QCOMPARE(sqlite3_column_int64(other.row(), 0), qint64(2 * i));
        }
        while (reading.next())
            read << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(reading.row(), 0)));
        QVERIFY(!reading.failed());
        QCOMPARE(read, names);
    }
    // Back within the bound at the next statement once nothing runs.
    StoreReader::Query last = reader->query("SELECT 1 + 1");
    QVERIFY(last.next());
    QVERIFY(reader->preparedCount() <= int(StoreReader::kMaxStatements));
}

void TestStoreReader::longStatementsStayWithinBytes()
{
    StoreReader *reader = StoreReader::current();
    QVERIFY(reader);
    const QByteArray hot = "SELECT \"version\" FROM \"tableVersion\" WHERE \"name\" = ?";
    int runs = 0;
    {
        StoreReader::Query q = reader->query(hot, {QStringLiteral("note")});
        QVERIFY(q.next());
        runs = sqlite3_stmt_status(q.row(), SQLITE_STMTSTATUS_RUN, 0);
    }
    // Conditions of about 8 KiB, each of another form: far fewer of them than
    // the count bound fill the bytes.
    qsizetype largest = 0;
    for (int i = 0; i < int(StoreReader::kMaxStatements); ++i) {
        QByteArray sql = "SELECT COUNT(*) FROM \"tableVersion\" WHERE \"version\" = ?";
        for (int term = 0; sql.size() < 8000; ++term)
            sql += term % (i + 2) == 0 ? " OR \"version\" < ?" : " OR \"version\" = ?";
        const qsizetype before = reader->preparedSize();
        {
            StoreReader::Query q = reader->query(sql, {-1});
            QVERIFY(q.next());
            QCOMPARE(sqlite3_column_int64(q.row(), 0), qint64(0));
        }
        largest = std::max(largest, reader->preparedSize() - before);
        QVERIFY2(reader->preparedSize() <= StoreReader::kMaxStatementBytes + largest,
                 qPrintable(QString::number(reader->preparedSize())));
        StoreReader::Query q = reader->query(hot, {QStringLiteral("note")});
        QVERIFY(q.next());
        QCOMPARE(sqlite3_stmt_status(q.row(), SQLITE_STMTSTATUS_RUN, 0), runs + i + 1);
    }
    QVERIFY(largest * 16 > StoreReader::kMaxStatementBytes);
    QVERIFY(reader->preparedCount() < int(StoreReader::kMaxStatements) / 2);
}

QTEST_GUILESS_MAIN(TestStoreReader)
#include "tst_storereader.moc"
