#ifndef WORKPLANJSON_H
#define WORKPLANJSON_H

#include <QJsonObject>

class DWorkPlan;

// A work plan as the server sends and takes it: "id", "serialNumber",
// "completionStatus", "score" and "remindDateNumber" as numbers, every other
// field a string under its own name.
class WorkPlanJson
{
public:
    // The record object with every key present (empty texts as "").
    static QJsonObject toJson(const DWorkPlan &plan);
    // Fills every field from a reply element: a number that is missing, not
    // a number or, for an int, not whole gives 0; a text that is missing or
    // not a string gives "".
    static void fromJson(const QJsonObject &object, DWorkPlan &plan);
};

#endif // WORKPLANJSON_H
