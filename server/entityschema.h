#ifndef ENTITYSCHEMA_H
#define ENTITYSCHEMA_H

#include <QHash>
#include <QString>
#include <QStringList>
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
    // The indexes the store keeps besides the primary key, one list of column
    // expressions each ("loginName", "date(remindDate)"): one per combination of
    // tests that the client's windows and dashboard send often, so that those
    // lists are read in id order straight from an index.
    QVector<QStringList> indexes;
    // The fields that name stored files, and the folder of those files below
    // the files root; a file goes with the last record that names it.
    QStringList fileFields;
    QString fileFolder;

    // The schema of an entity word, or nullptr for an unknown word.
    static const EntitySchema *find(const QString &entity);
    static const QVector<EntitySchema> &all();

    bool hasField(const QString &name) const;
    // The names a condition string may use (the user's password hash is not one).
    const QHash<QString, ConditionParser::FieldKind> &conditionFields() const { return conditionNames; }
    // The table name, quoted for SQL.
    QString table() const;
    // "id" and every field, quoted and separated by commas.
    QString columnList() const;

private:
    static QVector<EntitySchema> build();

    QHash<QString, ConditionParser::FieldKind> conditionNames;
};

#endif // ENTITYSCHEMA_H
