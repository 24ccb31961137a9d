#include "TokensReader.h"

#include "JsonReader.h"
#include "core/PrintableText.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace paletteimport {

namespace {

/// How many aliases one token may follow before it is refused.
constexpr int kMaxAliasDepth = 32;
constexpr size_t kShownName = 40;
/// Longest token path kept: a deep nest of long group names would otherwise repeat them in
/// every token's name beneath it, far beyond the file's own size.
constexpr size_t kMaxPathBytes = 4096;

struct Token {
    std::string name;
    const JsonValue* value = nullptr;
    std::string_view type; ///< its own or its group's (text of the parsed file); empty for none
    size_t line = 0;
};

/// The token object's value member, or null when the object is a group.
const JsonValue* tokenValue(const JsonValue& object) {
    if (const JsonValue* value = object.find("$value"))
        return value;
    // the older shape: "value" holding a colour, where a group would hold objects
    const JsonValue* value = object.find("value");
    if (value != nullptr &&
        (value->isString() || (value->isObject() && value->find("colorSpace") != nullptr)))
        return value;
    return nullptr;
}

std::string_view typeOf(const JsonValue& object, std::string_view inherited) {
    for (const char* key : {"$type", "type"}) {
        const JsonValue* type = object.find(key);
        if (type != nullptr && type->isString())
            return type->text;
    }
    return inherited;
}

class TokenList {
public:
    std::vector<Token> tokens;
    std::unordered_map<std::string, size_t> byName;
    std::vector<size_t> tooLong; ///< the lines of tokens and groups whose path is too long

    void collect(const JsonValue& group, const std::string& path, std::string_view type) {
        for (const auto& [key, member] : group.members) {
            if (!member.isObject())
                continue;
            if (!key.empty() && key.front() == '$') {
                // a group's own token; the other "$" members are metadata
                if (key == "$root" && tokenValue(member) != nullptr)
                    add(path, member, type);
                continue;
            }
            std::string name = path;
            name += path.empty() ? "" : ".";
            name += key;
            if (name.size() > kMaxPathBytes)
                tooLong.push_back(member.line);
            else if (tokenValue(member) != nullptr)
                add(name, member, type);
            else
                collect(member, name, typeOf(member, type));
        }
    }

private:
    void add(const std::string& name, const JsonValue& object, std::string_view type) {
        const auto [found, added] = byName.emplace(name, tokens.size());
        Token token{name, tokenValue(object), typeOf(object, type), object.line};
        if (added)
            tokens.push_back(std::move(token));
        else
            tokens[found->second] = std::move(token);
    }
};

std::string numberText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

/// The CSS text of a colour object's space and components, or why there is none.
struct ObjectColor {
    core::CssParseResult read;
    bool approximate = false;
};

ObjectColor objectColor(const JsonValue& object) {
    static const std::pair<std::string_view, std::string_view> kSpaces[] = {
        {"srgb", "color(srgb "},
        {"srgb-linear", "color(srgb-linear "},
        {"display-p3", "color(display-p3 "},
        {"hsl", "hsl("},
        {"hwb", "hwb("},
        {"lab", "lab("},
        {"lch", "lch("},
        {"oklab", "oklab("},
        {"oklch", "oklch("}};
    const JsonValue* space = object.find("colorSpace");
    if (space == nullptr || !space->isString())
        return {{std::nullopt, "the colour has no \"colorSpace\""}};
    const auto known = std::find_if(std::begin(kSpaces), std::end(kSpaces),
                                    [space](const auto& s) { return s.first == space->text; });
    if (known == std::end(kSpaces)) {
        const JsonValue* hex = object.find("hex");
        if (hex == nullptr || !hex->isString())
            return {{std::nullopt, "the colour space " + core::quotedText(space->text) +
                                       " is not read and the colour has no \"hex\""}};
        return {core::parseCssColor(hex->text), true};
    }
    const JsonValue* components = object.find("components");
    if (components == nullptr || components->items.size() != 3)
        return {{std::nullopt, "the colour does not have three \"components\""}};
    std::string text(known->second);
    for (size_t k = 0; k < 3; ++k) {
        const JsonValue& c = components->items[k];
        if (c.isString() && c.text == "none")
            text += "none";
        else if (c.isNumber())
            text += numberText(c.number);
        else
            return {{std::nullopt, "a component is neither a number nor \"none\""}};
        text += k < 2 ? " " : "";
    }
    if (const JsonValue* alpha = object.find("alpha")) {
        if (!alpha->isNumber())
            return {{std::nullopt, "the \"alpha\" is not a number"}};
        text += " / " + numberText(alpha->number);
    }
    return {core::parseCssColor(text + ")")};
}

class Resolver {
public:
    explicit Resolver(const TokenList& list) : m_list(list) {}

