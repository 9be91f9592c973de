#include "rowwriter.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QMutex>
#include <QVariant>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <sqlite3.h>

#include "entityschema.h"

namespace {

// The value as Qt's SQLite driver reads it into a QVariant.
QVariant driverValue(sqlite3_stmt *row, int column)
{
    switch (sqlite3_column_type(row, column)) {
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(row, column)),
                          sqlite3_column_bytes(row, column));
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(row, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(row, column);
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    default:
        return QString(reinterpret_cast<const QChar *>(sqlite3_column_text16(row, column)),
                       sqlite3_column_bytes16(row, column) / int(sizeof(QChar)));
    }
}

// The value as QJsonDocument writes it, the long way.
QByteArray throughQt(const QJsonValue &value)
{
    const QByteArray json = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return json.mid(1, json.size() - 2);
}

char hexDigit(unsigned v)
{
    return char(v < 10 ? '0' + v : 'a' + v - 10);
}

// The length of the UTF-8 sequence at s (of at most n bytes) for a Unicode
// scalar value in its shortest form, 0 for anything else.
int sequenceLength(const unsigned char *s, qsizetype n)
{
    const unsigned char c = s[0];
    auto tail = [&](int i) { return i < n && (s[i] & 0xC0) == 0x80; };
    if (c >= 0xC2 && c <= 0xDF)
        return tail(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (!tail(1) || !tail(2))
            return 0;
        if ((c == 0xE0 && s[1] < 0xA0) || (c == 0xED && s[1] >= 0xA0)) // overlong, surrogate
            return 0;
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (!tail(1) || !tail(2) || !tail(3))
            return 0;
        if ((c == 0xF0 && s[1] < 0x90) || (c == 0xF4 && s[1] >= 0x90)) // overlong, beyond U+10FFFF
            return 0;
        return 4;
    }
    return 0;
}

// Writes the JSON string of UTF-8 text at p as QJsonDocument writes it (room
// for 6 bytes per byte and the quotes); nullptr when the text is not valid UTF-8.
char *writeText(char *p, const char *text, qsizetype size)
{
    *p++ = '"';
    const auto *s = reinterpret_cast<const unsigned char *>(text);
    qsizetype i = 0;
    while (i < size) {
        const unsigned char c = s[i];
        if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
            *p++ = char(c);
            ++i;
        } else if (c >= 0x80) {
            const int length = sequenceLength(s + i, size - i);
            if (length == 0)
                return nullptr;
            std::memcpy(p, s + i, size_t(length));
            p += length;
            i += length;
        } else {
            *p++ = '\\';
            switch (c) {
            case '"': *p++ = '"'; break;
            case '\\': *p++ = '\\'; break;
            case '\b': *p++ = 'b'; break;
            case '\f': *p++ = 'f'; break;
            case '\n': *p++ = 'n'; break;
            case '\r': *p++ = 'r'; break;
            case '\t': *p++ = 't'; break;
            default:
                *p++ = 'u';
                *p++ = '0';
                *p++ = '0';
                *p++ = hexDigit(c >> 4);
                *p++ = hexDigit(c & 0xF);
            }
            ++i;
        }
    }
    *p++ = '"';
    return p;
}

// Appends to a QByteArray through a pointer, growing it as asked.
class Cursor
{
public:
    explicit Cursor(QByteArray *out) : out(out), start(out->size()) {}
    ~Cursor()
    {
        if (p)
            out->resize(p - out->data());
    }
    // Makes room for n more bytes; returns where they go.
    char *room(qsizetype n)
    {
        const qsizetype used = p ? p - out->data() : start;
        if (!p || end - p < n) {
            out->resize(used + std::max<qsizetype>(n, used - start + 1024));
            p = out->data() + used;
            end = out->data() + out->size();
        }
        return p;
    }
    void wrote(char *to) { p = to; }
    void append(const char *bytes, qsizetype n) { p = static_cast<char *>(std::memcpy(room(n), bytes, size_t(n))) + n; }
    void append(const QByteArray &bytes) { append(bytes.constData(), bytes.size()); }

private:
    QByteArray *out;
    qsizetype start;
    char *p = nullptr;
    char *end = nullptr;
};

} // namespace

const RowWriter &RowWriter::of(const EntitySchema &schema)
{
    static QMutex lock;
    static QHash<QString, const RowWriter *> writers;
    QMutexLocker guard(&lock);
    const RowWriter *&writer = writers[schema.entity];
    if (!writer)
        writer = new RowWriter(schema);
    return *writer;
}

RowWriter::RowWriter(const EntitySchema &schema)
{
    columnList = schema.columnList().toUtf8();
    struct Named
    {
        QString name;
        Key key;
    };
    QVector<Named> named{{QStringLiteral("id"), {QByteArray(), 0, ConditionParser::Integer}}};
    for (int i = 0; i < schema.fields.size(); ++i) {
        const EntitySchema::Field &f = schema.fields.at(i);
        const bool hidden = schema.entity == QLatin1String("user") && f.name == QLatin1String("password");
        named.append({f.name, {QByteArray(), hidden ? -1 : i + 1, f.kind}});
    }
    // QJsonObject keeps its keys sorted.
    std::sort(named.begin(), named.end(), [](const Named &a, const Named &b) { return a.name < b.name; });
    for (Named &n : named) {
        n.key.prefix = (keys.isEmpty() ? "\"" : ",\"") + n.name.toUtf8() + "\":";
        keys.append(n.key);
    }
}

void RowWriter::append(QByteArray *out, sqlite3_stmt *row) const
{
    Cursor cursor(out);
    cursor.append("{", 1);
    for (const Key &key : keys) {
        cursor.append(key.prefix);
        if (key.column < 0) {
            cursor.append("\"\"", 2);
            continue;
        }
        sqlite3_value *value = sqlite3_column_value(row, key.column);
        const int type = sqlite3_value_type(value);
        switch (key.kind) {
        case ConditionParser::Integer:
            if (type == SQLITE_INTEGER) {
                char *p = cursor.room(24);
                cursor.wrote(std::to_chars(p, p + 24, sqlite3_value_int64(value)).ptr);
                continue;
            }
            cursor.append(throughQt(QJsonValue(driverValue(row, key.column).toLongLong())));
            continue;
        case ConditionParser::Real:
            if (type == SQLITE_FLOAT && std::isfinite(sqlite3_value_double(value))) {
                cursor.append(QByteArray::number(sqlite3_value_double(value), 'g', QLocale::FloatingPointShortest));
                continue;
            }
            cursor.append(throughQt(QJsonValue(driverValue(row, key.column).toDouble())));
            continue;
        case ConditionParser::Text:
            if (type == SQLITE_NULL) {
                cursor.append("\"\"", 2);
                continue;
            }
            if (type == SQLITE_TEXT) {
                const char *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
                const qsizetype size = sqlite3_value_bytes(value);
                if (char *end = writeText(cursor.room(6 * size + 2), text, size)) {
                    cursor.wrote(end);
                    continue;
                }
            }
            cursor.append(throughQt(QJsonValue(driverValue(row, key.column).toString())));
            continue;
        }
    }
    cursor.append("}", 1);
}
