#include "Css.h"

#include "core/PrintableText.h"
#include "core/Text.h"

#include <algorithm>
#include <unordered_map>

namespace formats {

namespace {

/// How many references one value may follow before it is refused.
constexpr int kMaxReferenceDepth = 32;
/// Longest text a value's var() may make of it, and most bytes read making it.
constexpr size_t kMaxSubstitutedBytes = 4096;
/// How long a name is shown in a message.
constexpr size_t kShownName = 40;

bool isIdentChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || u >= 0x80;
}

bool startsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}

/// The index just past a string that starts at text[i] with its quote; a string ends at
/// its closing quote or, unclosed, at the line's end.
size_t pastString(std::string_view text, size_t i) {
    const char quote = text[i];
    size_t j = i + 1;
    while (j < text.size() && text[j] != quote && text[j] != '\n')
        j += text[j] == '\\' ? 2 : 1;
    return std::min(j + 1, text.size());
}

/// The text with every comment blanked out (line ends kept), so offsets and lines stay.
std::string withoutComments(std::string_view text, bool scss) {
    std::string out(text);
    const auto blank = [&out](size_t from, size_t to) {
        for (size_t k = from; k < to; ++k) {
            if (out[k] != '\n')
                out[k] = ' ';
        }
    };
    for (size_t i = 0; i < out.size();) {
        const char c = out[i];
        const char next = i + 1 < out.size() ? out[i + 1] : '\0';
        if (c == '"' || c == '\'') {
            i = pastString(out, i);
        } else if (c == '/' && next == '*') {
            const size_t end = out.find("*/", i + 2);
            const size_t stop = end == std::string::npos ? out.size() : end + 2;
            blank(i, stop);
            i = stop;
        } else if (scss && c == '/' && next == '/' && (i == 0 || out[i - 1] != ':')) {
            // "url(http://...)" holds no comment
            const size_t stop = std::min(out.find('\n', i), out.size());
            blank(i, stop);
            i = stop;
        } else {
            ++i;
        }
    }
    return out;
}

/// A piece of a style sheet between two of "{", "}" and ";", with the line it starts on.
struct Piece {
    std::string_view text;
    size_t line = 1;
    char end = '\0'; ///< the character that ends it; '\0' at the file's end
};

