#include "requesthandler.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <cmath>

#include "database.h"
#include "entityschema.h"
#include "filestore.h"
#include "listpage.h"
#include "listreplies.h"
#include "passwordhasher.h"
#include "storereader.h"
#include "summarycounts.h"

namespace {

const char *const kBadRequest = "请求数据格式错误";
const char *const kStoreError = "数据库操作失败，请稍后重试";
const char *const kNoRecord = "记录不存在";
constexpr int kAdministratorGrade = 5;
// A write that found its password judged against a hash that changed meanwhile starts again.
constexpr int kWriteAttempts = 3;

QString text(const char *utf8) { return QString::fromUtf8(utf8); }

// Logs what the store reported and gives the client the short reason.
QJsonObject storeFailure(const QSqlDatabase &db, const QSqlQuery *q = nullptr)
{
    qWarning("store error: %s", qPrintable(q && q->lastError().isValid() ? q->lastError().text() : db.lastError().text()));
    return RequestHandler::failure(text(kStoreError));
}

bool isWhole(const QJsonValue &v, qint64 *out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (!std::isfinite(d) || std::floor(d) != d || std::fabs(d) > 9.0e15)
        return false;
    *out = static_cast<qint64>(d);
    return true;
}

// One stored row as the client's record object: numbers as numbers, texts as
// strings; a user's password hash never leaves the store.
QJsonObject rowObject(const EntitySchema &schema, const QSqlQuery &q)
{
    QJsonObject o;
    o.insert(QStringLiteral("id"), q.value(0).toLongLong());
    for (int i = 0; i < schema.fields.size(); ++i) {
        const EntitySchema::Field &f = schema.fields.at(i);
        const QVariant v = q.value(i + 1);
        if (f.kind == ConditionParser::Integer)
            o.insert(f.name, v.toLongLong());
        else if (f.kind == ConditionParser::Real)
            o.insert(f.name, v.toDouble());
        else
            o.insert(f.name, v.toString());
    }
    if (schema.entity == QLatin1String("user"))
        o.insert(QStringLiteral("password"), QString());
    return o;
}

QString where(const SqlCondition &cond)
{
    return cond.sql.isEmpty() ? QStringLiteral(" WHERE 1=1") : QStringLiteral(" WHERE (") + cond.sql + QLatin1Char(')');
}

void bindAll(QSqlQuery &q, const QVariantList &values)
{
    // A null text would bind as SQL NULL; a condition's '' means the empty text.
    for (const QVariant &v : values)
        q.addBindValue(v.typeId() == QMetaType::QString && v.toString().isNull() ? QVariant(QStringLiteral("")) : v);
}

} // namespace

QJsonObject RequestHandler::success(const QString &message, const QJsonValue &data)
{
    QJsonObject o{{"resultCode", 1}, {"resultMessage", message}};
    if (!data.isUndefined())
        o.insert(QStringLiteral("data"), data);
    return o;
}

QJsonObject RequestHandler::failure(const QString &reason)
{
    return QJsonObject{{"resultCode", 0}, {"resultMessage", reason}, {"data", QJsonValue()}};
}

int RequestHandler::maxTextLength(const QString &field)
{
    static const QStringList longFields{"content",  "comment",  "message",  "target",
                                        "gainProfit", "strategy", "measurableIndicator", "actionPlan",
                                        "needResources", "difficulty"};
    return longFields.contains(field) ? kMaxLongText : kMaxLineText;
}

QDate RequestHandler::today()
{
    return QDate::currentDate();
}

bool RequestHandler::isList(const QString &operation)
{
    return operation == QLatin1String("findByCondition") || operation == QLatin1String("findByRemindDay");
}

