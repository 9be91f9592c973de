#ifndef ENTITYSCHEMA_H
#define ENTITYSCHEMA_H

#include <QHash>
#include <QString>
#include <QVector>

#include "conditionparser.h"

// The stored form of one entity: its table and its fields (besides "id"), each
// with its kind. Integer and Real fields travel as JSON numbers, the others as
// strings.
class EntitySchema
{
public:
    struct Field
    {
        QString name;
        ConditionParser::FieldKind kind;
    };

    QString entity;
    QVector<Field> fields;

    // The schema of an entity word, or nullptr for an unknown word.
    static const EntitySchema *find(const QString &entity);
    static const QVector<EntitySchema> &all();

    bool hasField(const QString &name) const;
    // The names a condition string may use (the user's password hash is not one).
    QHash<QString, ConditionParser::FieldKind> conditionFields() const;
    // The table name, quoted for SQL.
    QString table() const;
    // "id" and every field, quoted and separated by commas.
    QString columnList() const;
};

#endif // ENTITYSCHEMA_H
