#ifndef FORMCHILD_H
#define FORMCHILD_H

#include <QObject>
#include <QString>
#include <QtGlobal>

// The widget (or other child) of a form by its object name. A missing one
// ends the test program with its name: every use stands on a form object.
template<class T>
T *formChild(const QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s of the class asked for", name);
    return found;
}

#endif // FORMCHILD_H
