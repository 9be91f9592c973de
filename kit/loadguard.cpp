#include "loadguard.h"

LoadGuard::LoadGuard(bool &busy) : busy(busy), owner(!busy)
{
    busy = true;
}

LoadGuard::~LoadGuard()
{
    if (owner)
        busy = false;
}
