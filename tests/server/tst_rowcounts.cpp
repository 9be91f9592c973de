// The kept counts stay within their budget in bytes whatever conditions come:
// long conditions that differ in every request push out the ones used longest
// ago, while a condition in steady use stays kept.
#include <QTemporaryDir>
#include <QtTest>

#include "database.h"
#include "rowcounts.h"
#include "storereader.h"

class TestRowCounts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void manyLongConditionsStayWithinBudget();

private:
    QTemporaryDir dir;
};

void TestRowCounts::initTestCase()
{
    QVERIFY(dir.isValid());
    QString error;
    QVERIFY2(Database::open(dir.filePath(QStringLiteral("store.sqlite")), &error), qPrintable(error));
}

void TestRowCounts::manyLongConditionsStayWithinBudget()
{
    StoreReader *reader = StoreReader::current();
    QVERIFY(reader);
    const QString table = QStringLiteral("tableVersion");
    const QByteArray hot = " WHERE \"name\" <> ?";
    const QVariantList hotValues{QStringLiteral("x")};
    const QByteArray other = " WHERE \"name\" = ?";
    QVERIFY(reader->begin());
    qint64 version = 0;
    QVERIFY(reader->version(QStringLiteral("note"), &version));

    RowCounts::Positions p;
    QVERIFY(RowCounts::positions(*reader, table, hot, hotValues, version, false, &p));
    const qint64 tables = p.count;
    QVERIFY(tables > 2);

    // Each condition about 8 KiB long: more of them than would fit in the budget
    // many times over.
    const int distinct = int(RowCounts::kMaxBytes / 8192) * 12;
    for (int i = 0; i < distinct; ++i) {
        const QString value = QString::number(i) + QString(8192, QLatin1Char('v'));
        QVERIFY(RowCounts::positions(*reader, table, other, {value}, version, false, &p));
        QCOMPARE(p.count, qint64(0));
        QVERIFY(RowCounts::keptBytes() <= RowCounts::kMaxBytes);
        // The hot condition is still kept: a reader that may not count gets it.
        reader->limitWork(1);
        const bool kept = RowCounts::positions(*reader, table, hot, hotValues, version, false, &p);
        reader->limitWork(0);
        QVERIFY2(kept, qPrintable(QStringLiteral("pushed out after %1 others").arg(i + 1)));
        QCOMPARE(p.count, tables);
    }
    QVERIFY(RowCounts::keptBytes() > RowCounts::kMaxBytes / 2);

    // A condition larger than the whole budget is counted but not kept, and
    // leaves the others kept.
    const QString huge(int(RowCounts::kMaxBytes), QLatin1Char('h'));
    QVERIFY(RowCounts::positions(*reader, table, other, {huge}, version, false, &p));
    QCOMPARE(p.count, qint64(0));
    reader->limitWork(1);
    QVERIFY(!RowCounts::positions(*reader, table, other, {huge}, version, false, &p));
    QVERIFY(RowCounts::positions(*reader, table, hot, hotValues, version, false, &p));
    reader->limitWork(0);
    QCOMPARE(p.count, tables);
    QVERIFY(RowCounts::keptBytes() <= RowCounts::kMaxBytes);
    reader->end();
}

QTEST_GUILESS_MAIN(TestRowCounts)
#include "tst_rowcounts.moc"
