#ifndef MESSAGEJSON_H
#define MESSAGEJSON_H

#include <QJsonObject>

class DomainMessage;

// A system message as the server sends and takes it: "id", "flag" and "grade"
// as numbers, every other field a string under its own name.
class MessageJson
{
public:
    // The record object with every key present (empty texts as "").
    static QJsonObject toJson(const DomainMessage &message);
    // Fills every field from a reply element: a number that is missing, not
    // a number or, for an int, not whole gives 0; a text that is missing or
    // not a string gives "".
    static void fromJson(const QJsonObject &object, DomainMessage &message);
};

#endif // MESSAGEJSON_H
