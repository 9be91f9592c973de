#ifndef LISTREPLIES_H
#define LISTREPLIES_H

#include <QByteArray>
#include <QString>

// The replies of list operations, kept for the state of their table they were
// read from. A reply is kept with the table's change number (see Database) as
// the read transaction that made it saw it, and served again only to a reader
// whose own transaction sees that very number: every write raises it in its
// own transaction, so no reply outlives a write to its table. A reply is a
// function of its request's body, its table's state and (for due lists) the
// day, which make its key. At most kMaxBytes are kept; the replies used
// longest ago go first.
class ListReplies
{
public:
    static constexpr qsizetype kMaxBytes = 4 * 1024 * 1024;
    // Larger requests and replies are not kept.
    static constexpr qsizetype kMaxBodyBytes = 1024;
    static constexpr qsizetype kMaxReplyBytes = 256 * 1024;

    // The key of a request; empty when its body is too long to be kept.
    static QByteArray key(const QString &entity, const QString &operation, const QByteArray &body,
                          const QString &day);
    // The reply kept for the key at this change number of its table.
    static bool find(const QByteArray &key, qint64 version, QByteArray *reply);
    // Keeps a reply read at this change number of its table.
    static void keep(const QByteArray &key, qint64 version, const QByteArray &reply);
    // Bytes kept now (keys, replies and bookkeeping).
    static qsizetype keptBytes();
};

#endif // LISTREPLIES_H