/// Calls take(piece) for each piece of comment-free text, in order. A ";" inside parentheses
/// does not end a piece; a brace always does, so one unclosed parenthesis cannot swallow the
/// rest of the file.
template <typename Take> void forEachPiece(std::string_view text, bool scss, Take take) {
    size_t line = 1;
    size_t begin = 0;
    size_t firstLine = 0; // 0 until the piece's first visible character
    int parentheses = 0;
    for (size_t i = 0; i <= text.size();) {
        const char c = i < text.size() ? text[i] : '\0';
        if (c == '\0' && i < text.size()) {
            ++i;
            continue;
        }
        if (c == '{' || c == '}' || c == '\0' || (c == ';' && parentheses == 0)) {
            take(Piece{text.substr(begin, i - begin), firstLine == 0 ? line : firstLine, c});
            begin = i + 1;
            firstLine = 0;
            if (c != ';')
                parentheses = 0;
            if (c == '\0')
                break;
            ++i;
            continue;
        }
        if (firstLine == 0 && c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f')
            firstLine = line;
        if (c == '\n') {
            ++line;
        } else if (c == '(') {
            ++parentheses;
        } else if (c == ')') {
            parentheses = std::max(0, parentheses - 1);
        } else if (c == '"' || c == '\'') {
            const size_t end = pastString(text, i);
            line += static_cast<size_t>(std::count(text.data() + i, text.data() + end, '\n'));
            i = end;
            continue;
        } else if (scss && c == '#' && i + 1 < text.size() && text[i + 1] == '{') {
            // an interpolation "#{...}" is part of the value
            const size_t close = text.find('}', i);
            const size_t end = close == std::string_view::npos ? text.size() : close + 1;
            line += static_cast<size_t>(std::count(text.data() + i, text.data() + end, '\n'));
            i = end;
            continue;
        }
        ++i;
    }
}

/// A value without its trailing "!important", "!default" or "!global" flags.
std::string_view withoutFlags(std::string_view value) {
    for (int k = 0; k < 3; ++k) {
        value = trimmed(value);
        const size_t bang = value.rfind('!');
        if (bang == std::string_view::npos)
            break;
        const std::string_view flag = trimmed(value.substr(bang + 1));
        if (flag.empty() || !std::all_of(flag.begin(), flag.end(), [](char c) {
                return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            }))
            break;
        value = value.substr(0, bang);
    }
    return trimmed(value);
}

struct Property {
    std::string name;        ///< the palette's name for it
    std::string_view source; ///< as the file writes it: "--color-1" or "$brand"
    std::string_view value;
    size_t line = 0;
};

/// The key a name is found by: Sass takes "-" and "_" in a variable's name as the same.
std::string keyOf(std::string_view source) {
    std::string key(source);
    if (!key.empty() && key.front() == '$')
        std::replace(key.begin(), key.end(), '_', '-');
    return key;
}

/// The part of text before its first comma outside parentheses, and the rest after it.
std::pair<std::string_view, std::string_view> splitAtComma(std::string_view text) {
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(')
            ++depth;
        else if (text[i] == ')')
            --depth;
        else if (text[i] == ',' && depth == 0)
            return {trimmed(text.substr(0, i)), trimmed(text.substr(i + 1))};
    }
    return {trimmed(text), {}};
}

/// The inside of "name(...)" when text is one call of that function (case-insensitive).
std::optional<std::string_view> callArguments(std::string_view text, std::string_view name) {
    if (text.size() < name.size() + 2 || core::lower(text.substr(0, name.size())) != name ||
        text[name.size()] != '(' || text.back() != ')')
        return std::nullopt;
    return text.substr(name.size() + 1, text.size() - name.size() - 2);
}

bool namedLikeColor(std::string_view name) {
    const std::string lower = core::lower(name);
    return lower.find("color") != std::string::npos || lower.find("colour") != std::string::npos;
}

/// Where a call "var(" starts in text at or after from (any case, not the tail of a longer
/// name), or npos.
size_t findVarCall(std::string_view text, size_t from) {
    for (size_t at = from; at + 4 <= text.size(); ++at) {
        if (text[at + 3] == '(' && core::lower(text.substr(at, 3)) == "var" &&
            (at == 0 || !isIdentChar(text[at - 1])))
            return at;
    }
    return std::string_view::npos;
}

/// The index of the ")" that closes the "(" at text[open], or npos.
size_t closingParenthesis(std::string_view text, size_t open) {
    int depth = 0;
    for (size_t i = open; i < text.size(); ++i) {
        if (text[i] == '(')
            ++depth;
        else if (text[i] == ')' && --depth == 0)
            return i;
    }
    return std::string_view::npos;
}

class Resolver {
public:
    Resolver(const std::vector<Property>& properties,
             const std::unordered_map<std::string, size_t>& index)
        : m_properties(properties), m_index(index) {}

    /// The colour of the index-th property, following references and putting in the var()
    /// inside its value; lastText is the last value tried that is not a reference.
    core::CssParseResult resolve(size_t index, std::string& lastText) {
        m_visiting.assign(1, index);
        m_inLoop = false;
        return resolveAt(m_properties[index].value, lastText, 0);
    }

    /// Whether the last value resolved ran into a loop of references.
    bool inLoop() const { return m_inLoop; }

private:
    static core::CssParseResult failure(std::string message) {
        return {std::nullopt, std::move(message)};
    }

    static std::string tooDeep() {
        return "it refers on more than " + std::to_string(kMaxReferenceDepth) + " times";
    }

    /// Why reference (which names property) cannot be followed when it is already on the way,
    /// or "" when it is not: it names the properties the loop runs through.
    std::string loopAt(std::string_view reference, size_t property) {
        const auto on = std::find(m_visiting.begin(), m_visiting.end(), property);
        if (on == m_visiting.end())
            return {};
        m_inLoop = true;
        std::string through;
        for (auto it = on + 1; it != m_visiting.end(); ++it)
            through += (through.empty() ? "" : ", ") + std::string(m_properties[*it].source);
        return core::printableText(reference, kShownName) + " refers to itself" +
               (through.empty() ? "" : " through " + core::printableText(through, kShownName));
    }

    core::CssParseResult follow(std::string_view reference, std::string_view fallback,
                                std::string& lastText, int depth) {
        const auto found = m_index.find(keyOf(reference));
        if (found == m_index.end()) {
            if (!fallback.empty())
                return resolveAt(fallback, lastText, depth + 1);
            return failure(core::printableText(reference, kShownName) + " is not set in the file");
        }
        if (std::string loop = loopAt(reference, found->second); !loop.empty())
            return failure(std::move(loop));
        m_visiting.push_back(found->second);
        return resolveAt(m_properties[found->second].value, lastText, depth + 1);
    }

    /// Appends value to out with each var() in it replaced by the property's value (or the
    /// fallback), itself with its var() put in; "" or why it cannot be done.
    std::string substitute(std::string_view value, std::string& out, int depth) {
        if (depth > kMaxReferenceDepth)
            return tooDeep();
        // every byte read counts, so that references fanning out cannot multiply the work
        m_substituted += value.size();
        if (m_substituted > kMaxSubstitutedBytes)
            return "with its var() put in it is longer than " +
                   std::to_string(kMaxSubstitutedBytes) + " bytes";
        for (size_t at = 0;;) {
            const size_t call = findVarCall(value, at);
            out += value.substr(at, call == std::string_view::npos ? call : call - at);
            if (call == std::string_view::npos)
                return {};
            const size_t close = closingParenthesis(value, call + 3);
            if (close == std::string_view::npos)
                return "a var( is not closed";
            const std::string_view inside = value.substr(call + 4, close - call - 4);
            const size_t comma = inside.find(',');
            const std::string_view reference = trimmed(inside.substr(0, comma));
            const auto found = m_index.find(keyOf(reference));
            std::string error;
            if (found != m_index.end()) {
                error = loopAt(reference, found->second);
                if (!error.empty())
                    return error;
                m_visiting.push_back(found->second);
                error = substitute(m_properties[found->second].value, out, depth + 1);
                m_visiting.pop_back();
            } else if (comma != std::string_view::npos) {
                error = substitute(trimmed(inside.substr(comma + 1)), out, depth + 1);
            } else {
                error = core::printableText(reference, kShownName) + " is not set in the file";
            }
            if (!error.empty())
                return error;
            at = close + 1;
        }
    }

    core::CssParseResult resolveAt(std::string_view value, std::string& lastText, int depth) {
        if (depth > kMaxReferenceDepth)
            return failure(tooDeep());
        value = trimmed(value);
        if (const auto inside = callArguments(value, "var")) {
            const auto [reference, fallback] = splitAtComma(*inside);
            return follow(reference, fallback, lastText, depth);
        }
        if (value.size() > 1 && value.front() == '$' &&
            std::all_of(value.begin() + 1, value.end(), isIdentChar))
            return follow(value, {}, lastText, depth);
        if (const auto inside = callArguments(value, "light-dark")) {
            lastText = std::string(value);
            return resolveAt(splitAtComma(*inside).first, lastText, depth + 1);
        }
        lastText = std::string(value);
        if (findVarCall(value, 0) == std::string_view::npos)
            return core::parseCssColor(value);
        // a var() inside a colour ("oklch(60% 0.1 var(--hue))") stands for its value's text
        m_substituted = 0;
        std::string substituted;
        if (std::string error = substitute(value, substituted, depth); !error.empty())
            return failure(std::move(error));
        lastText = substituted;
        return core::parseCssColor(substituted);
    }

    const std::vector<Property>& m_properties;
    const std::unordered_map<std::string, size_t>& m_index;
    std::vector<size_t> m_visiting; ///< the properties of the reference chain being followed
    bool m_inLoop = false;
    size_t m_substituted = 0; ///< bytes read while putting in one value's var()
};

} // namespace

