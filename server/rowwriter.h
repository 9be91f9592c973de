#ifndef ROWWRITER_H
#define ROWWRITER_H

#include <QByteArray>
#include <QString>
#include <QVector>

#include "conditionparser.h"

class EntitySchema;
struct sqlite3_stmt;

// Writes stored rows as the client's record objects in compact JSON, straight
// from SQLite's UTF-8, byte for byte as QJsonDocument writes the QJsonObject
// that Qt's SQL driver and QJsonObject would have made of the same row: keys in
// QJsonObject's order, numbers as numbers, texts as strings, a user's password
// hash as "". Values of an unusual stored type and texts that are not valid
// UTF-8 take that very road through Qt.
class RowWriter
{
public:
    // The writer of an entity's rows (made once per schema).
    static const RowWriter &of(const EntitySchema &schema);

    // The columns a row is read with: "id" and the schema's fields, quoted.
    const QByteArray &columns() const { return columnList; }
    // Appends the current row of the statement as one JSON object.
    void append(QByteArray *out, sqlite3_stmt *row) const;

private:
    explicit RowWriter(const EntitySchema &schema);

    struct Key
    {
        QString name;
        QByteArray prefix; // "name": after a comma but for the first
        int column;        // -1: always the empty text
        ConditionParser::FieldKind kind;
    };
    QVector<Key> keys;
    qsizetype prefixBytes = 0;
    QByteArray columnList;
};

#endif // ROWWRITER_H
