// The colour roles in a scheme's exports: every role of both themes under its CSS name in the
// style sheets (light on :root, dark for the system's dark setting and for data-theme), the
// display-p3 values of wide roles in the wide-gamut rule, the tokens' "roles" group, and the
// designer's overrides.

#include "formats/FormatTable.h"
#include "formats/Json.h"
#include "formats/RoleCss.h"

#include "colorscience/ColorRoles.h"
#include "core/ColorCodes.h"
#include "core/CssColor.h"
#include "core/Oklab.h"
#include "core/Palette.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using colorscience::Role;
using colorscience::Theme;
using formats::Format;

/// The declarations of a style sheet by the path of rules around them ("@media (...) > :root"),
/// each name with the values given it there, in order.
using Rules = std::map<std::string, std::map<std::string, std::vector<std::string>>>;

Rules rulesOf(const std::string& css) {
    Rules rules;
    std::vector<std::string> path;
    std::string piece;
    for (size_t i = 0; i < css.size(); ++i) {
        const char c = css[i];
        if (c == '/' && i + 1 < css.size() && css[i + 1] == '*') {
            i = css.find("*/", i) + 1;
        } else if (c == '{' || c == '}' || c == ';') {
            const size_t from = piece.find_first_not_of(" \n");
            const size_t to = piece.find_last_not_of(" \n");
            const std::string text =
                from == std::string::npos ? "" : piece.substr(from, to - from + 1);
            piece.clear();
            if (c == '{') {
                path.push_back(text);
            } else if (c == '}') {
                EXPECT_TRUE(text.empty()) << text;
                path.pop_back();
            } else {
                std::string where;
                for (const std::string& p : path)
                    where += (where.empty() ? "" : " > ") + p;
                const size_t colon = text.find(": ");
                rules[where][text.substr(0, colon)].push_back(text.substr(colon + 2));
            }
        } else {
            piece += c;
        }
    }
    EXPECT_TRUE(path.empty()) << css;
    return rules;
}

std::string text(Format format, const formats::SchemeColors& colors,
                 const formats::ExportOptions& options) {
    const std::vector<uint8_t> bytes = formats::fileBytes(format, colors, options);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<core::ColorRGB> rgbOf(const formats::SchemeColors& colors) {
    std::vector<core::ColorRGB> rgb;
    for (const core::Color c : colors)
        rgb.push_back(core::splitColor(c));
    return rgb;
}

const core::Oklch kP3Red = core::toOklch(core::oklabOf(core::linearP3Of(core::DisplayP3{1, 0, 0})));

struct Scheme {
    const char* name;
    formats::SchemeColors colors;
    std::vector<std::optional<core::Oklch>> exact;
};

/// A triad, a complementary pair, and a scheme whose base is display-p3 red.
std::vector<Scheme> schemes() {
    const core::ColorRGB red = core::mapToRgb8(kP3Red);
    return {{"triad", {0x0D0FE2, 0x0F0FFF, 0xFF09DF}, {}},
            {"complementary", {0x8F9D2A, 0x2A9D8F}, {}},
            {"p3",
             {0x7300FF, core::rgbValue(red.r, red.g, red.b), 0x0062E5},
             {std::nullopt, kP3Red, std::nullopt}}};
}

/// Each style sheet: its format, the prefix of its role names, the rule holding the light
/// roles, and how it writes a colour.
struct Sheet {
    Format format;
    std::string prefix;
    std::string root;
    std::vector<std::string> (*values)(core::ColorRGB);
};

std::vector<std::string> hexValues(core::ColorRGB c) {
    return {core::hexText(c)};
}

std::vector<std::string> oklchValues(core::ColorRGB c) {
    return {core::oklchText(c)};
}

std::vector<std::string> hexAndOklch(core::ColorRGB c) {
    return {core::hexText(c), core::oklchText(c)};
}

const Sheet kSheets[] = {{Format::Css, "--", ":root", hexValues},
                         {Format::OklchCss, "--", ":root", hexAndOklch},
                         {Format::CssRamps, "--", ":root", hexValues},
                         {Format::TailwindTheme, "--color-", "@theme", oklchValues}};

const std::string kDarkMedia = "@media (prefers-color-scheme: dark) > :root";
const std::string kP3 = "@media (color-gamut: p3)";
const std::string kP3DarkMedia = kP3 + " > " + kDarkMedia;

} // namespace

