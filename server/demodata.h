#ifndef DEMODATA_H
#define DEMODATA_H

#include <QString>

// Demo users, records and files for a first look at the client: written only
// into an empty store.
class DemoData
{
public:
    // Seeds the store and the files of the data folder; does nothing (and
    // succeeds) when the store already has users.
    static bool seed(const QString &dataDir, QString *error);
};

#endif // DEMODATA_H
