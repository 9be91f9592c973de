#ifndef SCRIPTEDSERVER_H
#define SCRIPTEDSERVER_H

#include "httpstub.h"

class ServerProcess;

// The real server steps aside for a scripted one on its port while this
// lives, and starts again on the same data folder afterwards:
//     ScriptedServer scripted(server);
//     QVERIFY(scripted.stub.listen(8091));
class ScriptedServer
{
public:
    explicit ScriptedServer(ServerProcess &real);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer &) = delete;
    ScriptedServer &operator=(const ScriptedServer &) = delete;

    HttpStub stub;

private:
    ServerProcess &real;
};

#endif // SCRIPTEDSERVER_H
