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
class FileStore;

// Answers the JSON operations of POST /android/<entity>/<operation>: parses the
// body, runs the operation on this thread's store connection and returns the
// reply envelope {"resultCode", "resultMessage", "data"}.
class RequestHandler
{
public:
    static QJsonObject handle(const QString &entity, const QString &operation, const QByteArray &body);

    static QJsonObject success(const QString &message, const QJsonValue &data = QJsonValue(QJsonValue::Undefined));
    static QJsonObject failure(const QString &reason);

    // The longest text a field takes: what a line edit of the client's forms
    // holds, and more for the fields written in multi-line editors.
    static constexpr int kMaxLineText = 32767;
    static constexpr int kMaxLongText = 262144;
    static int maxTextLength(const QString &field);
    // The most records one write takes (the client sends one at a time).
    static constexpr int kMaxRecords = 1000;

    // The stored note files, whose names note records carry.
    static void setFileStore(const FileStore *files);
    // Removes a stored note file that no note names any more.
    static void releaseNoteFile(const QString &name);

private:
    static QJsonObject add(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request);
    static QJsonObject update(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request);
    static QJsonObject remove(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request);
    static QJsonObject list(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request, bool dueOnly);
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
    static bool count(QSqlDatabase &db, const EntitySchema &schema, const SqlCondition &cond, qint64 *out);
    static QJsonObject userByName(QSqlDatabase &db, const QString &username, QString *hash);
    static QDate today();
};

#endif // REQUESTHANDLER_H
