#ifndef WRITEACTIONGUARD_H
#define WRITEACTIONGUARD_H

// Holds a "write running" flag for as long as it lives. Only the guard that
// found the flag clear owns it (and is true); a guard made while another one
// runs is false and leaves the flag alone, so the caller returns at once.
class WriteActionGuard
{
public:
    explicit WriteActionGuard(bool &running) : flag(running), owns(!running) { flag = true; }
    ~WriteActionGuard()
    {
        if (owns)
            flag = false;
    }
    WriteActionGuard(const WriteActionGuard &) = delete;
    WriteActionGuard &operator=(const WriteActionGuard &) = delete;

    explicit operator bool() const { return owns; }

private:
    bool &flag;
    bool owns;
};

#endif // WRITEACTIONGUARD_H
