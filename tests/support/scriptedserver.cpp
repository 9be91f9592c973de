#include "scriptedserver.h"

#include "serverprocess.h"

ScriptedServer::ScriptedServer(ServerProcess &real) : real(real)
{
    real.stop();
}

ScriptedServer::~ScriptedServer()
{
    stub.close();
    real.start();
}
