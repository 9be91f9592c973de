// The kept list replies: served only at the change number they were read at,
// never again once a later state has been seen, and bounded in memory with
// the replies used longest ago going first.
#include <QtTest>

#include "listreplies.h"

class TestListReplies : public QObject
{
    Q_OBJECT

private slots:
    void servedOnlyAtItsChangeNumber();
    void boundedUsedLastKept();
    void shortRepliesHoldNoMoreThanTheBound();
};

void TestListReplies::servedOnlyAtItsChangeNumber()
{
    const QByteArray key = ListReplies::key(QStringLiteral("note"), QStringLiteral("findByCondition"),
                                            R"({"curPage":1,"pageSize":30})", QString());
    QByteArray reply;
    QVERIFY(!ListReplies::find(key, 7, &reply));
    ListReplies::keep(key, 7, "seven");
    QVERIFY(ListReplies::find(key, 7, &reply));
    QCOMPARE(reply, QByteArray("seven"));
    // A reader of an earlier state neither gets it nor removes it.
    QVERIFY(!ListReplies::find(key, 6, &reply));
    QVERIFY(ListReplies::find(key, 7, &reply));
    // An earlier state's reply does not replace it.
    ListReplies::keep(key, 6, "six");
    QVERIFY(ListReplies::find(key, 7, &reply));
    QCOMPARE(reply, QByteArray("seven"));
    // Once a later state is seen, it is gone for good.
    QVERIFY(!ListReplies::find(key, 8, &reply));
    QVERIFY(!ListReplies::find(key, 7, &reply));

    // The key tells the entity, operation, day and body apart.
    const QByteArray other[] = {
        ListReplies::key(QStringLiteral("remind"), QStringLiteral("findByCondition"), R"({"curPage":1,"pageSize":30})",
                         QString()),
        ListReplies::key(QStringLiteral("note"), QStringLiteral("findByRemindDay"), R"({"curPage":1,"pageSize":30})",
                         QString()),
        ListReplies::key(QStringLiteral("note"), QStringLiteral("findByCondition"), R"({"curPage":1,"pageSize":30})",
                         QStringLiteral("2026-12-07")),
        ListReplies::key(QStringLiteral("note"), QStringLiteral("findByCondition"), R"({"curPage":2,"pageSize":30})",
                         QString())};
    ListReplies::keep(key, 9, "nine");
    for (const QByteArray &k : other) {
        QVERIFY(k != key);
        QVERIFY(!ListReplies::find(k, 9, &reply));
    }
    // Bodies too long to be worth a key are not kept.
    QVERIFY(ListReplies::key(QStringLiteral("note"), QStringLiteral("findByCondition"),
                             QByteArray(ListReplies::kMaxBodyBytes + 1, ' '), QString())
                .isEmpty());
}

void TestListReplies::boundedUsedLastKept()
{
    const QByteArray page(16 * 1024, 'x');
    const auto keyOf = [](int i) {
        return ListReplies::key(QStringLiteral("note"), QStringLiteral("findByCondition"),
                                QByteArray::number(i), QString());
    };
    const int many = int(3 * ListReplies::kMaxBytes / page.size());
    QByteArray reply;
    for (int i = 0; i < many; ++i) {
        ListReplies::keep(keyOf(i), 1, page);
        // The first one is used all along.
        QVERIFY(ListReplies::find(keyOf(0), 1, &reply));
        QVERIFY(ListReplies::keptBytes() <= ListReplies::kMaxBytes);
    }
    QVERIFY(ListReplies::keptBytes() > ListReplies::kMaxBytes / 2);
    QVERIFY(!ListReplies::find(keyOf(1), 1, &reply));
    QVERIFY(ListReplies::find(keyOf(many - 1), 1, &reply));
    // A reply larger than the bound is not kept.
    ListReplies::keep(keyOf(-1), 1, QByteArray(ListReplies::kMaxReplyBytes + 1, 'y'));
    QVERIFY(!ListReplies::find(keyOf(-1), 1, &reply));
}

// A list reply is written into a buffer reserved for a long page; the short
// replies kept must not hold those buffers beyond the bound.
void TestListReplies::shortRepliesHoldNoMoreThanTheBound()
{
    const auto keyOf = [](int page) {
        return ListReplies::key(QStringLiteral("note"), QStringLiteral("findByCondition"),
                                QStringLiteral(R"({"curPage":%1,"pageSize":30})").arg(page).toUtf8(), QString());
    };
    const int many = 20000;
    for (int i = 0; i < many; ++i) {
        QByteArray reply;
        reply.reserve(16384);
        reply += R"({"data":{"dList":[],"totalCount":0},"resultCode":1,"resultMessage":"ok"})";
        ListReplies::keep(keyOf(i), 1, reply);
    }
    qsizetype held = 0;
    int kept = 0;
    QByteArray reply;
    for (int i = 0; i < many; ++i) {
        if (ListReplies::find(keyOf(i), 1, &reply)) {
            ++kept;
            held += reply.capacity();
        }
    }
    QVERIFY2(held <= ListReplies::kMaxBytes, qPrintable(QString::number(held)));
    // Short replies are still kept, many of them.
    QVERIFY(kept > ListReplies::kMaxBytes / 1024);
}

QTEST_GUILESS_MAIN(TestListReplies)
#include "tst_listreplies.moc"
