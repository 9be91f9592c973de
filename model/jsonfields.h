#ifndef JSONFIELDS_H
#define JSONFIELDS_H

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The JSON form of one record class: its fields in one table, each under its
// own name, with the record's getter and setter. Ints and doubles travel as
// JSON numbers, texts as JSON strings. Reading is forgiving: a number that is
// missing, not a number or (for an int) not whole gives 0; a text that is
// missing or not a string gives "".
template <typename Record>
class JsonFields
{
public:
    JsonFields &integer(const char *key, int (Record::*get)() const, void (Record::*set)(int))
    {
        return add(key, [get](const Record &r) { return QJsonValue((r.*get)()); },
                   [set](const QJsonValue &v, Record &r) { (r.*set)(v.toInt()); });
    }

    JsonFields &real(const char *key, double (Record::*get)() const, void (Record::*set)(double))
    {
        return add(key, [get](const Record &r) { return QJsonValue((r.*get)()); },
                   [set](const QJsonValue &v, Record &r) { (r.*set)(v.toDouble()); });
    }

    JsonFields &text(const char *key, QString (Record::*get)() const, void (Record::*set)(const QString &))
    {
        return add(key, [get](const Record &r) { return QJsonValue((r.*get)()); },
                   [set](const QJsonValue &v, Record &r) { (r.*set)(v.toString()); });
    }

    // Every field of the record.
    QJsonObject toJson(const Record &record) const
    {
        QJsonObject object;
        for (const Field &field : fields)
            object.insert(field.key, field.get(record));
        return object;
    }

    // Only the fields named; a name that is not a field is left out.
    QJsonObject toJson(const Record &record, const QStringList &keys) const
    {
        QJsonObject object;
        for (const Field &field : fields) {
            if (keys.contains(field.key))
                object.insert(field.key, field.get(record));
        }
        return object;
    }

    // Sets every field from the object.
    void fromJson(const QJsonObject &object, Record &record) const
    {
        for (const Field &field : fields)
            field.set(object.value(field.key), record);
    }

private:
    struct Field
    {
        QString key;
        std::function<QJsonValue(const Record &)> get;
        std::function<void(const QJsonValue &, Record &)> set;
    };

    JsonFields &add(const char *key, std::function<QJsonValue(const Record &)> get,
                    std::function<void(const QJsonValue &, Record &)> set)
    {
        fields.push_back({QString::fromLatin1(key), std::move(get), std::move(set)});
        return *this;
    }

    std::vector<Field> fields;
};

#endif // JSONFIELDS_H
