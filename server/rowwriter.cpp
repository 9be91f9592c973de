#include "rowwriter.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVarLengthArray>
#include <QVariant>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
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

// Whether the eight bytes are ASCII that a JSON string takes as it is: no
// control character, quote or backslash.
bool plainAscii(std::uint64_t v)
{
    constexpr std::uint64_t ones = 0x0101010101010101u, highs = 0x8080808080808080u;
    const auto anyZero = [](std::uint64_t x) { return (x - ones) & ~x & highs; };
    const std::uint64_t below = (v - ones * 0x20) & ~v & highs;
    return !((v & highs) | below | anyZero(v ^ (ones * '"')) | anyZero(v ^ (ones * '\\')));
}

// Writes the JSON string of UTF-8 text at p as QJsonDocument writes it (room
// for 6 bytes per byte and the quotes); nullptr when the text is not valid UTF-8.
char *writeText(char *p, const char *text, qsizetype size)
{
    *p++ = '"';
    const auto *s = reinterpret_cast<const unsigned char *>(text);
    const auto *const end = s + size;
    while (s < end) {
        while (end - s >= 8) {
            std::uint64_t word;
            std::memcpy(&word, s, 8);
            if (!plainAscii(word))
                break;
            std::memcpy(p, &word, 8);
            p += 8;
            s += 8;
        }
        if (s == end)
            break;
        // Runs of three-byte characters (most CJK text) whose lead byte rules
        // out the overlong and surrogate forms.
        while (end - s >= 3 && s[0] >= 0xE1 && s[0] != 0xED && s[0] <= 0xEF && (s[1] & 0xC0) == 0x80
               && (s[2] & 0xC0) == 0x80) {
            p[0] = char(s[0]);
            p[1] = char(s[1]);
            p[2] = char(s[2]);
            p += 3;
            s += 3;
        }
        if (s == end)
            break;
        const unsigned char c = *s;
        if (c >= 0x80) {
            const int length = sequenceLength(s, end - s);
            if (length == 0)
                return nullptr;
            for (int i = 0; i < length; ++i)
                *p++ = char(s[i]);
            s += length;
            continue;
        }
        ++s;
        if (c >= 0x20 && c != '"' && c != '\\') {
            *p++ = char(c);
            continue;
        }
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
    }
    *p++ = '"';
    return p;
}

} // namespace

const RowWriter &RowWriter::of(const EntitySchema &schema)
{
    static const QHash<QString, const RowWriter *> writers = [] {
        QHash<QString, const RowWriter *> all;
        for (const EntitySchema &s : EntitySchema::all())
            all.insert(s.entity, new RowWriter(s));
        return all;
    }();
    return *writers.value(schema.entity);
}

RowWriter::RowWriter(const EntitySchema &schema)
{
    columnList = schema.columnList().toUtf8();
    keys.append({QStringLiteral("id"), QByteArray(), 0, ConditionParser::Integer});
    for (int i = 0; i < schema.fields.size(); ++i) {
        const EntitySchema::Field &f = schema.fields.at(i);
        const bool hidden = schema.entity == QLatin1String("user") && f.name == QLatin1String("password");
        keys.append({f.name, QByteArray(), hidden ? -1 : i + 1, f.kind});
    }
    // QJsonObject keeps its keys sorted.
    std::sort(keys.begin(), keys.end(), [](const Key &a, const Key &b) { return a.name < b.name; });
    for (Key &key : keys) {
        key.prefix = (&key == &keys.first() ? "\"" : ",\"") + key.name.toUtf8() + "\":";
        prefixBytes += key.prefix.size();
    }
}

void RowWriter::append(QByteArray *out, sqlite3_stmt *row) const
{
    // The common row, whose values all have their field's stored type and whose
    // texts are valid UTF-8, is written in one go into room reserved for its
    // longest possible form.
    struct Value
    {
        sqlite3_value *value;
        const char *text;
        qsizetype size;
    };
    QVarLengthArray<Value, 32> values(keys.size());
    qsizetype longest = prefixBytes + 2;
    bool common = true;
    for (int i = 0; i < keys.size() && common; ++i) {
        const Key &key = keys.at(i);
        Value &v = values[i];
        if (key.column < 0) {
            longest += 2;
            continue;
        }
        v.value = sqlite3_column_value(row, key.column);
        const int type = sqlite3_value_type(v.value);
        switch (key.kind) {
        case ConditionParser::Integer:
            common = type == SQLITE_INTEGER;
            longest += 24;
            break;
        case ConditionParser::Real:
            common = type == SQLITE_FLOAT && std::isfinite(sqlite3_value_double(v.value));
            longest += 32;
            break;
        case ConditionParser::Text:
            common = type == SQLITE_TEXT;
            if (common) {
                v.text = reinterpret_cast<const char *>(sqlite3_value_text(v.value));
                v.size = sqlite3_value_bytes(v.value);
                longest += 6 * v.size + 2;
            }
            break;
        }
    }
    const qsizetype start = out->size();
    if (common) {
        out->resize(start + longest);
        char *p = out->data() + start;
        *p++ = '{';
        for (int i = 0; i < keys.size() && p; ++i) {
            const Key &key = keys.at(i);
            const Value &v = values.at(i);
            std::memcpy(p, key.prefix.constData(), size_t(key.prefix.size()));
            p += key.prefix.size();
            if (key.column < 0) {
                *p++ = '"';
                *p++ = '"';
            } else if (key.kind == ConditionParser::Integer) {
                p = std::to_chars(p, p + 24, sqlite3_value_int64(v.value)).ptr;
            } else if (key.kind == ConditionParser::Real) {
                const QByteArray number = QByteArray::number(sqlite3_value_double(v.value), 'g',
                                                             QLocale::FloatingPointShortest);
                std::memcpy(p, number.constData(), size_t(number.size()));
                p += number.size();
            } else {
                p = writeText(p, v.text, v.size);
            }
        }
        if (p) {
            *p++ = '}';
            out->resize(p - out->data());
            return;
        }
        out->resize(start); // a text that is not UTF-8
    }

    // Any other row as the server has always written it: the QJsonObject of the
    // values that Qt's driver reads.
    QJsonObject object;
    for (const Key &key : keys) {
        if (key.column < 0) {
            object.insert(key.name, QString());
            continue;
        }
        const QVariant v = driverValue(row, key.column);
        if (key.kind == ConditionParser::Integer)
            object.insert(key.name, v.toLongLong());
        else if (key.kind == ConditionParser::Real)
            object.insert(key.name, v.toDouble());
        else
            object.insert(key.name, v.toString());
    }
    out->append(QJsonDocument(object).toJson(QJsonDocument::Compact));
}
