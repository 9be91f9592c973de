#ifndef DEBUGJSON_H
#define DEBUGJSON_H

#include <QJsonObject>

// What the dialogs write to the debug output about a server reply: the
// reply with every password in it (at any depth) replaced by asterisks, so
// the console never shows one.
class DebugJson
{
public:
    static QJsonObject masked(const QJsonObject &object);
};

#endif // DEBUGJSON_H
