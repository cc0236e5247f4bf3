#ifndef FULLDISK_H
#define FULLDISK_H

#include <csignal>

#include <sys/resource.h>

// A disk that fills up while it lives: no file of this process grows past
// `bytes`; a write across the mark is cut there and the next one fails.
// The limit holds for a log file too: report after it is gone.
struct FullDisk
{
    explicit FullDisk(rlim_t bytes) : signal(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{bytes, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, signal);
    }
    rlimit saved{};
    void (*signal)(int);
};

#endif // FULLDISK_H