bool RequestHandler::accept(const QString &entity, const QString &operation, const QByteArray &body,
                            const EntitySchema **schema, QJsonObject *request, QJsonObject *refusal)
{
    *schema = EntitySchema::find(entity);
    static const QStringList common{"add", "update", "delete", "findByCondition", "findOfSummary"};
    const bool known = *schema
                       && (common.contains(operation)
                           || (operation == QLatin1String("login") && entity == QLatin1String("user"))
                           || (operation == QLatin1String("findByRemindDay")
                               && (entity == QLatin1String("remind") || entity == QLatin1String("note")
                                   || entity == QLatin1String("workPlan")))
                           || (operation == QLatin1String("findTags") && entity == QLatin1String("workPlan")));
    if (!known) {
        *refusal = failure(text("不支持的操作：") + entity + QLatin1Char('/') + operation);
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        *refusal = failure(text("请求内容不是有效的JSON对象"));
        return false;
    }
    *request = doc.object();
    return true;
}

QByteArray RequestHandler::reply(const QString &entity, const QString &operation, const QByteArray &body)
{
    // A list reply is written as text from the start.
    if (isList(operation))
        return listReply(entity, operation, body, nullptr);
    return QJsonDocument(handle(entity, operation, body)).toJson(QJsonDocument::Compact);
}

QJsonObject RequestHandler::handle(const QString &entity, const QString &operation, const QByteArray &body)
{
    // A list checks its request itself (after the kept replies).
    if (isList(operation))
        return QJsonDocument::fromJson(listReply(entity, operation, body, nullptr)).object();
    const EntitySchema *schema = nullptr;
    QJsonObject request, refusal;
    if (!accept(entity, operation, body, &schema, &request, &refusal))
        return refusal;
    return run(*schema, operation, request);
}

bool RequestHandler::quickReply(const QString &entity, const QString &operation, const QByteArray &body,
                                QByteArray *out)
{
    if (!isList(operation))
        return false;
    StoreReader *reader = StoreReader::current();
    if (!reader)
        return false;
    reader->limitWork(kQuickSteps);
    bool storeFailed = false;
    QByteArray reply = listReply(entity, operation, body, &storeFailed);
    reader->limitWork(0);
    if (storeFailed)
        return false;
    *out = std::move(reply);
    return true;
}

QByteArray RequestHandler::listReply(const QString &entity, const QString &operation, const QByteArray &body,
                                     bool *storeFailed)
{
    const bool dueOnly = operation == QLatin1String("findByRemindDay");
    const QDate day = dueOnly ? today() : QDate();
    const QByteArray key = ListReplies::key(entity, operation, body, day.toString(Qt::ISODate));
    StoreReader *reader = StoreReader::current();
    if (!key.isEmpty() && reader && EntitySchema::find(entity)) {
        // Kept from a read of this very state of the table.
        qint64 version = 0;
        QByteArray kept;
        const bool found = reader->begin() && reader->version(entity, &version) && ListReplies::find(key, version, &kept);
        reader->end();
        if (found)
            return kept;
    }
    const EntitySchema *schema = nullptr;
    QJsonObject request, refusal;
    if (!accept(entity, operation, body, &schema, &request, &refusal))
        return QJsonDocument(refusal).toJson(QJsonDocument::Compact);
    qint64 version = -1;
    const QByteArray reply = list(*schema, request, dueOnly, day, storeFailed, &version);
    if (version >= 0)
        ListReplies::keep(key, version, reply);
    return reply;
}

QJsonObject RequestHandler::run(const EntitySchema &schema, const QString &operation, const QJsonObject &request)
{
    QSqlDatabase db = Database::connection();
    if (!db.isOpen())
        return storeFailure(db);
    if (operation == QLatin1String("add"))
        return add(db, schema, request);
    if (operation == QLatin1String("update"))
        return update(db, schema, request);
    if (operation == QLatin1String("delete"))
        return remove(db, schema, request);
    if (operation == QLatin1String("findOfSummary"))
        return summary(db, schema, request);
    if (operation == QLatin1String("login"))
        return login(db, request);
    return tags(db, schema, request);
}