TEST(RoleExport, StyleSheetsDeclareEveryRoleLightOnRootAndDarkForTheSystemAndDataTheme) {
    for (const Scheme& scheme : schemes()) {
        const colorscience::Roles roles =
            colorscience::deriveRoles(rgbOf(scheme.colors), scheme.exact);
        for (const Sheet& sheet : kSheets) {
            SCOPED_TRACE(std::string(scheme.name) + " " +
                         std::string(formats::extension(sheet.format)));
            Rules rules = rulesOf(text(sheet.format, scheme.colors, {false, false, scheme.exact}));
            if (sheet.format != Format::TailwindTheme) {
                EXPECT_EQ(rules[":root"]["color-scheme"], std::vector<std::string>{"light dark"});
            }
            EXPECT_EQ(rules["[data-theme=\"dark\"]"]["color-scheme"],
                      std::vector<std::string>{"dark"});
            EXPECT_EQ(rules["[data-theme=\"light\"]"]["color-scheme"],
                      std::vector<std::string>{"light"});
            for (const colorscience::RoleInfo& info : colorscience::roleTable()) {
                const std::string name = sheet.prefix + info.cssName;
                const auto light = sheet.values(roles.theme(Theme::Light)[info.role].color);
                const auto dark = sheet.values(roles.theme(Theme::Dark)[info.role].color);
                EXPECT_EQ(rules[sheet.root][name], light) << name;
                EXPECT_EQ(rules[kDarkMedia][name], dark) << name;
                EXPECT_EQ(rules["[data-theme=\"dark\"]"][name], dark) << name;
                EXPECT_EQ(rules["[data-theme=\"light\"]"][name], light) << name;
            }
        }
    }
}

// A role beyond sRGB gets its display-p3 value in the wide-gamut rule, in both themes: the
// rule sets the other theme's value too, so a wide light value never outweighs a plain dark
// one on a wide screen.
TEST(RoleExport, WideRolesTakeTheirDisplayP3ValuesInTheWideGamutRuleForBothThemes) {
    const Scheme scheme = schemes().back();
    const colorscience::Roles roles = colorscience::deriveRoles(rgbOf(scheme.colors), scheme.exact);
    ASSERT_TRUE(roles.theme(Theme::Light)[Role::Primary].exact);
    for (const Sheet& sheet : kSheets) {
        SCOPED_TRACE(formats::extension(sheet.format));
        Rules rules = rulesOf(text(sheet.format, scheme.colors, {false, false, scheme.exact}));
        size_t wide = 0;
        for (const colorscience::RoleInfo& info : colorscience::roleTable()) {
            const std::string name = sheet.prefix + info.cssName;
            const colorscience::RoleColor& light = roles.theme(Theme::Light)[info.role];
            const colorscience::RoleColor& dark = roles.theme(Theme::Dark)[info.role];
            const std::string lightP3 = formats::wideGamutText(light.exact);
            const std::string darkP3 = formats::wideGamutText(dark.exact);
            if (lightP3.empty() && darkP3.empty()) {
                EXPECT_EQ(rules[kP3 + " > :root"].count(name), 0u) << name;
                continue;
            }
            ++wide;
            const std::vector<std::string> lightValue{lightP3.empty() ? core::hexText(light.color)
                                                                      : lightP3};
            const std::vector<std::string> darkValue{darkP3.empty() ? core::hexText(dark.color)
                                                                    : darkP3};
            EXPECT_EQ(rules[kP3 + " > :root"][name], lightValue) << name;
            EXPECT_EQ(rules[kP3DarkMedia][name], darkValue) << name;
            EXPECT_EQ(rules[kP3 + " > [data-theme=\"dark\"]"][name], darkValue) << name;
            EXPECT_EQ(rules[kP3 + " > [data-theme=\"light\"]"][name], lightValue) << name;
        }
        EXPECT_GE(wide, 3u); // primary, secondary, accent at least
    }
}

