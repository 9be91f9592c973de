#ifndef ACCOUNTJSON_H
#define ACCOUNTJSON_H

#include <QJsonObject>

class DomainAccount;

// A web account as the server sends and takes it: "id" as a number, every
// other field a string under its own name.
class AccountJson
{
public:
    // The record object with every key present (empty texts as "").
    static QJsonObject toJson(const DomainAccount &account);
    // Fills the account from a reply element: id 0 when missing or not a
    // number, an empty text for a value that is not a string.
    static void fromJson(const QJsonObject &object, DomainAccount &account);
};

#endif // ACCOUNTJSON_H