    /// The colour of the index-th token, following its aliases.
    ObjectColor resolve(size_t index) {
        m_visiting.clear();
        m_visiting.push_back(index);
        return resolveValue(*m_list.tokens[index].value, 0);
    }

private:
    ObjectColor resolveValue(const JsonValue& value, int depth) {
        if (value.isObject())
            return objectColor(value);
        if (!value.isString())
            return {{std::nullopt, "the value is not a colour"}};
        const std::string_view text = trimmed(value.text);
        if (text.size() < 2 || text.front() != '{' || text.back() != '}')
            return {core::parseCssColor(text)};
        const std::string target(text.substr(1, text.size() - 2));
        if (depth >= kMaxAliasDepth)
            return {{std::nullopt,
                     "it refers on more than " + std::to_string(kMaxAliasDepth) + " times"}};
        const auto found = m_list.byName.find(target);
        if (found == m_list.byName.end())
            return {{std::nullopt, core::quotedText(value.text) + " names no token"}};
        if (std::find(m_visiting.begin(), m_visiting.end(), found->second) != m_visiting.end())
            return {{std::nullopt, core::quotedText(value.text) + " refers back to itself"}};
        m_visiting.push_back(found->second);
        return resolveValue(*m_list.tokens[found->second].value, depth + 1);
    }

    const TokenList& m_list;
    std::vector<size_t> m_visiting; ///< the tokens of the alias chain being followed
};

} // namespace

PaletteRead readDesignTokens(std::string_view bytes) {
    const JsonParse parsed = parseJson(bytes);
    if (!parsed.value)
        return failedRead(parsed.error + ".");
    if (!parsed.value->isObject())
        return failedRead("line 1: a design-tokens file is a JSON object.");
    TokenList list;
    // a flat file holds a token in each member: room for them at once, not grown one by one
    list.tokens.reserve(std::min(parsed.value->members.size(), kMaxPaletteColors + 1));
    list.byName.reserve(list.tokens.capacity());
    list.collect(*parsed.value, {}, typeOf(*parsed.value, {}));
    PaletteCollector collector;
    collector.reserve(list.tokens.size());
    for (const size_t line : list.tooLong)
        collector.skip("line " + std::to_string(line) + ": the name is longer than " +
                       std::to_string(kMaxPathBytes) + " bytes");
    Resolver resolver(list);
    for (size_t index = 0; index < list.tokens.size(); ++index) {
        if (collector.full())
            break;
        const Token& token = list.tokens[index];
        if (!token.type.empty() && token.type != "color")
            continue;
        const ObjectColor color = resolver.resolve(index);
        if (color.read.color) {
            core::PaletteColor entry = core::paletteColorOf(token.name, *color.read.color);
            entry.approximate = color.approximate;
            collector.add(std::move(entry));
        } else if (token.type == "color" || token.value->find("colorSpace") != nullptr ||
                   (token.value->isString() && looksLikeCssColor(trimmed(token.value->text)))) {
            collector.skip("line " + std::to_string(token.line) + ": " +
                           core::printableText(token.name, kShownName) + ": " + color.read.error);
        }
    }
    return collector.finish();
}

} // namespace paletteimport