// The tokens hold a group roles.light and roles.dark of colour tokens named by the role table,
// each with the role's colour, and the display-p3 value of a wide one; the SCSS its variables.
TEST(RoleExport, TokensHoldARolesGroupOfBothThemesAndScssItsVariables) {
    for (const Scheme& scheme : schemes()) {
        SCOPED_TRACE(scheme.name);
        const colorscience::Roles roles =
            colorscience::deriveRoles(rgbOf(scheme.colors), scheme.exact);
        const formats::JsonParse parsed = formats::parseJson(
            text(Format::DesignTokens, scheme.colors, {false, false, scheme.exact}));
        ASSERT_TRUE(parsed.value) << parsed.error;
        const formats::JsonValue* group = parsed.value->find("roles");
        ASSERT_TRUE(group && group->isObject());
        const std::string scss = text(Format::Scss, scheme.colors, {false, false, scheme.exact});
        for (const Theme theme : {Theme::Light, Theme::Dark}) {
            const formats::JsonValue* tokens = group->find(colorscience::themeName(theme));
            ASSERT_TRUE(tokens && tokens->isObject());
            EXPECT_EQ(tokens->members.size(), size_t(colorscience::kRoleCount));
            for (const colorscience::RoleInfo& info : colorscience::roleTable()) {
                const colorscience::RoleColor& role = roles.theme(theme)[info.role];
                const formats::JsonValue* token = tokens->find(info.tokenName);
                ASSERT_TRUE(token) << info.tokenName;
                EXPECT_EQ(token->find("$type")->text, "color");
                std::string hex = core::hexText(role.color);
                for (char& c : hex)
                    c = char(std::tolower(static_cast<unsigned char>(c)));
                EXPECT_EQ(token->find("$value")->find("hex")->text, hex) << info.tokenName;
                const formats::JsonValue* p3 = token->find("$extensions")
                                                   ->find(formats::kTokenExtensionKey)
                                                   ->find("display-p3");
                EXPECT_EQ(p3 ? p3->text : "", formats::wideGamutText(role.exact)) << info.tokenName;
                const std::string variable = "$" + std::string(info.cssName) +
                                             (theme == Theme::Dark ? "-dark: " : ": ") +
                                             core::hexText(role.color) + ";";
                EXPECT_NE(scss.find("\n" + variable), std::string::npos) << variable;
            }
        }
    }
}

// The designer's roles are the ones written, in every file that holds roles; a palette's
// files and the swatch palettes hold none.
TEST(RoleExport, TheDesignersOverridesAreWrittenAndPalettesHoldNoRoles) {
    const Scheme scheme = schemes().front();
    formats::ExportOptions options;
    options.roleOverrides.at(Theme::Light, Role::Text) =
        colorscience::RoleOverride{colorscience::kBlackChoice, {}, std::nullopt};
    options.roleOverrides.at(Theme::Dark, Role::Primary) =
        colorscience::RoleOverride{-1, {0x12, 0x34, 0x56}, std::nullopt};
    const Rules css = rulesOf(text(Format::Css, scheme.colors, options));
    EXPECT_EQ(css.at(":root").at("--text"), std::vector<std::string>{"#000000"});
    EXPECT_EQ(css.at(kDarkMedia).at("--primary"), std::vector<std::string>{"#123456"});
    const Rules tailwind = rulesOf(text(Format::TailwindTheme, scheme.colors, options));
    EXPECT_EQ(tailwind.at("[data-theme=\"dark\"]").at("--color-primary"),
              std::vector<std::string>{core::oklchText(core::ColorRGB{0x12, 0x34, 0x56})});
    const formats::JsonParse tokens =
        formats::parseJson(text(Format::DesignTokens, scheme.colors, options));
    EXPECT_EQ(
        tokens.value->find("roles")->find("light")->find("text")->find("$value")->find("hex")->text,
        "#000000");

    core::Palette palette;
    palette.colors.push_back(core::paletteColorOf("brand", *core::parseCssColor("#336699").color));
    for (const Format format : {Format::Css, Format::OklchCss, Format::TailwindTheme}) {
        const std::vector<uint8_t> bytes = formats::fileBytes(format, palette);
        const std::string file(bytes.begin(), bytes.end());
        EXPECT_EQ(file.find("data-theme"), std::string::npos) << file;
    }
}
