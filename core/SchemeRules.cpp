#include "SchemeRules.h"

namespace core {

namespace {

constexpr bool inTypeOrder() {
    for (std::size_t i = 0; i < kSchemeRules.size(); ++i) {
        if (static_cast<std::size_t>(kSchemeRules[i].type) != i)
            return false;
    }
    return true;
}
static_assert(inTypeOrder(), "kSchemeRules is indexed by SchemeType");

} // namespace

std::optional<SchemeType> schemeTypeFromWord(std::string_view word) {
    for (const SchemeRule& rule : kSchemeRules) {
        if (word == rule.word)
            return rule.type;
    }
    return std::nullopt;
}

} // namespace core
