#include "Tokens.h"

#include "Json.h"
#include "core/PrintableText.h"
#include "core/Text.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <unordered_map>

namespace formats {

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

std::string tokenNameOf(std::string_view name) {
    std::u32string codes = core::codePointsOf(name);
    for (size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == '{' || codes[i] == '}' || codes[i] == '.' || (i == 0 && codes[i] == '$'))
            codes[i] = '-';
    }
    return core::utf8Of(codes);
}

std::string tokenComponent(int channel) {
    // the shortest text that reads back as the same double keeps every 8-bit level exact
    // for any reader that multiplies by 255 and rounds
    char buffer[32];
    const double value = channel / 255.0;
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

namespace {

std::string lowerHex(core::ColorRGB c) {
    return core::lower(core::hexText(c));
}

/// The members of a JSON object, one a line, separated by commas.
std::string joinMembers(const std::vector<std::string>& members) {
    std::string text;
    for (size_t i = 0; i < members.size(); ++i)
        text += members[i] + (i + 1 < members.size() ? ",\n" : "\n");
    return text;
}

/// A name as JSON string content: quotes, backslashes and control characters escaped.
std::string jsonEscaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

/// One colour token "name": {...} with its lines indented by indent, no line end after its
/// closing brace.
std::string tokenText(const Swatch& s, const std::string& indent) {
    const std::string head = indent + "\"" + jsonEscaped(s.name) + "\": {\n";
    if (s.oklchToken && s.own) {
        const core::Oklch& lch = *s.own;
        return head + indent + "  \"$type\": \"color\",\n" + indent + "  \"$value\": {\n" + indent +
               "    \"colorSpace\": \"oklch\",\n" + indent + "    \"components\": [" +
               numberText(lch.L) + ", " + numberText(lch.C) + ", " + numberText(lch.h) + "],\n" +
               indent + "    \"hex\": \"" + lowerHex(s.rgb) + "\"\n" + indent + "  }\n" + indent +
               "}";
    }
    // an 8-bit colour of a palette is itself: no display-p3 value to add
    const std::string wide = s.own ? std::string() : s.wide;
    const core::ColorRGB c = s.rgb;
    std::string text = head;
    text += indent + "  \"$type\": \"color\",\n";
    text += indent + "  \"$value\": {\n";
    text += indent + "    \"colorSpace\": \"srgb\",\n";
    text += indent + "    \"components\": [" + tokenComponent(c.r) + ", " + tokenComponent(c.g) +
            ", " + tokenComponent(c.b) + "],\n";
    text += indent + "    \"hex\": \"" + lowerHex(c) + "\"\n";
    text += indent + "  },\n";
    // readers that know only sRGB tokens skip "$extensions"; the text is plain ASCII, so it
    // needs no escaping
    text += indent + "  \"$extensions\": {\n";
    text += indent + "    \"" + std::string(kTokenExtensionKey) + "\": {\n";
    text += indent + "      \"oklch\": \"" + core::oklchText(c) + (wide.empty() ? "\"\n" : "\",\n");
    if (!wide.empty())
        text += indent + "      \"display-p3\": \"" + wide + "\"\n";
    text += indent + "    }\n";
    text += indent + "  }\n";
    return text + indent + "}";
}

/// The part of a section ("ramp/color-1") at depth (0 for "ramp"), or "" beyond its end.
std::string_view sectionPart(std::string_view section, size_t depth) {
    for (size_t k = 0; k < depth && !section.empty(); ++k) {
        const size_t slash = section.find('/');
        section = slash == std::string_view::npos ? std::string_view() : section.substr(slash + 1);
    }
    return section.substr(0, section.find('/'));
}

/// The members at depth of the swatches [begin, end), which share their sections' first
/// depth parts: a token for each swatch that ends there, a group for each run of the others.
std::vector<std::string> tokenMembers(const FilePalette& palette, size_t begin, size_t end,
                                      size_t depth) {
    const std::string indent(2 * (depth + 1), ' ');
    std::vector<std::string> members;
    for (size_t i = begin; i < end;) {
        const std::string& section = palette.swatches[i].section;
        const std::string_view part = sectionPart(section, depth);
        if (part.empty()) {
            members.push_back(tokenText(palette.swatches[i++], indent));
            continue;
        }
        size_t j = i + 1;
        while (j < end && sectionPart(palette.swatches[j].section, depth) == part)
            ++j;
        std::vector<std::string> inside = tokenMembers(palette, i, j, depth + 1);
        const std::string path(
            section.substr(0, static_cast<size_t>(part.data() + part.size() - section.data())));
        const auto description = palette.descriptions.find(path);
        if (description != palette.descriptions.end())
            inside.insert(inside.begin(),
                          indent + "  \"$description\": \"" + description->second + "\"");
        std::string group = indent + "\"" + jsonEscaped(part) + "\": {\n";
        group += joinMembers(inside);
        members.push_back(group + indent + "}");
        i = j;
    }
    return members;
}

} // namespace

std::string designTokensText(const FilePalette& palette) {
    std::vector<std::string> top = tokenMembers(palette, 0, palette.swatches.size(), 0);
    // the state last, where a reader of the tokens looks least
    if (!palette.schemeState.empty())
        top.push_back("  \"$extensions\": {\"" + std::string(kTokenExtensionKey) +
                      "\": {\"scheme\": " + palette.schemeState + "}}");
    return "{\n" + joinMembers(top) + "}\n";
}

FilePalette schemeTokens(const SchemeColors& colors, const ExportOptions& options,
                         std::string_view schemeState) {
    // The scheme's colours are tokens at the top, where build tools and readers of the files
    // written before the ramps find them (color-1 builds as --color-1); a token cannot also
    // be a group, so the ramps are groups of their own under "ramp" (ramp.color-1.50 ..
    // ramp.neutral.950) and the twins under "dark".
    const colorscience::DesignSystem system = designSystemOf(colors, options.exact);
    FilePalette file;
    file.schemeState = std::string(schemeState);
    file.descriptions = {{"ramp", "Tonal ramps 50 (lightest) to 950 of each colour and of a "
                                  "neutral tinted with the base colour's hue"},
                         {"dark", "Each colour's dark twin: its OKLCH hue and chroma at the "
                                  "lightness whose contrast on ramp.neutral.950 is nearest the "
                                  "colour's contrast on white"}};
    for (size_t i = 0; i < colors.size(); ++i)
        file.swatches.push_back(
            {colorName(i), core::splitColor(colors[i]), {}, false, wideTextOf(options, i)});
    for (size_t r = 0; r < system.ramps.size(); ++r) {
        for (size_t s = 0; s < colorscience::kRampSize; ++s) {
            const colorscience::RampStep& step = system.ramps[r].steps.at(s);
            Swatch swatch{
                std::to_string(step.step), step.color, {}, false, wideTextOf(system, r, s)};
            swatch.section = "ramp/" + colorscience::rampName(r, system.colors.size());
            file.swatches.push_back(std::move(swatch));
        }
    }
    for (size_t i = 0; options.dark && i < system.twins.size(); ++i) {
        file.swatches.push_back({colorName(i), system.twins[i].color});
        file.swatches.back().section = "dark";
    }
    // the roles after everything the files held before, so no earlier token moves
    const std::vector<RoleProperty> roles = schemeRoleProperties(colors, options);
    for (const bool dark : {false, true}) {
        for (size_t k = 0; k < roles.size(); ++k) {
            const RoleProperty& role = roles[k];
            Swatch swatch{colorscience::roleTable().at(k).tokenName,
                          dark ? role.dark : role.light,
                          {},
                          false,
                          wideGamutText(dark ? role.darkExact : role.lightExact)};
            swatch.section = dark ? "roles/dark" : "roles/light";
            file.swatches.push_back(std::move(swatch));
        }
    }
    if (!roles.empty())
        file.descriptions["roles"] = "The colours a web page paints in each role (background, "
                                     "text, primary, ...), for a light and a dark page";
    return file;
}

std::string designTokensText(const SchemeColors& colors, const ExportOptions& options,
                             std::string_view schemeState) {
    return designTokensText(schemeTokens(colors, options, schemeState));
}

} // namespace formats
