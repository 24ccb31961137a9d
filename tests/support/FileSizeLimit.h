#pragma once

#include <csignal>
#include <sys/resource.h>

/// Runs f while no file may grow beyond bytes, as a full disk refuses a write part-way;
/// returns what f returns. The size-limit signal is left at its default, as a shell leaves
/// it: a write past the limit ends the test unless the program itself ignores the signal.
template <typename F> auto withFileSizeLimit(rlim_t bytes, F f) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_DFL);
    const rlimit small{bytes, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const auto result = f();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    return result;
}
