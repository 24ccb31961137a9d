#pragma once

#include <functional>
#include <string>
#include <vector>

// Opening the display: the toolkit ends the program by an abort, after several lines of its
// own, when no display it tries can be opened. The guard turns that into one line that names
// the display and exit status 1.

namespace platform {

/// Reads an environment variable: its value, or "" when it is not set.
using EnvironmentLookup = std::function<std::string(const char*)>;

/// The one line that says which display could not be opened: plugins are the toolkit's
/// platform plugins that failed ("xcb", "wayland", ...), in the order it tried them; the X11
/// display comes from "-display" in args or DISPLAY, the Wayland one from WAYLAND_DISPLAY.
/// Names are shortened and their control characters shown escaped.
std::string displayFailureLine(const std::vector<std::string>& plugins,
                               const std::vector<std::string>& args,
                               const EnvironmentLookup& environment);

/// While it lives, the toolkit's messages are held back; a fatal one (the display could not
/// be opened) prints displayFailureLine to the standard error and exits with status 1. Made
/// just before the application object and let go just after it, when the held messages go
/// on to the handler before it.
class DisplayStartupGuard {
public:
    explicit DisplayStartupGuard(std::vector<std::string> args);
    ~DisplayStartupGuard();
    DisplayStartupGuard(const DisplayStartupGuard&) = delete;
    DisplayStartupGuard& operator=(const DisplayStartupGuard&) = delete;
};

} // namespace platform
