#include "listpage.h"

#include <QVector>
#include <algorithm>

#include "entityschema.h"
#include "rowcounts.h"
#include "rowwriter.h"
#include "storereader.h"

namespace {

QByteArray whereOf(const SqlCondition &condition)
{
    return condition.sql.isEmpty() ? QByteArray(" WHERE 1=1") : " WHERE (" + condition.sql.toUtf8() + ')';
}

QByteArray selectOf(const EntitySchema &schema, const QByteArray &where)
{
    return "SELECT " + RowWriter::of(schema).columns() + " FROM \"" + schema.entity.toUtf8() + '"' + where;
}

// Writes the rows of the query, in the order read or the reverse.
bool writeRows(StoreReader::Query &q, const RowWriter &writer, bool reversed, QByteArray *rows, qint64 *count)
{
    QVector<QByteArray> kept;
    qint64 n = 0;
    while (q.next()) {
        if (reversed) {
            kept.append(QByteArray());
            writer.append(&kept.last(), q.row());
        } else {
            if (n > 0)
                rows->append(',');
            writer.append(rows, q.row());
        }
        ++n;
    }
    if (q.failed())
        return false;
    for (auto it = kept.crbegin(); it != kept.crend(); ++it) {
        if (it != kept.crbegin())
            rows->append(',');
        rows->append(*it);
    }
    if (count)
        *count = n;
    return true;
}

bool positions(StoreReader &reader, const EntitySchema &schema, const QByteArray &where, const QVariantList &values,
               bool withAnchors, RowCounts::Positions *out)
{
    qint64 version = 0;
    return reader.version(schema.entity, &version)
           && RowCounts::positions(reader, schema.entity, where, values, version, withAnchors, out);
}

} // namespace

bool ListPage::all(StoreReader &reader, const EntitySchema &schema, const SqlCondition &condition, bool descending,
                   QByteArray *rows, qint64 *total)
{
    StoreReader::Query q = reader.query(selectOf(schema, whereOf(condition))
                                            + (descending ? " ORDER BY \"id\" DESC" : " ORDER BY \"id\" ASC"),
                                        condition.values);
    return writeRows(q, RowWriter::of(schema), false, rows, total);
}

bool ListPage::count(StoreReader &reader, const EntitySchema &schema, const SqlCondition &condition, qint64 *total)
{
    RowCounts::Positions p;
    if (!positions(reader, schema, whereOf(condition), condition.values, false, &p))
        return false;
    *total = p.count;
    return true;
}

bool ListPage::page(StoreReader &reader, const EntitySchema &schema, const SqlCondition &condition, bool descending,
                    qint64 pageSize, qint64 curPage, QByteArray *rows, qint64 *total)
{
    const QByteArray where = whereOf(condition);
    RowCounts::Positions p;
    if (!positions(reader, schema, where, condition.values, false, &p))
        return false;
    const qint64 n = p.count;
    *total = n;
    if (curPage - 1 > n / pageSize || (curPage - 1) * pageSize >= n)
        return true; // past the end
    const qint64 offset = (curPage - 1) * pageSize;
    const qint64 length = std::min(pageSize, n - offset);
    const qint64 fromOtherEnd = n - offset - length;
    const RowWriter &writer = RowWriter::of(schema);
    const char *const forward = descending ? " ORDER BY \"id\" DESC" : " ORDER BY \"id\" ASC";
    const char *const backward = descending ? " ORDER BY \"id\" ASC" : " ORDER BY \"id\" DESC";

    if (offset <= fromOtherEnd && offset <= kNearEnd) {
        StoreReader::Query q = reader.query(selectOf(schema, where) + forward + " LIMIT ? OFFSET ?",
                                            condition.values + QVariantList{length, offset});
        return writeRows(q, writer, false, rows, nullptr);
    }
    if (fromOtherEnd < offset && fromOtherEnd <= kNearEnd) {
        StoreReader::Query q = reader.query(selectOf(schema, where) + backward + " LIMIT ? OFFSET ?",
                                            condition.values + QVariantList{length, fromOtherEnd});
        return writeRows(q, writer, true, rows, nullptr);
    }
    // Deep in the list: from the nearest remembered id at or before the page's
    // first row in ascending order.
    if (!positions(reader, schema, where, condition.values, true, &p) || p.count != n)
        return false;
    const qint64 first = descending ? fromOtherEnd : offset;
    const qint64 anchor = first / RowCounts::kStep;
    StoreReader::Query q = reader.query(selectOf(schema, where) + " AND \"id\" >= ? ORDER BY \"id\" ASC LIMIT ? OFFSET ?",
                                        condition.values
                                            + QVariantList{p.anchors->at(anchor), length, first - anchor * RowCounts::kStep});
    return writeRows(q, writer, descending, rows, nullptr);
}