PaletteRead readCssProperties(std::string_view bytes, bool scss) {
    const std::string text = withoutComments(withoutBom(bytes), scss);
    std::vector<Property> properties;
    std::unordered_map<std::string, size_t> index;
    std::vector<bool> themes; // for each open block: whether it is a Tailwind "@theme"
    size_t openThemes = 0;
    const auto declare = [&](std::string_view piece, size_t line) {
        piece = trimmed(piece);
        const size_t prefix = startsWith(piece, "--") ? 2 : startsWith(piece, "$") ? 1 : 0;
        if (prefix == 0)
            return;
        size_t end = prefix;
        while (end < piece.size() && isIdentChar(piece[end]))
            ++end;
        const std::string_view source = piece.substr(0, end);
        const std::string_view rest = trimmed(piece.substr(end));
        if (end == prefix || rest.empty() || rest.front() != ':')
            return;
        std::string name(source.substr(prefix));
        if (openThemes > 0 && prefix == 2) {
            // the theme's other namespaces (fonts, spacing, ...) hold no colours
            if (!startsWith(source, "--color-") || source.size() == 8)
                return;
            name = name.substr(6);
        }
        const Property property{name, source, withoutFlags(rest.substr(1)), line};
        const auto [found, added] = index.emplace(keyOf(source), properties.size());
        if (added) {
            properties.push_back(property);
        } else {
            // the later value wins, as in the cascade; the name keeps its first place
            properties[found->second].value = property.value;
            properties[found->second].line = line;
        }
    };
    forEachPiece(text, scss, [&](const Piece& piece) {
        if (piece.end == '{') {
            const bool theme = startsWith(trimmed(piece.text), "@theme");
            themes.push_back(theme);
            openThemes += theme ? 1 : 0;
            return;
        }
        declare(piece.text, piece.line);
        if (piece.end == '}' && !themes.empty()) {
            openThemes -= themes.back() ? 1 : 0;
            themes.pop_back();
        }
    });
    PaletteCollector collector;
    Resolver resolver(properties, index);
    for (size_t k = 0; k < properties.size() && !collector.full(); ++k) {
        const Property& p = properties[k];
        std::string lastText;
        const core::CssParseResult read = resolver.resolve(k, lastText);
        if (read.color)
            collector.add(core::paletteColorOf(p.name, *read.color));
        else if (resolver.inLoop() || namedLikeColor(p.source) || looksLikeCssColor(lastText))
            collector.skip("line " + std::to_string(p.line) + ": " +
                           core::printableText(p.source, kShownName) + ": " + read.error);
    }
    return collector.finish();
}

