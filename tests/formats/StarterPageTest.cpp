#include "formats/StarterPage.h"
#include "formats/FilePalette.h"

#include "core/Oklab.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

namespace {

using formats::PageRole;

/// Every role the page uses, light i and dark 255 - i apart, so that a value in the wrong
/// theme shows.
formats::StarterPageContent contentOf(std::string title = "Scheme") {
    formats::StarterPageContent content{std::move(title), {}};
    int i = 0;
    for (const colorscience::RoleInfo& info : colorscience::roleTable()) {
        const auto v = static_cast<uint8_t>(10 + 7 * i++);
        content.roles.push_back({info.cssName, {v, 0x20, 0x30}, {0x40, v, 0x50}});
    }
    return content;
}

/// The body of the first rule at or after from whose prelude (the text before its "{") is
/// exactly selector, up to its closing brace; empty when there is none.
std::string ruleBody(const std::string& text, const std::string& selector, size_t from = 0) {
    const size_t at = text.find(selector + " {\n", from);
    if (at == std::string::npos || (at > 0 && text[at - 1] != ' ' && text[at - 1] != '\n'))
        return {};
    const size_t open = at + selector.size() + 3;
    return text.substr(open, text.find('}', open) - open);
}

/// "--name: value;" for each role, as the theme gives it.
std::string declarationsOf(const formats::StarterPageContent& content, bool dark) {
    std::string text;
    for (const PageRole& r : content.roles)
        text += "--" + r.name + ": " + core::hexText(dark ? r.dark : r.light) + ";\n";
    return text;
}

std::string withoutIndent(const std::string& text) {
    std::string out;
    bool lineStart = true;
    for (const char c : text) {
        if (lineStart && c == ' ')
            continue;
        out += c;
        lineStart = c == '\n';
    }
    return out;
}

class StarterPageRoles : public testing::TestWithParam<formats::StarterPageContent> {};

TEST_P(StarterPageRoles, AreDeclaredForEachThemeWhereverItIsChosen) {
    const formats::StarterPageContent& content = GetParam();
    const std::string page = formats::starterPageText(content);
    struct Case {
        std::string selector;
        size_t from;
        bool dark;
        std::string scheme;
    };
    const size_t media = page.find("@media (prefers-color-scheme: dark) {\n");
    ASSERT_NE(media, std::string::npos);
    const Case cases[] = {{":root", 0, false, "light dark"},
                          {":root", media, true, ""},
                          {":root:has(#theme-light:checked)", 0, false, "light"},
                          {":root:has(#theme-dark:checked)", 0, true, "dark"},
                          {"[data-theme=\"light\"]", 0, false, "light"},
                          {"[data-theme=\"dark\"]", 0, true, "dark"}};
    for (const Case& c : cases) {
        const std::string scheme = c.scheme.empty() ? "" : "color-scheme: " + c.scheme + ";\n";
        EXPECT_EQ(withoutIndent(ruleBody(page, c.selector, c.from)),
                  scheme + declarationsOf(content, c.dark))
            << c.selector;
    }
    // in cascade order: the light :root first of all, the attribute's rules after the system's
    EXPECT_LT(page.find(":root {"), media);
    EXPECT_LT(media, page.find("[data-theme=\"light\"]"));
    EXPECT_LT(media, page.find("[data-theme=\"dark\"]"));
    EXPECT_EQ(page.find("color-gamut"), std::string::npos);
    EXPECT_NE(page.find("<meta name=\"color-scheme\" content=\"light dark\">"), std::string::npos);
}

/// The roles of a scheme, each declared under its name in the table.
formats::StarterPageContent derivedContent() {
    formats::StarterPageContent content = formats::starterPageOf(
        colorscience::deriveRoles({{200, 40, 40}, {30, 90, 200}, {240, 180, 20}}), "Derived");
    std::vector<std::string> names;
    for (const PageRole& r : content.roles)
        names.push_back(r.name);
    EXPECT_EQ(names.size(), size_t(colorscience::kRoleCount));
    EXPECT_EQ(names.front(), "bg");
    EXPECT_EQ(names.at(size_t(colorscience::Role::MutedText)), "text-muted");
    return content;
}

INSTANTIATE_TEST_SUITE_P(Contents, StarterPageRoles, testing::Values(contentOf(), derivedContent()),
                         [](const auto& row) { return row.param.title; });

TEST(StarterPage, UsesOnlyDeclaredRolesAndNamesEachElementOnce) {
    const std::string page = formats::starterPageText(contentOf());
    std::set<std::string> used;
    for (size_t at = page.find("var(--"); at != std::string::npos;
         at = page.find("var(--", at + 1)) {
        const size_t name = at + 6;
        used.insert(page.substr(name, page.find(')', name) - name));
    }
    std::set<std::string> table;
    for (const colorscience::RoleInfo& info : colorscience::roleTable())
        table.insert(info.cssName);
    EXPECT_EQ(used, table);
    // no colour but the roles': a hex code only in their declarations
    const std::string layout = page.substr(page.find("*, *::before"));
    const std::string css = layout.substr(0, layout.find("</style>"));
    for (size_t at = css.find('#'); at != std::string::npos; at = css.find('#', at + 1)) {
        const std::string code = css.substr(at + 1, 6);
        EXPECT_FALSE(
            code.size() == 6 &&
            std::all_of(code.begin(), code.end(),
                        [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }))
            << css.substr(at, 7);
    }
    for (std::string_view id : formats::kPageElementIds) {
        const std::string attribute = "id=\"" + std::string(id) + "\"";
        const size_t at = page.find(attribute);
        EXPECT_NE(at, std::string::npos) << id;
        EXPECT_EQ(page.find(attribute, at + 1), std::string::npos) << id;
    }
    for (std::string_view tag : {"<header", "<nav", "<main>", "<section", "<article", "<form",
                                 "<label for=\"email\"", "<input", "<footer"})
        EXPECT_NE(page.find(tag), std::string::npos) << tag;
    EXPECT_EQ(page.find("<script"), std::string::npos);
}

TEST(StarterPage, WideRolesGetTheirDisplayP3InEveryTheme) {
    formats::StarterPageContent content = contentOf();
    // outside sRGB in the dark theme only; another role exact but inside sRGB
    const core::Oklch vivid{0.7, 0.3, 145};
    content.roles[5].darkExact = vivid;
    content.roles[6].lightExact = core::toOklch(core::oklabOf(content.roles[6].light));
    const std::string page = formats::starterPageText(content);
    const size_t p3 = page.find("@media (color-gamut: p3) {\n");
    ASSERT_NE(p3, std::string::npos);
    const std::string wide = page.substr(p3);
    const std::string dark = "  --primary: " + formats::wideGamutText(vivid) + ";\n";
    const std::string light = "  --primary: " + core::hexText(content.roles[5].light) + ";\n";
    ASSERT_EQ(dark.find("color(display-p3 "), 13U);
    // every rule of the cascade again, each with its theme's value of the wide role only
    const size_t media = wide.find("@media (prefers-color-scheme: dark)");
    const std::pair<std::string, const std::string*> rules[] = {
        {":root", &light},
        {":root:has(#theme-light:checked)", &light},
        {":root:has(#theme-dark:checked)", &dark},
        {"[data-theme=\"light\"]", &light},
        {"[data-theme=\"dark\"]", &dark}};
    for (const auto& [selector, value] : rules)
        EXPECT_EQ(withoutIndent(ruleBody(wide, selector)), value->substr(2)) << selector;
    EXPECT_EQ(withoutIndent(ruleBody(wide, ":root", media)), dark.substr(2));
    EXPECT_EQ(wide.find("--on-primary"), std::string::npos);
    EXPECT_EQ(wide.substr(wide.find("</style>")).find("@media"), std::string::npos);
}

struct EscapeCase {
    std::string name;
    std::string title;
    std::string escaped;
};

class StarterPageTitle : public testing::TestWithParam<EscapeCase> {};

TEST_P(StarterPageTitle, IsEscapedInTheTitleAndTheHeadline) {
    const std::string page = formats::starterPageText(contentOf(GetParam().title));
    EXPECT_NE(page.find("<title>" + GetParam().escaped + "</title>"), std::string::npos);
    EXPECT_NE(page.find("<h1 id=\"hero-title\">" + GetParam().escaped + "</h1>"),
              std::string::npos);
    EXPECT_NE(page.find(">" + GetParam().escaped + "</a>"), std::string::npos);
    EXPECT_EQ(page.find("<script"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, StarterPageTitle,
    testing::Values(
        EscapeCase{"Ampersand", "Brand & co", "Brand &amp; co"},
        EscapeCase{"Markup", "</title><script>alert(1)</script>",
                   "&lt;/title&gt;&lt;script&gt;alert(1)&lt;/script&gt;"},
        EscapeCase{"Quotes", "\"quoted\" 'single'", "&quot;quoted&quot; &#39;single&#39;"},
        EscapeCase{"Controls", "bell\a\r\x1B[0m\xC2\x85", "bell   [0m "},
        EscapeCase{"BrokenUtf8", "caf\xC3\xA9 \xFF\xC0", "caf\xC3\xA9 \xEF\xBF\xBD\xEF\xBF\xBD"},
        EscapeCase{"Placeholder", "{{title}}", "{{title}}"}, EscapeCase{"Empty", "", "Untitled"}),
    [](const auto& row) { return row.param.name; });

} // namespace
