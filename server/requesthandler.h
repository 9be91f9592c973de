#ifndef REQUESTHANDLER_H
#define REQUESTHANDLER_H

#include <QByteArray>
#include <QDate>
#include <QJsonObject>
#include <QJsonValue>
#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>

#include "conditionparser.h"

class EntitySchema;

// Answers the JSON operations of POST /android/<entity>/<operation>: parses the
// body, runs the operation on this thread's store connections and returns the
// reply envelope {"resultCode", "resultMessage", "data"}.
class RequestHandler
{
public:
    // The reply envelope as the compact JSON that goes out.
    static QByteArray reply(const QString &entity, const QString &operation, const QByteArray &body);
    // The same reply as an object.
    static QJsonObject handle(const QString &entity, const QString &operation, const QByteArray &body);

    static QJsonObject success(const QString &message, const QJsonValue &data = QJsonValue(QJsonValue::Undefined));
    static QJsonObject failure(const QString &reason);

    // Removes those of the named files in the schema's file folder that no
    // record of the schema names any more (after a delete or a replacement).
    static void releaseFiles(const EntitySchema &schema, const QStringList &names);

private:
    static QJsonObject add(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request);
    static QJsonObject update(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request);
    static QJsonObject remove(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request);
    // The schema and request object of a known operation, or the refusal.
    static bool accept(const QString &entity, const QString &operation, const QByteArray &body,
                       const EntitySchema **schema, QJsonObject *request, QJsonObject *refusal);
    static bool isList(const QString &operation);
    static QJsonObject run(const EntitySchema &schema, const QString &operation, const QJsonObject &request);
    static QByteArray list(const EntitySchema &schema, const QJsonObject &request, bool dueOnly);
    static QJsonObject summary(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request);
    static QJsonObject login(QSqlDatabase &db, const QJsonObject &request);
    static QJsonObject tags(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request);

    // The record objects of a write request's "dList".
    static bool records(const QJsonObject &request, QList<QJsonObject> *out, QString *error);
    // The values of the schema's fields that a record carries (all of them, with
    // defaults for the missing ones, when complete is set).
    static bool fieldValues(const EntitySchema &schema, const QJsonObject &record, bool complete, QVariantMap *out,
                            QString *error);
    static bool condition(const EntitySchema &schema, const QJsonObject &request, SqlCondition *out, QString *error);
    static QJsonObject userByName(QSqlDatabase &db, const QString &username, QString *hash);
    static QDate today();
};

#endif // REQUESTHANDLER_H
