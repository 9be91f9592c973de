#ifndef LOADGUARD_H
#define LOADGUARD_H

// Marks a window busy for the life of one server exchange. A request waits
// in a local event loop that still delivers clicks; a second exchange begun
// meanwhile finds the window busy and is to be dropped:
//     LoadGuard guard(busy);
//     if (!guard.entered())
//         return;
class LoadGuard
{
public:
    explicit LoadGuard(bool &busy);
    ~LoadGuard();
    LoadGuard(const LoadGuard &) = delete;
    LoadGuard &operator=(const LoadGuard &) = delete;

    // False when the window was busy already.
    bool entered() const { return owner; }

private:
    bool &busy;
    bool owner;
};

#endif // LOADGUARD_H
