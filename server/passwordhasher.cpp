#include "passwordhasher.h"

#include <QSemaphore>
#include <sodium.h>

namespace {

// Each hash takes the interactive memory limit (64 MiB): a few at a time keep
// a burst of log-ins from taking the machine's memory.
QSemaphore hashingSlots(4);

class HashingSlot
{
public:
    HashingSlot() { hashingSlots.acquire(); }
    ~HashingSlot() { hashingSlots.release(); }
    HashingSlot(const HashingSlot &) = delete;
    HashingSlot &operator=(const HashingSlot &) = delete;
};

} // namespace

bool PasswordHasher::initialise()
{
    return sodium_init() >= 0;
}

QString PasswordHasher::hash(const QString &password)
{
    const QByteArray bytes = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    const HashingSlot slot;
    if (crypto_pwhash_str(out, bytes.constData(), static_cast<unsigned long long>(bytes.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        return QString();
    return QString::fromLatin1(out);
}

bool PasswordHasher::verify(const QString &password, const QString &encodedHash)
{
    const QByteArray stored = encodedHash.toLatin1();
    if (stored.isEmpty() || stored.size() >= crypto_pwhash_STRBYTES)
        return false;
    const QByteArray bytes = password.toUtf8();
    const HashingSlot slot;
    return crypto_pwhash_str_verify(stored.constData(), bytes.constData(), static_cast<unsigned long long>(bytes.size()))
           == 0;
}