namespace {

/// A role in the oklch file: its hex, then its oklch(), as the file writes every colour.
std::vector<std::string> oklchRoleValues(const RoleProperty& role, bool dark) {
    const core::ColorRGB c = dark ? role.dark : role.light;
    return {core::hexText(c), core::oklchText(c)};
}

/// The light roles on :root, after the swatches: the page follows the reader's setting.
std::string rootRoleLines(const FilePalette& palette, const RoleValues& valuesOf,
                          bool colorScheme) {
    if (palette.roles.empty())
        return {};
    return (colorScheme ? "  color-scheme: light dark;\n" : "") +
           roleLines(palette.roles, false, valuesOf, {}, "  ");
}

} // namespace

std::string cssText(const FilePalette& palette) {
    std::string text = ":root {\n";
    for (const Swatch& s : palette.swatches)
        text += "  --" + s.name + ": " + core::hexText(s.rgb) + ";\n";
    text += rootRoleLines(palette, hexRoleValues, true);
    return text + "}\n" + roleThemeRules(palette.roles, hexRoleValues, {}, {}, true) +
           wideGamutRuleWithRoles(wideDeclarations(palette.swatches, {}, false), palette.roles, {});
}

std::string oklchCssText(const FilePalette& palette) {
    std::string text = ":root {\n";
    for (const Swatch& s : palette.swatches) {
        const std::string property = "  --" + s.name + ": ";
        text += property + core::hexText(s.rgb) + ";\n";
        text += property + oklchOf(s) + ";\n";
    }
    text += rootRoleLines(palette, oklchRoleValues, true);
    return text + "}\n" + roleThemeRules(palette.roles, oklchRoleValues, {}, {}, true) +
           wideGamutRuleWithRoles(wideDeclarations(palette.swatches, {}, true), palette.roles, {});
}

