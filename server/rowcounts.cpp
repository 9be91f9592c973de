#include "rowcounts.h"

#include <QHash>
#include <condition_variable>
#include <mutex>
#include <shared_mutex>
#include <sqlite3.h>

#include "storereader.h"

namespace {

// Conditions remembered at most; past this the memory starts afresh.
constexpr int kMaxEntries = 4096;

struct Entry
{
    qint64 version = -1;
    qint64 count = 0;
    std::shared_ptr<const QVector<qint64>> anchors;
    // The change number that a thread is counting right now, -1 for none: others
    // that see the same state wait for its result instead of counting again.
    qint64 counting = -1;
};

std::shared_mutex lock;
std::condition_variable_any counted;
QHash<QByteArray, Entry> entries;

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
    out->count = n;
    out->anchors = std::move(ids);
    return true;
}

} // namespace

bool RowCounts::positions(StoreReader &reader, const QString &table, const QByteArray &where,
                          const QVariantList &values, qint64 version, bool withAnchors, Positions *out)
{
    const QByteArray key = keyOf(table, where, values);
    const auto kept = [&](QHash<QByteArray, Entry>::const_iterator it) {
        if (it == entries.cend() || it->version != version || (withAnchors && !it->anchors))
            return false;
        out->count = it->count;
        out->anchors = it->anchors;
        return true;
    };
    {
        std::shared_lock<std::shared_mutex> guard(lock);
        if (kept(entries.constFind(key)))
            return true;
    }
    // A reader whose work is bounded neither counts nor waits for a count.
    if (reader.limited())
        return false;
    {
        std::unique_lock<std::shared_mutex> guard(lock);
        for (;;) {
            const auto it = entries.constFind(key);
            if (kept(it))
                return true;
            if (it == entries.end() || it->counting != version)
                break;
            counted.wait(guard);
        }
        if (entries.size() >= kMaxEntries)
            entries.clear();
        entries[key].counting = version;
    }

    Entry fresh;
    const bool ok = withAnchors ? anchors(reader, table, where, values, &fresh)
                                : count(reader, table, where, values, &fresh);
    {
        std::lock_guard<std::shared_mutex> guard(lock);
        Entry &e = entries[key];
        if (ok && version >= e.version) {
            if (version > e.version || fresh.anchors)
                e.anchors = fresh.anchors;
            e.version = version;
            e.count = fresh.count;
        }
        if (e.counting == version)
            e.counting = -1;
    }
    counted.notify_all();
    if (ok) {
        out->count = fresh.count;
        out->anchors = fresh.anchors;
    }
    return ok;
}
