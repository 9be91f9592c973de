#ifndef REMINDJSON_H
#define REMINDJSON_H

#include <QJsonObject>

class DomainRemind;

// A reminder as the server sends and takes it: "id" and "remindDateNumber" as
// numbers, every other field a string under its own name.
class RemindJson
{
public:
    // The record object with every key present (empty texts as "").
    static QJsonObject toJson(const DomainRemind &remind);
    // Fills every field from a reply element: a number that is missing, not
    // a number or, for an int, not whole gives 0; a text that is missing or
    // not a string gives "".
    static void fromJson(const QJsonObject &object, DomainRemind &remind);
};

#endif // REMINDJSON_H