bool RequestHandler::records(const QJsonObject &request, QList<QJsonObject> *out, QString *error)
{
    const QJsonValue list = request.value(QStringLiteral("dList"));
    if (!list.isArray() || list.toArray().isEmpty()) {
        *error = text("请求缺少记录(dList)");
        return false;
    }
    if (list.toArray().size() > kMaxRecords) {
        *error = text("一次请求的记录过多（最多") + QString::number(kMaxRecords) + text("条）");
        return false;
    }
    for (const QJsonValue &v : list.toArray()) {
        if (!v.isObject()) {
            *error = text(kBadRequest);
            return false;
        }
        out->append(v.toObject());
    }
    return true;
}

bool RequestHandler::fieldValues(const EntitySchema &schema, const QJsonObject &record, bool complete,
                                 QVariantMap *out, QString *error)
{
    for (const EntitySchema::Field &f : schema.fields) {
        const QJsonValue v = record.value(f.name);
        if (v.isUndefined() || v.isNull()) {
            if (complete || v.isNull())
                out->insert(f.name, f.kind == ConditionParser::Text ? QVariant(QStringLiteral("")) : QVariant(0));
            continue;
        }
        if (f.kind == ConditionParser::Text) {
            if (!v.isString()) {
                *error = text("字段类型错误：") + f.name;
                return false;
            }
            const QString value = v.toString();
            const int longest = maxTextLength(f.name);
            if (value.size() > longest) {
                *error = text("字段内容过长：") + f.name + text("（最多") + QString::number(longest) + text("个字符）");
                return false;
            }
            out->insert(f.name, value.isNull() ? QStringLiteral("") : value);
        } else if (f.kind == ConditionParser::Integer) {
            qint64 n = 0;
            if (!isWhole(v, &n)) {
                *error = text("字段类型错误：") + f.name;
                return false;
            }
            out->insert(f.name, n);
        } else {
            if (!v.isDouble() || !std::isfinite(v.toDouble())) {
                *error = text("字段类型错误：") + f.name;
                return false;
            }
            out->insert(f.name, v.toDouble());
        }
    }
    return true;
}

QJsonObject RequestHandler::userByName(QSqlDatabase &db, const QString &username, QString *hash)
{
    const EntitySchema &schema = *EntitySchema::find(QStringLiteral("user"));
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT %1 FROM \"user\" WHERE \"username\" = ?").arg(schema.columnList()));
    q.addBindValue(username);
    if (!q.exec() || !q.next())
        return QJsonObject();
    if (hash)
        *hash = q.value(2).toString();
    return rowObject(schema, q);
}

