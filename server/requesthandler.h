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
// body, runs the operation on this thread's store connections and returns the
// reply envelope {"resultCode", "resultMessage", "data"}.
class RequestHandler
{
public:
    // The reply envelope as the compact JSON that goes out.
    static QByteArray reply(const QString &entity, const QString &operation, const QByteArray &body);
    // The same reply as an object.
    static QJsonObject handle(const QString &entity, const QString &operation, const QByteArray &body);
    // The reply of a list operation when it comes quickly: its count is kept and
    // it steps through few rows (kQuickSteps). False, with nothing done that
    // lasts, when the operation is not a list or would take longer; reply()
    // then answers it.
    static bool quickReply(const QString &entity, const QString &operation, const QByteArray &body, QByteArray *out);

    static QJsonObject success(const QString &message, const QJsonValue &data = QJsonValue(QJsonValue::Undefined));
    static QJsonObject failure(const QString &reason);

    // The longest text a field takes: what a line edit of the client's forms
    // holds, and more for the fields written in multi-line editors.
    static constexpr int kMaxLineText = 32767;
    static constexpr int kMaxLongText = 262144;
    static int maxTextLength(const QString &field);
    // The most records one write takes (the client sends one at a time).
    static constexpr int kMaxRecords = 1000;
    // The work of a quick reply, in steps of SQLite's machine: a page of a
    // hundred rows, or one found from a remembered position, takes a few thousand.
    static constexpr int kQuickSteps = 10000;

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
    // A list operation's reply, kept (ListReplies) or read.
    static QByteArray listReply(const QString &entity, const QString &operation, const QByteArray &body,
                                bool *storeFailed);
    // The rows of a list request (due on the day when dueOnly), with the change
    // number of the table that they were read at; *storeFailed, when given,
    // tells whether the store could not answer.
    static QByteArray list(const EntitySchema &schema, const QJsonObject &request, bool dueOnly, const QDate &day,
                           bool *storeFailed, qint64 *version);
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
