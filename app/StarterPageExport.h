#pragma once

#include "CommandLine.h"

#include <iosfwd>
#include <string_view>

namespace app {

/// Whether --export names a starter page: a file ending in ".html" or ".htm", any case.
bool isStarterPageName(std::string_view fileName);

/// Writes the request's scheme as the starter page (its roles in light and dark, titled by the
/// scheme read --from, else "Untitled scheme"): 0 written, 1 not written, 2 no scheme.
int exportStarterPage(const ExportRequest& request, std::ostream& err);

} // namespace app
