#pragma once

#include "RoleCss.h"

#include "colorscience/ColorRoles.h"
#include "core/ColorCodes.h"
#include "core/Oklab.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

/// One colour role as the starter page declares it, as every style sheet does.
using PageRole = RoleProperty;

/// What the starter page shows: the scheme's name in its title and headline, and the roles.
/// The page's stylesheet uses every role of the role table by its CSS name; more are declared
/// too.
struct StarterPageContent {
    std::string title; ///< UTF-8; escaped in the page, a byte that is not UTF-8 as U+FFFD
    std::vector<PageRole> roles;
};

/// The content of a scheme's page: each role of the table under its CSS name, with its light
/// and dark colours.
StarterPageContent starterPageOf(const colorscience::Roles& roles, std::string title);

/// The id of each element a test or a stylesheet finds on the page, in the order it appears.
constexpr std::string_view kPageElementIds[] = {
    "site-header", "brand",       "site-nav",      "theme-switch", "hero",   "hero-title",
    "hero-text",   "btn-primary", "btn-secondary", "cards",        "card-1", "card-2",
    "card-3",      "badge-1",     "badge-2",       "badge-3",      "signup", "email-label",
    "email",       "story",       "story-link",    "site-footer"};

/// The starter page: one self-contained HTML5 file with its stylesheet inline, in plain
/// semantic markup (header, nav, main, section, article, form, footer) and no script. Its :root
/// declares "color-scheme: light dark" and each role's light value; the dark values follow
/// under "@media (prefers-color-scheme: dark)", and both again under [data-theme="dark"] and
/// [data-theme="light"] (on any element: its part of the page takes that theme) and under the
/// page's own Auto / Light / Dark switch (radio buttons read by :has()). Roles beyond sRGB get
/// the same cascade again, with their display-p3 values, in an "@media (color-gamut: p3)" rule
/// after everything else. LF line ends.
std::string starterPageText(const StarterPageContent& content);

/// Text for HTML, element content or a quoted attribute alike: &, <, >, " and ' as references,
/// control characters other than tab and line feed as spaces, broken UTF-8 as U+FFFD.
std::string htmlEscaped(std::string_view text);

} // namespace formats
