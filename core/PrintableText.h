#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text from the user or the system shown in a one-line message: never longer than a line,
// never a line break, never a command to the terminal.

namespace core {

/// Characters quotedText shows of a text before it cuts it.
constexpr size_t kQuotedLength = 60;

/// text with its control characters (C0, DEL, C1) and bytes that are not UTF-8 shown escaped
/// (\n, \t, \r, \e, \x07, \u009B, \xE9), cut with "..." after longest characters, an escape
/// counting as its length.
std::string printableText(std::string_view text, size_t longest = std::string_view::npos);

/// 'text' for a one-line message: printableText cut after kQuotedLength characters.
std::string quotedText(std::string_view text);

} // namespace core
