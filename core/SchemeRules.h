#pragma once

#include "Scheme.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace core {

/// One scheme rule by its two names: the window's and the word that files and the command line
/// use. Kept in one table so that a rule added or renamed reads the same everywhere.
struct SchemeRule {
    SchemeType type;
    /// As the rule options and the sheet show it.
    const char* caption;
    /// Lower case, as the command line takes it and documents store it.
    const char* word;
};

/// Every rule, by SchemeType.
inline constexpr std::array<SchemeRule, 5> kSchemeRules = {{
    {SchemeType::Complementary, "Complementary", "complementary"},
    {SchemeType::Analogous, "Analogous", "analogous"},
    {SchemeType::SplitComplementary, "Split Complementary", "split-complementary"},
    {SchemeType::Triad, "Triad", "triad"},
    {SchemeType::Monochromatic, "Monochromatic", "monochromatic"},
}};

/// The table's entry of a rule.
inline const SchemeRule& schemeRule(SchemeType type) {
    return kSchemeRules[static_cast<std::size_t>(type)];
}

/// The rule a word names, compared exactly; nothing for an unknown word.
std::optional<SchemeType> schemeTypeFromWord(std::string_view word);

} // namespace core
