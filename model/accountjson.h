#ifndef ACCOUNTJSON_H
#define ACCOUNTJSON_H

#include <QJsonObject>

class DomainAccount;

// A web account as the server sends and takes it: "id" as a number, every other
// field a string under its own name.
class AccountJson
{
public:
    // The record object with every key present (empty texts as "").
    static QJsonObject toJson(const DomainAccount &account);
    // Fills every field from a reply element: a number that is missing, not
    // a number or, for an int, not whole gives 0; a text that is missing or
    // not a string gives "".
    static void fromJson(const QJsonObject &object, DomainAccount &account);
};

#endif // ACCOUNTJSON_H
