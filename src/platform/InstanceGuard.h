#pragma once

#include <QString>

#include <memory>

// Tells whether another copy of the program is already running. The first copy holds a claim
// for as long as the guard lives: one per logon session on Windows (a user logged on twice,
// through fast user switching or a remote desktop, runs a copy in each), one per user
// elsewhere. A crashed copy leaves no claim behind.
class InstanceGuard
{
public:
    virtual ~InstanceGuard() = default;
    // True when another live process already holds the claim for this name. Otherwise the
    // claim is taken by this process (once) and false is returned.
    virtual bool anotherInstanceRunning() = 0;
};

std::unique_ptr<InstanceGuard> createSystemInstanceGuard(const QString &name);