QJsonObject RequestHandler::add(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request)
{
    QList<QJsonObject> list;
    QString error;
    if (!records(request, &list, &error))
        return failure(error);
    const bool isUser = schema.entity == QLatin1String("user");
    QList<QVariantMap> rows;
    for (const QJsonObject &record : list) {
        QVariantMap values;
        if (!fieldValues(schema, record, true, &values, &error))
            return failure(error);
        if (isUser) {
            const QString name = values.value(QStringLiteral("username")).toString();
            const QString password = values.value(QStringLiteral("password")).toString();
            if (name.trimmed().isEmpty())
                return failure(text("用户名不能为空"));
            if (password.isEmpty())
                return failure(text("密码不能为空"));
            // Requests carry no log-in, so "add" is open to anyone: it registers
            // ordinary users only. Administrators are made through "update".
            if (values.value(QStringLiteral("grade")).toLongLong() >= kAdministratorGrade)
                return failure(text("注册的用户等级不能是管理员等级"));
            const QString hashed = PasswordHasher::hash(password);
            if (hashed.isEmpty())
                return storeFailure(db);
            values.insert(QStringLiteral("password"), hashed);
        }
        rows.append(values);
    }
    if (!Database::begin(db))
        return storeFailure(db);
    QJsonArray ids;
    for (const QVariantMap &values : rows) {
        if (isUser) {
            QSqlQuery check(db);
            check.prepare(QStringLiteral("SELECT 1 FROM \"user\" WHERE \"username\" = ?"));
            check.addBindValue(values.value(QStringLiteral("username")));
            if (!check.exec()) {
                Database::rollback(db);
                return storeFailure(db, &check);
            }
            if (check.next()) {
                Database::rollback(db);
                return failure(text("用户名已存在，请换一个用户名"));
            }
        }
        QStringList names, marks;
        for (const EntitySchema::Field &f : schema.fields) {
            names << QLatin1Char('"') + f.name + QLatin1Char('"');
            marks << QStringLiteral("?");
        }
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(schema.table(), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        for (const EntitySchema::Field &f : schema.fields)
            q.addBindValue(values.value(f.name));
        if (!q.exec()) {
            Database::rollback(db);
            return storeFailure(db, &q);
        }
        ids.append(q.lastInsertId().toLongLong());
    }
    if (!Database::commit(db))
        return storeFailure(db);
    return success(text("添加成功"), ids.size() == 1 ? ids.first() : QJsonValue(ids));
}

QJsonObject RequestHandler::update(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request)
{
    QList<QJsonObject> list;
    QString error;
    if (!records(request, &list, &error))
        return failure(error);
    const bool isUser = schema.entity == QLatin1String("user");
    const QString passwordKey = QStringLiteral("password");
    struct Change
    {
        qint64 id;
        QVariantMap values;
        QString password; // as sent; empty when none was
        QString judged;   // the stored hash it was checked against
    };
    QList<Change> changes;
    for (const QJsonObject &record : list) {
        Change c;
        if (!isWhole(record.value(QStringLiteral("id")), &c.id) || c.id <= 0)
            return failure(text("缺少有效的记录编号(id)"));
        if (!fieldValues(schema, record, false, &c.values, &error))
            return failure(error);
        if (isUser && c.values.contains(QStringLiteral("username"))
            && c.values.value(QStringLiteral("username")).toString().trimmed().isEmpty())
            return failure(text("用户名不能为空"));
        // A password that is empty (lists carry none) leaves the password alone.
        if (isUser && c.values.contains(passwordKey))
            c.password = c.values.take(passwordKey).toString();
        changes.append(c);
    }
    for (int attempt = 0; attempt < kWriteAttempts; ++attempt) {
        // Checking and hashing a password is slow: it is done before the write
        // starts, so that other writers wait only for the write itself.
        QList<QVariantMap> values;
        for (Change &c : changes) {
            values.append(c.values);
            if (c.password.isEmpty())
                continue;
            QSqlQuery stored(db);
            stored.prepare(QStringLiteral("SELECT \"password\" FROM \"user\" WHERE \"id\" = ?"));
            stored.addBindValue(c.id);
            if (!stored.exec())
                return storeFailure(db, &stored);
            c.judged = stored.next() ? stored.value(0).toString() : QString();
            // The client sends back what it holds: a password that matches the
            // stored hash stays as it is.
            if (PasswordHasher::verify(c.password, c.judged))
                continue;
            const QString hashed = PasswordHasher::hash(c.password);
            if (hashed.isEmpty())
                return storeFailure(db);
            values.last().insert(passwordKey, hashed);
        }
        if (!Database::begin(db))
            return storeFailure(db);
        bool stale = false;
        QStringList released;
        for (int i = 0; i < changes.size() && !stale; ++i) {
            const Change &c = changes.at(i);
            const QVariantMap &v = values.at(i);
            QSqlQuery existing(db);
            existing.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE \"id\" = ?").arg(schema.columnList(), schema.table()));
            existing.addBindValue(c.id);
            if (!existing.exec()) {
                Database::rollback(db);
                return storeFailure(db, &existing);
            }
            if (!existing.next()) {
                Database::rollback(db);
                return failure(text(kNoRecord));
            }
            if (isUser) {
                if (!c.password.isEmpty() && existing.value(2).toString() != c.judged) {
                    stale = true;
                    break;
                }
                if (v.contains(QStringLiteral("username"))) {
                    QSqlQuery check(db);
                    check.prepare(QStringLiteral("SELECT 1 FROM \"user\" WHERE \"username\" = ? AND \"id\" != ?"));
                    check.addBindValue(v.value(QStringLiteral("username")));
                    check.addBindValue(c.id);
                    if (!check.exec() || check.next()) {
                        Database::rollback(db);
                        return failure(text("用户名已存在，请换一个用户名"));
                    }
                }
            }
            // A file that the record stops naming may be left without a record.
            for (const QString &field : schema.fileFields) {
                int column = 0;
                while (schema.fields.at(column).name != field)
                    ++column;
                const QString before = existing.value(1 + column).toString();
                if (!before.isEmpty() && v.contains(field) && v.value(field).toString() != before)
                    released << before;
            }
            if (v.isEmpty())
                continue;
            QStringList sets;
            for (auto it = v.cbegin(); it != v.cend(); ++it)
                sets << QStringLiteral("\"%1\" = ?").arg(it.key());
            QSqlQuery q(db);
            q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE \"id\" = ?").arg(schema.table(), sets.join(QLatin1Char(','))));
            for (auto it = v.cbegin(); it != v.cend(); ++it)
                q.addBindValue(it.value());
            q.addBindValue(c.id);
            if (!q.exec()) {
                Database::rollback(db);
                return storeFailure(db, &q);
            }
        }
        if (stale) {
            Database::rollback(db);
            continue;
        }
        if (!Database::commit(db))
            return storeFailure(db);
        releaseFiles(schema, released);
        return success(text("修改成功"), QJsonValue(QJsonValue::Null));
    }
    return failure(text(kStoreError));
}

