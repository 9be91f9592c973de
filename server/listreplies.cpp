#include "listreplies.h"

#include <QCache>
#include <mutex>

namespace {

struct Entry
{
    qint64 version;
    QByteArray reply;
};

// What an entry costs beside its key and reply: the cache's node, the
// entry, the arrays' headers.
constexpr qsizetype kOverhead = 160;

std::mutex lock;
// Costs in bytes; the entries used longest ago go first.
QCache<QByteArray, Entry> entries(ListReplies::kMaxBytes);

} // namespace

QByteArray ListReplies::key(const QString &entity, const QString &operation, const QByteArray &body,
                            const QString &day)
{
    if (body.size() > kMaxBodyBytes)
        return QByteArray();
    QByteArray k;
    k.reserve(entity.size() + operation.size() + day.size() + body.size() + 3);
    k += entity.toUtf8();
    k += '\0';
    k += operation.toUtf8();
    k += '\0';
    k += day.toUtf8();
    k += '\0';
    k += body;
    return k;
}

bool ListReplies::find(const QByteArray &key, qint64 version, QByteArray *reply)
{
    if (key.isEmpty())
        return false;
    std::lock_guard<std::mutex> guard(lock);
    const Entry *e = entries.object(key);
    if (!e)
        return false;
    if (e->version != version) {
        // A reply of an earlier state is never served again.
        if (e->version < version)
            entries.remove(key);
        return false;
    }
    *reply = e->reply;
    return true;
}

void ListReplies::keep(const QByteArray &key, qint64 version, const QByteArray &reply)
{
    if (key.isEmpty() || reply.size() > kMaxReplyBytes)
        return;
    // The reply's buffer grew as its rows were written and may be larger than
    // the reply: it is kept in a copy of its own length, and charged for the
    // memory it holds.
    QByteArray copy = reply;
    copy.squeeze();
    const qsizetype cost = 2 * key.capacity() + copy.capacity() + kOverhead;
    std::lock_guard<std::mutex> guard(lock);
    const Entry *kept = entries.object(key);
    if (kept && kept->version > version)
        return;
    entries.insert(key, new Entry{version, std::move(copy)}, cost);
}

qsizetype ListReplies::keptBytes()
{
    std::lock_guard<std::mutex> guard(lock);
    return entries.totalCost();
}
