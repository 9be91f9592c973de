#ifndef USERJSON_H
#define USERJSON_H

#include <QJsonObject>
#include <QStringList>

class DomainUser;

// A user of the service as the server sends and takes it: "id" and "grade" as
// numbers, every other field a string under its own name.
class UserJson
{
public:
    // The record object with every key present (empty texts as "").
    static QJsonObject toJson(const DomainUser &user);
    // Only the named fields, for requests that send part of a user.
    static QJsonObject toJson(const DomainUser &user, const QStringList &keys);
    // Fills every field from a reply element: a number that is missing, not
    // a number or, for an int, not whole gives 0; a text that is missing or
    // not a string gives "".
    static void fromJson(const QJsonObject &object, DomainUser &user);
};

#endif // USERJSON_H