QJsonObject RequestHandler::remove(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request)
{
    QList<QJsonObject> list;
    QString error;
    if (!records(request, &list, &error))
        return failure(error);
    QList<qint64> ids;
    for (const QJsonObject &record : list) {
        qint64 id = 0;
        if (!isWhole(record.value(QStringLiteral("id")), &id) || id <= 0)
            return failure(text("缺少有效的记录编号(id)"));
        ids << id;
    }
    if (!Database::begin(db))
        return storeFailure(db);
    // The files that the stored records name, whatever the request says.
    QStringList files;
    for (qint64 id : ids) {
        if (!schema.fileFields.isEmpty()) {
            QSqlQuery named(db);
            named.prepare(QStringLiteral("SELECT \"%1\" FROM %2 WHERE \"id\" = ?")
                              .arg(schema.fileFields.join(QStringLiteral("\",\"")), schema.table()));
            named.addBindValue(id);
            if (!named.exec()) {
                Database::rollback(db);
                return storeFailure(db, &named);
            }
            if (named.next())
                for (int i = 0; i < schema.fileFields.size(); ++i)
                    files << named.value(i).toString();
        }
        QSqlQuery q(db);
        q.prepare(QStringLiteral("DELETE FROM %1 WHERE \"id\" = ?").arg(schema.table()));
        q.addBindValue(id);
        if (!q.exec()) {
            Database::rollback(db);
            return storeFailure(db, &q);
        }
        if (q.numRowsAffected() != 1) {
            Database::rollback(db);
            return failure(text(kNoRecord));
        }
    }
    if (!Database::commit(db))
        return storeFailure(db);
    releaseFiles(schema, files);
    return success(text("删除成功"), QJsonValue(QJsonValue::Null));
}

void RequestHandler::releaseFiles(const EntitySchema &schema, const QStringList &names)
{
    QSqlDatabase db = Database::connection();
    QStringList unique = names;
    unique.removeAll(QString());
    unique.removeDuplicates();
    // Looked at under the write lock, so that no record naming a file can come
    // in between the look and the removal.
    if (unique.isEmpty() || !Database::begin(db))
        return;
    QStringList tests;
    for (const QString &field : schema.fileFields)
        tests << QStringLiteral("\"%1\" = ?").arg(field);
    const FileStore files(Database::folder());
    for (const QString &name : unique) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE %2 LIMIT 1").arg(schema.table(), tests.join(QStringLiteral(" OR "))));
        for (int i = 0; i < schema.fileFields.size(); ++i)
            q.addBindValue(name);
        if (!q.exec() || q.next())
            continue;
        const QString path = files.existingFile(schema.fileFolder, name);
        if (!path.isEmpty() && !QFile::remove(path))
            qWarning("cannot remove %s", qPrintable(path));
    }
    Database::rollback(db);
}

