#pragma once

#include "colorscience/ColorRoles.h"
#include "core/ColorCodes.h"
#include "core/Oklab.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The colour roles as CSS custom properties, one writer for every style sheet that declares
// them (the CSS exports, the Tailwind theme, the starter page): light values on :root, dark
// values where the system prefers dark, and either theme forced by a data-theme attribute.

namespace formats {

/// One role as a style sheet declares it: a custom property with a light and a dark value.
struct RoleProperty {
    std::string name; ///< the property's name without "--" or a prefix: "bg", "text", ...
    core::ColorRGB light;
    core::ColorRGB dark;
    /// The exact colours where they reach beyond sRGB (none, or a colour inside sRGB: the
    /// 8-bit colour is the colour); written as display-p3 in the wide-gamut rule.
    std::optional<core::Oklch> lightExact{};
    std::optional<core::Oklch> darkExact{};
};

/// Each role of the role table, in its order, under its CSS name with both themes' colours.
std::vector<RoleProperty> roleProperties(const colorscience::Roles& roles);

/// The values a role is declared with in a theme, in order: each is one declaration of the
/// same property (a later one wins where a browser reads it).
using RoleValues = std::function<std::vector<std::string>(const RoleProperty&, bool dark)>;

/// The 8-bit colour as "#RRGGBB".
std::vector<std::string> hexRoleValues(const RoleProperty& role, bool dark);

/// The display-p3 text of the theme's colour, or its "#RRGGBB" where it lies inside sRGB.
std::vector<std::string> wideRoleValues(const RoleProperty& role, bool dark);

/// The roles whose colour lies beyond sRGB in either theme: the ones a wide-gamut rule sets,
/// both themes each, so that one theme's wide value never outweighs the other's plain one.
std::vector<RoleProperty> wideRoles(const std::vector<RoleProperty>& roles);

/// "--<prefix><name>: <value>;" for each role and each value valuesOf gives it in the theme.
std::vector<std::string> roleDeclarations(const std::vector<RoleProperty>& roles, bool dark,
                                          const RoleValues& valuesOf, std::string_view prefix);

/// roleDeclarations as lines, each after indent and ending in a line feed.
std::string roleLines(const std::vector<RoleProperty>& roles, bool dark, const RoleValues& valuesOf,
                      std::string_view prefix, std::string_view indent);

/// "<selector> { color-scheme: <scheme>; --<prefix><name>: <value>; ... }" of the theme's values,
/// each line after indent (the declarations two spaces further); no color-scheme when scheme
/// is empty.
std::string roleRule(std::string_view selector, const std::vector<RoleProperty>& roles, bool dark,
                     const RoleValues& valuesOf, std::string_view prefix, std::string_view indent,
                     std::string_view scheme);

/// The rules after a :root rule with the light values: the dark values under
/// "@media (prefers-color-scheme: dark) { :root { } }", then under [data-theme="dark"], then
/// the light values under [data-theme="light"], so that a page (or a part of it) forces
/// either theme: the attribute's rules come later, so they win over the system's. With
/// colorScheme the attribute's rules also set color-scheme, which light-dark() values and the
/// browser's own controls follow. Each line starts with indent; nothing for no roles.
std::string roleThemeRules(const std::vector<RoleProperty>& roles, const RoleValues& valuesOf,
                           std::string_view prefix, std::string_view indent, bool colorScheme);

/// The "@media (color-gamut: p3)" rule of wideGamutRule with the swatches' declarations and,
/// for the roles beyond sRGB in either theme, their light values on its :root and both
/// themes' rules (roleThemeRules) inside it; nothing when neither has a colour beyond sRGB.
std::string wideGamutRuleWithRoles(std::vector<std::string> declarations,
                                   const std::vector<RoleProperty>& roles, std::string_view prefix);

} // namespace formats
