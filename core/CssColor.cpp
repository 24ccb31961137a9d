#include "CssColor.h"

#include "PrintableText.h"
#include "Text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <utility>
#include <vector>

namespace core {

namespace {

struct Named {
    const char* name;
    uint32_t rrggbb;
};

// sorted by name, for the binary search in namedCssColor
constexpr std::array<Named, 148> kNamed = {{
    {"aliceblue", 0xF0F8FF},
    {"antiquewhite", 0xFAEBD7},
    {"aqua", 0x00FFFF},
    {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF},
    {"beige", 0xF5F5DC},
    {"bisque", 0xFFE4C4},
    {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD},
    {"blue", 0x0000FF},
    {"blueviolet", 0x8A2BE2},
    {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887},
    {"cadetblue", 0x5F9EA0},
    {"chartreuse", 0x7FFF00},
    {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50},
    {"cornflowerblue", 0x6495ED},
    {"cornsilk", 0xFFF8DC},
    {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF},
    {"darkblue", 0x00008B},
    {"darkcyan", 0x008B8B},
    {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9},
    {"darkgreen", 0x006400},
    {"darkgrey", 0xA9A9A9},
    {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B},
    {"darkolivegreen", 0x556B2F},
    {"darkorange", 0xFF8C00},
    {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000},
    {"darksalmon", 0xE9967A},
    {"darkseagreen", 0x8FBC8F},
    {"darkslateblue", 0x483D8B},
    {"darkslategray", 0x2F4F4F},
    {"darkslategrey", 0x2F4F4F},
    {"darkturquoise", 0x00CED1},
    {"darkviolet", 0x9400D3},
    {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF},
    {"dimgray", 0x696969},
    {"dimgrey", 0x696969},
    {"dodgerblue", 0x1E90FF},
    {"firebrick", 0xB22222},
    {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22},
    {"fuchsia", 0xFF00FF},
    {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xF8F8FF},
    {"gold", 0xFFD700},
    {"goldenrod", 0xDAA520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xADFF2F},
    {"grey", 0x808080},
    {"honeydew", 0xF0FFF0},
    {"hotpink", 0xFF69B4},
    {"indianred", 0xCD5C5C},
    {"indigo", 0x4B0082},
    {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C},
    {"lavender", 0xE6E6FA},
    {"lavenderblush", 0xFFF0F5},
    {"lawngreen", 0x7CFC00},
    {"lemonchiffon", 0xFFFACD},
    {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080},
    {"lightcyan", 0xE0FFFF},
    {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightgray", 0xD3D3D3},
    {"lightgreen", 0x90EE90},
    {"lightgrey", 0xD3D3D3},
    {"lightpink", 0xFFB6C1},
    {"lightsalmon", 0xFFA07A},
    {"lightseagreen", 0x20B2AA},
    {"lightskyblue", 0x87CEFA},
    {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xB0C4DE},
    {"lightyellow", 0xFFFFE0},
    {"lime", 0x00FF00},
    {"limegreen", 0x32CD32},
    {"linen", 0xFAF0E6},
    {"magenta", 0xFF00FF},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66CDAA},
    {"mediumblue", 0x0000CD},
    {"mediumorchid", 0xBA55D3},
    {"mediumpurple", 0x9370DB},
    {"mediumseagreen", 0x3CB371},
    {"mediumslateblue", 0x7B68EE},
    {"mediumspringgreen", 0x00FA9A},
    {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1},
    {"moccasin", 0xFFE4B5},
    {"navajowhite", 0xFFDEAD},
    {"navy", 0x000080},
    {"oldlace", 0xFDF5E6},
    {"olive", 0x808000},
    {"olivedrab", 0x6B8E23},
    {"orange", 0xFFA500},
    {"orangered", 0xFF4500},
    {"orchid", 0xDA70D6},
    {"palegoldenrod", 0xEEE8AA},
    {"palegreen", 0x98FB98},
    {"paleturquoise", 0xAFEEEE},
    {"palevioletred", 0xDB7093},
    {"papayawhip", 0xFFEFD5},
    {"peachpuff", 0xFFDAB9},
    {"peru", 0xCD853F},
    {"pink", 0xFFC0CB},
    {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6},
    {"purple", 0x800080},
    {"rebeccapurple", 0x663399},
    {"red", 0xFF0000},
    {"rosybrown", 0xBC8F8F},
    {"royalblue", 0x4169E1},
    {"saddlebrown", 0x8B4513},
    {"salmon", 0xFA8072},
    {"sandybrown", 0xF4A460},
    {"seagreen", 0x2E8B57},
    {"seashell", 0xFFF5EE},
    {"sienna", 0xA0522D},
    {"silver", 0xC0C0C0},
    {"skyblue", 0x87CEEB},
    {"slateblue", 0x6A5ACD},
    {"slategray", 0x708090},
    {"slategrey", 0x708090},
    {"snow", 0xFFFAFA},
    {"springgreen", 0x00FF7F},
    {"steelblue", 0x4682B4},
    {"tan", 0xD2B48C},
    {"teal", 0x008080},
    {"thistle", 0xD8BFD8},
    {"tomato", 0xFF6347},
    {"turquoise", 0x40E0D0},
    {"violet", 0xEE82EE},
    {"wheat", 0xF5DEB3},
    {"white", 0xFFFFFF},
    {"whitesmoke", 0xF5F5F5},
    {"yellow", 0xFFFF00},
    {"yellowgreen", 0x9ACD32},
}};

ColorRGB rgbOf(uint32_t rrggbb) {
    return {static_cast<uint8_t>(rrggbb >> 16), static_cast<uint8_t>((rrggbb >> 8) & 0xFF),
            static_cast<uint8_t>(rrggbb & 0xFF)};
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || c == '-' || c == '_';
}

int hexDigit(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

CssParseResult failure(std::string message) {
    return {std::nullopt, std::move(message)};
}

/// Quotes the user's text in a message, shortened when it is long and never cut inside a
/// character; a control character shows as its escape, so the message stays one line.
std::string quoted(std::string_view text) {
    constexpr size_t kLongest = 24;
    return "\"" + printableText(text, kLongest) + "\"";
}

CssParseResult fromSrgb(const Srgb& srgb, double alpha, bool hadAlpha) {
    CssColor c;
    c.srgb = srgb;
    c.linear = toLinear(srgb);
    c.oklab = oklabOf(c.linear);
    c.alpha = std::clamp(alpha, 0.0, 1.0);
    c.hadAlpha = hadAlpha;
    c.outOfGamut = !inSrgbGamut(c.linear);
    return {c, {}};
}

CssParseResult fromLinear(const LinearRgb& linear, double alpha, bool hadAlpha) {
    CssColor c;
    c.linear = linear;
    c.srgb = toEncoded(linear);
    c.oklab = oklabOf(linear);
    c.alpha = std::clamp(alpha, 0.0, 1.0);
    c.hadAlpha = hadAlpha;
    c.outOfGamut = !inSrgbGamut(linear);
    return {c, {}};
}

CssParseResult fromOklab(const Oklab& lab, double alpha, bool hadAlpha) {
    CssParseResult result = fromLinear(linearOf(lab), alpha, hadAlpha);
    result.color->oklab = lab;
    return result;
}

CssParseResult parseHex(std::string_view digits) {
    const size_t n = digits.size();
    if (n != 3 && n != 4 && n != 6 && n != 8)
        return failure("a hex colour has 3, 4, 6 or 8 digits, not " + std::to_string(n));
    std::array<int, 4> channel{0, 0, 0, 255};
    const size_t perChannel = n <= 4 ? 1 : 2;
    for (size_t i = 0; i < n / perChannel; ++i) {
        int value = 0;
        for (size_t k = 0; k < perChannel; ++k) {
            const int d = hexDigit(digits[i * perChannel + k]);
            if (d < 0)
                return failure(quoted(digits.substr(i * perChannel + k, 1)) +
                               " is not a hex digit (0-9, A-F)");
            value = value * 16 + d;
        }
        channel[i] = perChannel == 1 ? value * 17 : value;
    }
    const ColorRGB c{static_cast<uint8_t>(channel[0]), static_cast<uint8_t>(channel[1]),
                     static_cast<uint8_t>(channel[2])};
    return fromSrgb({c.r / 255.0, c.g / 255.0, c.b / 255.0}, channel[3] / 255.0, n == 4 || n == 8);
}

// ---- the arguments of a colour function

enum class Kind { Number, Percent, Angle, None };

struct Arg {
    Kind kind = Kind::Number;
    double value = 0;      ///< angles in degrees
    std::string_view text; ///< as typed, with its unit or "%"
};

// Components that no conversion clamps (lab's and oklab's a, b and chroma, color()'s
// channels) are refused beyond this magnitude as typed: far past every colour a screen or
// an eye knows (lab's chroma stays below about 230), and far below where cubing them on the
// way to sRGB leaves the numbers
constexpr double kLargestComponent = 1e6;

/// The first of the values beyond kLargestComponent, or none.
const Arg* tooLarge(std::initializer_list<const Arg*> values) {
    for (const Arg* a : values) {
        if (a->kind != Kind::None && std::fabs(a->value) > kLargestComponent)
            return a;
    }
    return nullptr;
}

struct Args {
    std::vector<Arg> values;
    std::optional<Arg> alpha;
    bool commas = false;
};

struct ArgsResult {
    Args args;
    std::string error;
};

/// Degrees per unit of a CSS angle, or 0 for an unknown unit.
double degreesPer(std::string_view unit) {
    if (unit == "deg")
        return 1.0;
    if (unit == "rad")
        return 180.0 / 3.14159265358979323846;
    if (unit == "grad")
        return 0.9;
    if (unit == "turn")
        return 360.0;
    return 0.0;
}

/// Reads a CSS number at text[i], moving i past it; false when there is none.
bool readNumber(std::string_view text, size_t& i, double& value) {
    const size_t start = i;
    size_t j = i;
    if (j < text.size() && (text[j] == '+' || text[j] == '-'))
        ++j;
    size_t digits = 0;
    while (j < text.size() && isDigit(text[j])) {
        ++j;
        ++digits;
    }
    if (j + 1 < text.size() && text[j] == '.' && isDigit(text[j + 1])) {
        ++j;
        while (j < text.size() && isDigit(text[j])) {
            ++j;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    // an exponent only where digits follow it, so "1e" stays a number with a unit "e"
    if (j < text.size() && text[j] == 'e') {
        size_t k = j + 1;
        if (k < text.size() && (text[k] == '+' || text[k] == '-'))
            ++k;
        if (k < text.size() && isDigit(text[k])) {
            while (k < text.size() && isDigit(text[k]))
                ++k;
            j = k;
        }
    }
    const std::string number(text.substr(start, j - start));
    value = std::strtod(number.c_str(), nullptr);
    i = j;
    return true;
}

ArgsResult readArgs(std::string_view text) {
    ArgsResult result;
    std::vector<Arg> items;
    std::vector<char> separators; // ',' or '/' before each item, ' ' for none
    char pending = ' ';
    size_t i = 0;
    auto fail = [&](std::string message) {
        result.error = std::move(message);
        return result;
    };
    while (i < text.size()) {
        const char c = text[i];
        if (isSpace(c)) {
            ++i;
            continue;
        }
        if (c == ',' || c == '/') {
            if (pending != ' ' || items.empty())
                return fail(std::string("unexpected \"") + c + "\"");
            pending = c;
            ++i;
            continue;
        }
        Arg arg;
        if (isLetter(c) && c != '-') {
            size_t j = i;
            while (j < text.size() && isLetter(text[j]))
                ++j;
            const std::string_view word = text.substr(i, j - i);
            if (word != "none")
                return fail(quoted(word) + " is not a number");
            arg.kind = Kind::None;
            i = j;
        } else {
            double value = 0;
            size_t j = i;
            if (!readNumber(text, j, value)) {
                size_t end = i;
                while (end < text.size() && !isSpace(text[end]) && text[end] != ',' &&
                       text[end] != '/')
                    ++end;
                return fail(quoted(text.substr(i, std::max<size_t>(1, end - i))) +
                            " is not a number");
            }
            if (!std::isfinite(value))
                return fail(quoted(text.substr(i, j - i)) + " is too large");
            arg.value = value;
            if (j < text.size() && text[j] == '%') {
                arg.kind = Kind::Percent;
                ++j;
            } else if (j < text.size() && isLetter(text[j])) {
                size_t k = j;
                while (k < text.size() && isLetter(text[k]))
                    ++k;
                const std::string_view unit = text.substr(j, k - j);
                const double per = degreesPer(unit);
                if (per == 0)
                    return fail(quoted(unit) + " is not a unit here (angles take deg, rad, "
                                               "grad or turn)");
                arg.kind = Kind::Angle;
                arg.value = value * per;
                if (!std::isfinite(arg.value))
                    return fail(quoted(text.substr(i, k - i)) + " is too large");
                j = k;
            }
            arg.text = text.substr(i, j - i);
            i = j;
        }
        if (i < text.size() && !isSpace(text[i]) && text[i] != ',' && text[i] != '/')
            return fail("values must be separated by spaces or commas");
        items.push_back(arg);
        separators.push_back(pending);
        pending = ' ';
    }
    if (pending != ' ')
        return fail(std::string("a value is missing after \"") + pending + "\"");
    if (items.empty())
        return fail("the colour has no values");

    const bool commas = std::count(separators.begin(), separators.end(), ',') > 0;
    result.args.commas = commas;
    for (size_t k = 0; k < items.size(); ++k) {
        const char sep = separators[k];
        if (commas && k > 0 && sep != ',')
            return fail("use commas between all values or none");
        if (sep == '/') {
            if (k != items.size() - 1)
                return fail("only one value, the alpha, may follow \"/\"");
            result.args.alpha = items[k];
            continue;
        }
        result.args.values.push_back(items[k]);
    }
    // the comma form gives alpha as a fourth value
    if (commas && result.args.values.size() == 4) {
        result.args.alpha = result.args.values.back();
        result.args.values.pop_back();
    }
    if (commas) {
        const bool anyNone = std::any_of(items.begin(), items.end(),
                                         [](const Arg& a) { return a.kind == Kind::None; });
        if (anyNone)
            return fail("\"none\" is not allowed in the comma form");
    }
    return result;
}

/// The alpha 0..1 of an argument: a number or a percentage (none is 0).
std::optional<double> alphaOf(const Arg& a) {
    switch (a.kind) {
    case Kind::Number:
        return a.value;
    case Kind::Percent:
        return a.value / 100.0;
    case Kind::None:
        return 0.0;
    case Kind::Angle:
        break;
    }
    return std::nullopt;
}

/// A hue in degrees: a number or an angle (none is 0).
std::optional<double> hueOf(const Arg& a) {
    if (a.kind == Kind::Percent)
        return std::nullopt;
    return a.kind == Kind::None ? 0.0 : a.value;
}

/// A number or a percentage (100% = hundredPercent); none is 0; an angle is refused.
std::optional<double> scalarOf(const Arg& a, double hundredPercent) {
    switch (a.kind) {
    case Kind::Number:
        return a.value;
    case Kind::Percent:
        return a.value / 100.0 * hundredPercent;
    case Kind::None:
        return 0.0;
    case Kind::Angle:
        break;
    }
    return std::nullopt;
}

CssParseResult parseFunction(std::string_view name, std::string_view inside) {
    const std::string fn = std::string(name) + "()";
    // color() takes its colour space as the first word
    std::string_view space;
    std::string_view values = inside;
    if (name == "color") {
        const size_t start = inside.find_first_not_of(" \t\n\r\f");
        size_t end = start;
        while (end < inside.size() && (isLetter(inside[end]) || isDigit(inside[end])))
            ++end;
        space = start == std::string_view::npos ? std::string_view{}
                                                : inside.substr(start, end - start);
        if (space != "srgb" && space != "srgb-linear" && space != "display-p3")
            return failure("color() knows srgb, srgb-linear and display-p3, not " + quoted(space));
        values = inside.substr(end);
    }
    ArgsResult read = readArgs(values);
    if (!read.error.empty())
        return failure(fn + ": " + read.error);
    Args& args = read.args;
    const bool legacyAllowed = name == "rgb" || name == "rgba" || name == "hsl" || name == "hsla";
    if (args.commas && !legacyAllowed)
        return failure(fn + " takes its values separated by spaces, not commas");

    if (args.values.size() != 3)
        return failure(fn + " takes three values and an optional \"/ alpha\", not " +
                       std::to_string(args.values.size()) + " values");
    double alpha = 1.0;
    if (args.alpha) {
        const std::optional<double> a = alphaOf(*args.alpha);
        if (!a)
            return failure(fn + ": the alpha takes a number or a percentage");
        alpha = *a;
    }
    const bool hadAlpha = args.alpha.has_value();
    const Arg& x = args.values[0];
    const Arg& y = args.values[1];
    const Arg& z = args.values[2];
    const std::string badValue = fn + ": ";

    if (name == "rgb" || name == "rgba") {
        if (args.commas) {
            const bool allPercent =
                x.kind == Kind::Percent && y.kind == Kind::Percent && z.kind == Kind::Percent;
            const bool allNumber =
                x.kind == Kind::Number && y.kind == Kind::Number && z.kind == Kind::Number;
            if (!allPercent && !allNumber)
                return failure(badValue + "in the comma form use three numbers or three "
                                          "percentages");
        }
        std::array<double, 3> channel{};
        for (size_t k = 0; k < 3; ++k) {
            const std::optional<double> v = scalarOf(args.values[k], 255.0);
            if (!v)
                return failure(badValue + "red, green and blue take numbers 0-255 or "
                                          "percentages");
            channel[k] = std::clamp(*v, 0.0, 255.0) / 255.0;
        }
        return fromSrgb({channel[0], channel[1], channel[2]}, alpha, hadAlpha);
    }
    if (name == "hsl" || name == "hsla" || name == "hwb") {
        const std::optional<double> hue = hueOf(x);
        if (!hue)
            return failure(badValue + "the hue takes a number or an angle (deg, rad, grad, "
                                      "turn)");
        if (args.commas && (y.kind != Kind::Percent || z.kind != Kind::Percent))
            return failure(badValue + "in the comma form saturation and lightness are "
                                      "percentages");
        const std::optional<double> s = scalarOf(y, 100.0);
        const std::optional<double> l = scalarOf(z, 100.0);
        if (!s || !l)
            return failure(badValue + "the second and third values take percentages");
        if (name == "hwb") {
            const double w = std::clamp(*s, 0.0, 100.0) / 100.0;
            const double b = std::clamp(*l, 0.0, 100.0) / 100.0;
            return fromSrgb(hwbToSrgb(*hue, w, b), alpha, hadAlpha);
        }
        const Srgb c =
            hslToSrgb(*hue, std::clamp(*s, 0.0, 100.0) / 100.0, std::clamp(*l, 0.0, 100.0) / 100.0);
        return fromSrgb(c, alpha, hadAlpha);
    }
    if (name == "lab" || name == "lch") {
        const std::optional<double> L = scalarOf(x, 100.0);
        const std::optional<double> second = scalarOf(y, name == "lab" ? 125.0 : 150.0);
        if (!L || !second)
            return failure(badValue + "lightness and the next value take numbers or "
                                      "percentages");
        if (const Arg* big = tooLarge({&y, name == "lab" ? &z : &y}))
            return failure(badValue + quoted(big->text) + " is too large");
        const double lightness = std::clamp(*L, 0.0, 100.0);
        CieLab lab;
        if (name == "lab") {
            const std::optional<double> b = scalarOf(z, 125.0);
            if (!b)
                return failure(badValue + "b takes a number or a percentage");
            lab = {lightness, *second, *b};
        } else {
            const std::optional<double> hue = hueOf(z);
            if (!hue)
                return failure(badValue + "the hue takes a number or an angle");
            lab = labOfLch(lightness, std::max(0.0, *second), *hue);
        }
        return fromLinear(linearOf(lab), alpha, hadAlpha);
    }
    if (name == "oklab" || name == "oklch") {
        const std::optional<double> L = scalarOf(x, 1.0);
        const std::optional<double> second = scalarOf(y, 0.4);
        if (!L || !second)
            return failure(badValue + "lightness and the next value take numbers or "
                                      "percentages");
        if (const Arg* big = tooLarge({&y, name == "oklab" ? &z : &y}))
            return failure(badValue + quoted(big->text) + " is too large");
        const double lightness = std::clamp(*L, 0.0, 1.0);
        if (name == "oklab") {
            const std::optional<double> b = scalarOf(z, 0.4);
            if (!b)
                return failure(badValue + "b takes a number or a percentage");
            return fromOklab({lightness, *second, *b}, alpha, hadAlpha);
        }
        const std::optional<double> hue = hueOf(z);
        if (!hue)
            return failure(badValue + "the hue takes a number or an angle");
        return fromOklab(toOklab({lightness, std::max(0.0, *second), *hue}), alpha, hadAlpha);
    }
    if (name == "color") {
        if (const Arg* big = tooLarge({&x, &y, &z}))
            return failure(badValue + quoted(big->text) + " is too large");
        std::array<double, 3> channel{};
        for (size_t k = 0; k < 3; ++k) {
            const std::optional<double> v = scalarOf(args.values[k], 1.0);
            if (!v)
                return failure(badValue + "the channels take numbers or percentages");
            channel[k] = *v;
        }
        const Srgb c{channel[0], channel[1], channel[2]};
        if (space == "display-p3")
            return fromLinear(linearOfDisplayP3(c), alpha, hadAlpha);
        if (space == "srgb-linear")
            return fromLinear({c.r, c.g, c.b}, alpha, hadAlpha);
        return fromSrgb(c, alpha, hadAlpha);
    }
    return failure(quoted(name) + " is not a colour function");
}

} // namespace

ColorRGB rgb8Of(const CssColor& c) {
    if (c.outOfGamut)
        return mapToRgb8(toOklch(c.oklab));
    // the slack keeps an exact half that a conversion left a hair below it rounding up
    auto byte = [](double v) {
        return static_cast<uint8_t>(std::clamp(std::floor(v * 255.0 + 0.5 + 1e-9), 0.0, 255.0));
    };
    return {byte(c.srgb.r), byte(c.srgb.g), byte(c.srgb.b)};
}

std::optional<ColorRGB> namedCssColor(std::string_view lowerCaseName) {
    const auto it = std::lower_bound(
        kNamed.begin(), kNamed.end(), lowerCaseName,
        [](const Named& n, std::string_view name) { return std::string_view(n.name) < name; });
    if (it == kNamed.end() || std::string_view(it->name) != lowerCaseName)
        return std::nullopt;
    return rgbOf(it->rrggbb);
}

int namedCssColorCount() {
    return static_cast<int>(kNamed.size());
}

std::string_view namedCssColorName(int index) {
    if (index < 0 || index >= namedCssColorCount())
        return {};
    return kNamed[static_cast<size_t>(index)].name;
}

CssParseResult parseCssColor(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    const std::string lowered = lower(text.substr(begin, end - begin));
    const std::string_view s = lowered;
    if (s.empty())
        return failure("type a colour, such as #3366CC, rgb(51 102 204) or "
                       "oklch(55% 0.15 250)");
    if (s.front() == '#')
        return parseHex(s.substr(1));

    const size_t open = s.find('(');
    if (open == std::string_view::npos) {
        if (s == "transparent")
            return fromSrgb({0, 0, 0}, 0.0, true);
        if (const std::optional<ColorRGB> named = namedCssColor(s))
            return fromSrgb({named->r / 255.0, named->g / 255.0, named->b / 255.0}, 1.0, false);
        return failure(quoted(s) + " is not a colour name or code");
    }
    std::string_view name = s.substr(0, open);
    while (!name.empty() && isSpace(name.back()))
        name.remove_suffix(1);
    if (name.size() != open)
        return failure("no space may stand between a function's name and \"(\"");
    if (s.back() != ')')
        return failure("the closing \")\" is missing or text follows it");
    const std::string_view inside = s.substr(open + 1, s.size() - open - 2);
    if (inside.find_first_of("()") != std::string_view::npos)
        return failure("nested parentheses (calc(), var(), relative colours) are not read");
    static constexpr std::array<std::string_view, 10> kFunctions = {
        "rgb", "rgba", "hsl", "hsla", "hwb", "lab", "lch", "oklab", "oklch", "color"};
    if (std::find(kFunctions.begin(), kFunctions.end(), name) == kFunctions.end())
        return failure(quoted(name) + "() is not a CSS colour function");
    return parseFunction(name, inside);
}

BaseColor baseColorOf(const CssColor& color) {
    BaseColor base;
    base.rgb8 = rgb8Of(color);
    base.exact = toOklch(color.oklab);
    // beyond what a scheme keeps (a lightness outside 0..1, a chroma no eye sees) the colour
    // is brought inside display-p3, the widest a file holds
    if (!(base.exact.L >= 0 && base.exact.L <= 1 && base.exact.C <= kLargestBaseChroma)) {
        base.exact = toOklch(oklabOf(gamutMapP3(base.exact)));
        base.exact.L = std::clamp(base.exact.L, 0.0, 1.0);
    }
    // a grey's hue is rounding noise: it must not turn the pointer
    if (base.exact.C < 1e-6)
        base.exact.h = 0;
    return base;
}

NearestName nearestNamedColor(ColorRGB c) {
    struct Named {
        std::string_view name;
        ColorRGB rgb;
        Oklab oklab;
    };
    static const std::vector<Named> kAll = [] {
        std::vector<Named> named;
        for (int i = 0; i < namedCssColorCount(); ++i) {
            const std::string_view name = namedCssColorName(i);
            const ColorRGB rgb = *namedCssColor(name);
            named.push_back({name, rgb, oklabOf(rgb)});
        }
        return named;
    }();
    const Oklab want = oklabOf(c);
    NearestName nearest;
    double best = std::numeric_limits<double>::infinity();
    for (const Named& named : kAll) {
        if (named.rgb == c)
            return {named.name, true};
        const double d = deltaEOK(want, named.oklab);
        if (d < best) {
            best = d;
            nearest.name = named.name;
        }
    }
    return nearest;
}

std::string namedColorText(ColorRGB c) {
    const NearestName nearest = nearestNamedColor(c);
    if (nearest.exact)
        return "= " + std::string(nearest.name);
    const std::optional<ColorRGB> named = namedCssColor(nearest.name);
    if (!named || deltaEOK(oklabOf(c), oklabOf(*named)) > kNearNamedColor)
        return {};
    return "\u2248 " + std::string(nearest.name);
}

} // namespace core