bool RequestHandler::condition(const EntitySchema &schema, const QJsonObject &request, SqlCondition *out,
                               QString *error)
{
    const QJsonValue c = request.value(QStringLiteral("conditionStr"));
    if (c.isUndefined() || c.isNull()) {
        *out = SqlCondition();
        return true;
    }
    if (!c.isString()) {
        *error = text("查询条件(conditionStr)必须是文本");
        return false;
    }
    // The client sends the same few conditions again and again: each thread
    // keeps what it has read (short ones only).
    struct Parsed
    {
        bool ok;
        SqlCondition sql;
        QString error;
    };
    thread_local QHash<QString, Parsed> parsed;
    const QString conditionStr = c.toString();
    if (conditionStr.size() > 512)
        return ConditionParser::parse(conditionStr, schema.conditionFields(), out, error);
    const QString key = schema.entity + QLatin1Char('\n') + conditionStr;
    auto it = parsed.constFind(key);
    if (it == parsed.cend()) {
        if (parsed.size() >= 256)
            parsed.clear();
        Parsed p;
        p.ok = ConditionParser::parse(conditionStr, schema.conditionFields(), &p.sql, &p.error);
        it = parsed.insert(key, p);
    }
    if (!it->ok) {
        *error = it->error;
        return false;
    }
    *out = it->sql;
    return true;
}

QByteArray RequestHandler::list(const EntitySchema &schema, const QJsonObject &request, bool dueOnly,
                                const QDate &day, bool *storeFailed, qint64 *version)
{
    const auto storeFailure = [storeFailed] {
        if (storeFailed)
            *storeFailed = true;
        return QJsonDocument(failure(text(kStoreError))).toJson(QJsonDocument::Compact);
    };
    const auto refuse = [](const QString &reason) {
        return QJsonDocument(failure(reason)).toJson(QJsonDocument::Compact);
    };
    qint64 pageSize = 0, curPage = 1;
    const QJsonValue ps = request.value(QStringLiteral("pageSize"));
    const QJsonValue cp = request.value(QStringLiteral("curPage"));
    if ((!ps.isUndefined() && (!isWhole(ps, &pageSize) || pageSize < 0))
        || (!cp.isUndefined() && !isWhole(cp, &curPage)))
        return refuse(text("分页参数(pageSize、curPage)必须是非负整数"));
    if (curPage < 1)
        curPage = 1;
    bool descending = true;
    const QJsonValue order = request.value(QStringLiteral("order"));
    if (!order.isUndefined()) {
        const QString o = order.toString().toLower();
        if (o == QLatin1String("asc"))
            descending = false;
        else if (o != QLatin1String("desc"))
            return refuse(text("排序方式(order)只能是desc或asc"));
    }
    SqlCondition cond;
    QString error;
    if (!condition(schema, request, &cond, &error))
        return refuse(error);
    if (dueOnly) {
        // Due: the reminder is on and today has reached remindDate minus the lead days
        // (past dates included).
        const QString due = QStringLiteral("\"isRemind\" = ? AND julianday(date(\"remindDate\")) - \"remindDateNumber\" "
                                           "<= julianday(?)");
        cond.sql = cond.sql.isEmpty() ? due : QLatin1Char('(') + cond.sql + QStringLiteral(") AND ") + due;
        cond.values << text("开启") << day.toString(QStringLiteral("yyyy-MM-dd"));
    }

    StoreReader *reader = StoreReader::current();
    qint64 readVersion = 0;
    if (!reader || !reader->begin() || !reader->version(schema.entity, &readVersion)) {
        if (reader)
            reader->end();
        return storeFailure();
    }
    // What QJsonDocument writes for success("查询成功", {"dList": rows, "totalCount": total}).
    // The buffer starts at the size of a short reply and grows with the rows:
    // short replies are kept (ListReplies), and a large buffer reserved for
    // each of them would leave every kept one holding a page of the heap.
    QByteArray out;
    out.reserve(256);
    out += "{\"data\":{\"dList\":[";
    qint64 total = 0;
    const bool read = pageSize == 0
                          ? ListPage::all(*reader, schema, cond, descending, &out, &total)
                          : ListPage::page(*reader, schema, cond, descending, pageSize, curPage, &out, &total);
    reader->end();
    if (!read)
        return storeFailure();
    out += "],\"totalCount\":" + QByteArray::number(total) + "},\"resultCode\":1,\"resultMessage\":\"查询成功\"}";
    *version = readVersion;
    return out;
}

