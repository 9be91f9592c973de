#include "debugjson.h"

#include <QJsonArray>

namespace {

QJsonValue maskedValue(const QJsonValue &value)
{
    if (value.isObject())
        return DebugJson::masked(value.toObject());
    if (value.isArray()) {
        QJsonArray out;
        for (const QJsonValue &element : value.toArray())
            out.append(maskedValue(element));
        return out;
    }
    return value;
}

} // namespace

QJsonObject DebugJson::masked(const QJsonObject &object)
{
    QJsonObject out;
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (it.key().compare(QLatin1String("password"), Qt::CaseInsensitive) == 0 && it.value().isString()
            && !it.value().toString().isEmpty())
            out.insert(it.key(), QStringLiteral("******"));
        else
            out.insert(it.key(), maskedValue(it.value()));
    }
    return out;
}
