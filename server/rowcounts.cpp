#include "rowcounts.h"

#include <QCache>
#include <condition_variable>
#include <mutex>
#include <sqlite3.h>

#include "storereader.h"

namespace {

struct Entry
{
    qint64 version = -1;
    qint64 count = 0;
    std::shared_ptr<const QVector<qint64>> anchors;
    // The change number that a thread is counting right now, -1 for none: others
    // that see the same state wait for its result instead of counting again.
    qint64 counting = -1;
};

// What an entry costs beside its key and ids: the cache's node, the entry, the
// arrays' headers and the ids' shared block.
constexpr qsizetype kOverhead = 160;

std::mutex lock;
std::condition_variable counted;
// Costs in bytes; the conditions used longest ago go first.
QCache<QByteArray, Entry> entries(RowCounts::kMaxBytes);

qsizetype costOf(const QByteArray &key, const Entry &e)
{
    return key.size() + (e.anchors ? e.anchors->size() * qsizetype(sizeof(qint64)) : 0) + kOverhead;
}

// Keeps e under the key (replacing what was kept), unless it alone is over the
// budget: then nothing is kept for the key.
void keep(const QByteArray &key, const Entry &e)
{
    entries.insert(key, new Entry(e), costOf(key, e));
}

QByteArray keyOf(const QString &table, const QByteArray &where, const QVariantList &values)
{
    QByteArray key = table.toUtf8() + '\0' + where;
    for (const QVariant &v : values) {
        key += '\0';
        key += v.typeId() == QMetaType::QString ? 't' : v.typeId() == QMetaType::Double ? 'r' : 'i';
        key += v.toString().toUtf8();
    }
    return key;
}

bool count(StoreReader &reader, const QString &table, const QByteArray &where, const QVariantList &values,
           Entry *out)
{
    StoreReader::Query q = reader.query("SELECT COUNT(*) FROM \"" + table.toUtf8() + '"' + where, values);
    if (!q.next())
        return false;
    out->count = sqlite3_column_int64(q.row(), 0);
    return true;
}

bool anchors(StoreReader &reader, const QString &table, const QByteArray &where, const QVariantList &values,
             Entry *out)
{
    StoreReader::Query q =
        reader.query("SELECT \"id\" FROM \"" + table.toUtf8() + '"' + where + " ORDER BY \"id\"", values);
    auto ids = std::make_shared<QVector<qint64>>();
    qint64 n = 0;
    while (q.next()) {
        if (n % RowCounts::kStep == 0)
            ids->append(sqlite3_column_int64(q.row(), 0));
        ++n;
    }
    if (q.failed())
        return false;
    ids->squeeze();
    out->count = n;
    out->anchors = std::move(ids);
    return true;
}

} // namespace

bool RowCounts::positions(StoreReader &reader, const QString &table, const QByteArray &where,
                          const QVariantList &values, qint64 version, bool withAnchors, Positions *out)
{
    const QByteArray key = keyOf(table, where, values);
    const auto kept = [&](const Entry *e) {
        if (!e || e->version != version || (withAnchors && !e->anchors))
            return false;
        out->count = e->count;
        out->anchors = e->anchors;
        return true;
    };
    {
        std::unique_lock<std::mutex> guard(lock);
        for (;;) {
            const Entry *e = entries.object(key);
            if (kept(e))
                return true;
            // A reader whose work is bounded neither counts nor waits for a count.
            if (reader.limited())
                return false;
            if (!e || e->counting != version)
                break;
            counted.wait(guard);
        }
        // Marks the count as under way; should the mark be pushed out before the
        // count ends, another thread may count too, and both keep the same result.
        Entry mark;
        if (const Entry *e = entries.object(key))
            mark = *e;
        mark.counting = version;
        keep(key, mark);
    }

    Entry fresh;
    const bool ok = withAnchors ? anchors(reader, table, where, values, &fresh)
                                : count(reader, table, where, values, &fresh);
    {
        std::lock_guard<std::mutex> guard(lock);
        Entry e;
        if (const Entry *was = entries.object(key))
            e = *was;
        if (ok && version >= e.version) {
            if (version > e.version || fresh.anchors)
                e.anchors = fresh.anchors;
            e.version = version;
            e.count = fresh.count;
        }
        if (e.counting == version)
            e.counting = -1;
        if (e.version >= 0 || e.counting >= 0)
            keep(key, e);
        else
            entries.remove(key);
    }
    counted.notify_all();
    if (ok) {
        out->count = fresh.count;
        out->anchors = fresh.anchors;
    }
    return ok;
}

qsizetype RowCounts::keptBytes()
{
    std::lock_guard<std::mutex> guard(lock);
    return entries.totalCost();
}
