#pragma once

#include "formats/FormatTable.h"

#include <string>

class QString;

namespace document {

/// Writes the scheme's colours in format (with what options add) to path as one whole, as
/// the colours file is written: on failure an earlier file stays as it was and reason (when
/// given) says why. A design-tokens file holds schemeState, when given (see designTokensText).
bool writePaletteFile(const QString& path, formats::Format format,
                      const formats::SchemeColors& colors, std::string* reason,
                      const formats::ExportOptions& options = {},
                      std::string_view schemeState = {});

/// Writes bytes to path as writePaletteFile does.
bool writeBytesFile(const QString& path, const std::vector<uint8_t>& bytes, std::string* reason);

} // namespace document
