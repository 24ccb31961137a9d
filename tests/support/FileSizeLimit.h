#pragma once

#include <csignal>
#include <sys/resource.h>

/// Runs f while no file may grow beyond bytes, as a full disk refuses a write part-way;
/// returns what f returns.
template <typename F> auto withFileSizeLimit(rlim_t bytes, F f) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{bytes, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const auto result = f();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    return result;
}