std::string scssText(const FilePalette& palette) {
    // a display-p3 value goes in a comment: a variable holds one value, the one every browser
    // reads, and a second variable would be a colour of its own to a reader
    std::string text;
    for (const Swatch& s : palette.swatches)
        text += "$" + s.name + ": " + core::hexText(s.rgb) + ";" +
                (s.wide.empty() ? "" : " // " + s.wide) + "\n";
    // Sass has no theme of its own: the light roles under their CSS names, the dark ones
    // with "-dark" after them, for the reader's own dark rules
    for (const bool dark : {false, true}) {
        for (const RoleProperty& role : palette.roles) {
            const std::string wide = wideGamutText(dark ? role.darkExact : role.lightExact);
            text += "$" + role.name + (dark ? "-dark: " : ": ") +
                    core::hexText(dark ? role.dark : role.light) + ";" +
                    (wide.empty() ? "" : " // " + wide) + "\n";
        }
    }
    return text;
}

std::string cssRampsText(const FilePalette& palette) {
    std::string text = palette.preface + ":root {\n  color-scheme: light dark;\n";
    // the same pair with a side's display-p3 text where it has one
    std::vector<std::string> wide;
    for (const Swatch& s : palette.swatches) {
        const core::ColorRGB dark = s.dark.value_or(s.rgb);
        text += "  --" + s.name + ": light-dark(" + core::hexText(s.rgb) + ", " +
                core::hexText(dark) + ");\n";
        if (!s.wide.empty() || !s.darkWide.empty())
            wide.push_back("--" + s.name + ": light-dark(" +
                           (s.wide.empty() ? core::hexText(s.rgb) : s.wide) + ", " +
                           (s.darkWide.empty() ? core::hexText(dark) : s.darkWide) + ");");
    }
    text += rootRoleLines(palette, hexRoleValues, false);
    return text + "}\n" + roleThemeRules(palette.roles, hexRoleValues, {}, {}, true) +
           wideGamutRuleWithRoles(wide, palette.roles, {});
}

std::string cssText(const SchemeColors& colors, const ExportOptions& options) {
    return cssText(schemeStyleSheet(colors, options));
}

std::string oklchCssText(const SchemeColors& colors, const ExportOptions& options) {
    return oklchCssText(schemeStyleSheet(colors, options));
}

std::string scssText(const SchemeColors& colors, const ExportOptions& options) {
    return scssText(schemeStyleSheet(colors, options));
}

FilePalette schemeRamps(const SchemeColors& colors, const ExportOptions& options) {
    const colorscience::DesignSystem system = designSystemOf(colors, options.exact);
    FilePalette file;
    file.preface =
        "/* The scheme's colours and their tonal ramps for light and dark mode. Each value is\n"
        "   light-dark(light, dark); color-scheme lets the reader's setting choose.\n"
        "   Dark mode: a ramp step takes the mirrored step of its ramp (50 and 950, 100 and 900,\n"
        "   ... 400 and 600 swap; 500 stays), so --neutral-50 is the dark background (neutral\n"
        "   950) and a pair that reads in light mode still reads. A colour takes its dark twin:\n"
        "   the same OKLCH hue and chroma at the lightness whose contrast on that background is\n"
        "   nearest the contrast the colour has on white.\n"
        "*/\n";
    for (size_t i = 0; i < colors.size(); ++i) {
        const core::ColorRGB c = core::splitColor(colors[i]);
        const core::ColorRGB dark = i < system.twins.size() ? system.twins[i].color : c;
        file.swatches.push_back({colorName(i), c, {}, false, wideTextOf(options, i)});
        file.swatches.back().dark = dark;
    }
    for (size_t r = 0; r < system.ramps.size(); ++r) {
        const auto& steps = system.ramps[r].steps;
        for (size_t s = 0; s < steps.size(); ++s) {
            const size_t mirror = steps.size() - 1 - s;
            Swatch step{
                stepName(system, r, s), steps.at(s).color, {}, false, wideTextOf(system, r, s)};
            step.dark = steps.at(mirror).color;
            step.darkWide = wideTextOf(system, r, mirror);
            file.swatches.push_back(std::move(step));
        }
    }
    file.roles = schemeRoleProperties(colors, options);
    return file;
}

std::string cssRampsText(const SchemeColors& colors, const ExportOptions& options) {
    return cssRampsText(schemeRamps(colors, options));
}

} // namespace formats