QJsonObject RequestHandler::summary(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request)
{
    const QJsonValue name = request.value(QStringLiteral("temporary"));
    if (!name.isString() || name.toString().isEmpty())
        return failure(text("缺少用户名(temporary)"));
    const QJsonObject user = userByName(db, name.toString(), nullptr);
    if (user.isEmpty())
        return failure(text("用户不存在"));
    QString owner;
    if (user.value(QStringLiteral("grade")).toInt() < kAdministratorGrade)
        owner = QStringLiteral(" and loginName ='%1'").arg(name.toString().replace(QLatin1Char('\''), QStringLiteral("''")));
    const QStringList conditions = SummaryCounts::conditions(schema.entity, owner, today());
    StoreReader *reader = StoreReader::current();
    if (!reader || !reader->begin())
        return failure(text("汇总统计失败"));
    QStringList counts;
    for (const QString &c : conditions) {
        SqlCondition cond;
        QString error;
        qint64 n = 0;
        if (!ConditionParser::parse(c, schema.conditionFields(), &cond, &error)
            || !ListPage::count(*reader, schema, cond, &n)) {
            reader->end();
            return failure(text("汇总统计失败"));
        }
        counts << QString::number(n);
    }
    reader->end();
    return success(counts.join(QLatin1Char('-')), QJsonValue(QJsonValue::Null));
}

QJsonObject RequestHandler::login(QSqlDatabase &db, const QJsonObject &request)
{
    QList<QJsonObject> list;
    QString error;
    if (!records(request, &list, &error))
        return failure(error);
    const QJsonValue nameValue = list.first().value(QStringLiteral("username"));
    const QJsonValue passwordValue = list.first().value(QStringLiteral("password"));
    if (!nameValue.isString() || !passwordValue.isString())
        return failure(text(kBadRequest));
    QString hash;
    QJsonObject user = userByName(db, nameValue.toString(), &hash);
    if (user.isEmpty())
        return failure(text("用户不存在，请先注册"));
    if (!PasswordHasher::verify(passwordValue.toString(), hash))
        return failure(text("密码错误，请重新输入"));
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!Database::begin(db))
        return storeFailure(db);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE \"user\" SET \"loginDate\" = ? WHERE \"id\" = ?"));
    q.addBindValue(stamp);
    q.addBindValue(user.value(QStringLiteral("id")).toVariant());
    if (!q.exec() || !Database::commit(db)) {
        Database::rollback(db);
        return storeFailure(db);
    }
    user.insert(QStringLiteral("loginDate"), stamp);
    user.insert(QStringLiteral("password"), passwordValue.toString());
    return success(text("登录成功"), QJsonObject{{"flag", 1}, {"temporary", text("登录成功")}, {"dList", QJsonArray{user}}});
}

QJsonObject RequestHandler::tags(QSqlDatabase &db, const EntitySchema &schema, const QJsonObject &request)
{
    SqlCondition cond;
    QString error;
    if (!condition(schema, request, &cond, &error))
        return failure(error);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT \"tag\" FROM %1").arg(schema.table()) + where(cond)
              + QStringLiteral(" AND \"tag\" != '' GROUP BY \"tag\" ORDER BY MIN(\"id\")"));
    bindAll(q, cond.values);
    if (!q.exec())
        return storeFailure(db, &q);
    QStringList tags;
    while (q.next())
        tags << q.value(0).toString();
    return success(tags.join(QLatin1Char('-')), QJsonValue(QJsonValue::Null));
}
