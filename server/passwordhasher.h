#ifndef PASSWORDHASHER_H
#define PASSWORDHASHER_H

#include <QString>

// Password hashing with libsodium (Argon2id, interactive limits): the store
// keeps only the encoded hash.
class PasswordHasher
{
public:
    // Must run once before hashing (safe to call again).
    static bool initialise();
    // The encoded hash of a password, or an empty text when hashing failed.
    static QString hash(const QString &password);
    static bool verify(const QString &password, const QString &encodedHash);
};

#endif // PASSWORDHASHER_H
