#ifndef NOTEJSON_H
#define NOTEJSON_H

#include <QJsonObject>

class DomainNote;

// A note as the server sends and takes it: "id", "grade" and
// "remindDateNumber" as numbers, every other field a string under its own
// name.
class NoteJson
{
public:
    // The record object with every key present (empty texts as "").
    static QJsonObject toJson(const DomainNote &note);
    // Fills every field from a reply element: a number that is missing, not
    // a number or, for an int, not whole gives 0; a text that is missing or
    // not a string gives "".
    static void fromJson(const QJsonObject &object, DomainNote &note);
};

#endif // NOTEJSON_H
