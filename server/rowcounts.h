#ifndef ROWCOUNTS_H
#define ROWCOUNTS_H

#include <QByteArray>
#include <QString>
#include <QVariantList>
#include <QVector>
#include <memory>

class StoreReader;

// How many rows of a table match a list condition, kept per table and
// condition for one state of the table (its change number, see Database), so
// that paging through a list counts once instead of once per page. A reader
// asks with the change number its own read transaction sees, so a count and the
// rows read beside it always come from one committed state; a write to the
// table raises the number, and no count of the earlier state is served again.
//
// On request the count comes with the ids at every kStep-th position in
// ascending id order, from which a page deep in the list is found without
// stepping over the rows before it.
//
// At most kMaxBytes are kept, keys (conditions with their values) and ids
// together; the conditions used longest ago go first.
class RowCounts
{
public:
    static constexpr int kStep = 256;
    static constexpr qsizetype kMaxBytes = 4 * 1024 * 1024;

    struct Positions
    {
        qint64 count = 0;
        // The id at ascending position i * kStep; null unless asked for.
        std::shared_ptr<const QVector<qint64>> anchors;
    };

    // Fills *out for "FROM <table><where>" (where: "" or " WHERE ...", with the
    // values of its placeholders) as the reader's open transaction sees it,
    // version being the table's change number there. A reader under a bound
    // of work (StoreReader::limitWork) gets only what is kept, false otherwise.
    static bool positions(StoreReader &reader, const QString &table, const QByteArray &where,
                          const QVariantList &values, qint64 version, bool withAnchors, Positions *out);
    // Bytes kept now (keys, ids and bookkeeping).
    static qsizetype keptBytes();
};

#endif // ROWCOUNTS_H
