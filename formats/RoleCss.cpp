#include "RoleCss.h"

#include "FilePalette.h"

namespace formats {

std::vector<RoleProperty> roleProperties(const colorscience::Roles& roles) {
    std::vector<RoleProperty> properties;
    for (const colorscience::RoleInfo& info : colorscience::roleTable()) {
        const colorscience::RoleColor& light = roles.theme(colorscience::Theme::Light)[info.role];
        const colorscience::RoleColor& dark = roles.theme(colorscience::Theme::Dark)[info.role];
        properties.push_back({info.cssName, light.color, dark.color, light.exact, dark.exact});
    }
    return properties;
}

std::vector<std::string> hexRoleValues(const RoleProperty& role, bool dark) {
    return {core::hexText(dark ? role.dark : role.light)};
}

std::vector<std::string> wideRoleValues(const RoleProperty& role, bool dark) {
    const std::string wide = wideGamutText(dark ? role.darkExact : role.lightExact);
    return wide.empty() ? hexRoleValues(role, dark) : std::vector<std::string>{wide};
}

std::vector<RoleProperty> wideRoles(const std::vector<RoleProperty>& roles) {
    std::vector<RoleProperty> wide;
    for (const RoleProperty& role : roles) {
        if (!wideGamutText(role.lightExact).empty() || !wideGamutText(role.darkExact).empty())
            wide.push_back(role);
    }
    return wide;
}

std::vector<std::string> roleDeclarations(const std::vector<RoleProperty>& roles, bool dark,
                                          const RoleValues& valuesOf, std::string_view prefix) {
    std::vector<std::string> declarations;
    for (const RoleProperty& role : roles) {
        for (const std::string& value : valuesOf(role, dark))
            declarations.push_back("--" + std::string(prefix) + role.name + ": " + value + ";");
    }
    return declarations;
}

std::string roleLines(const std::vector<RoleProperty>& roles, bool dark, const RoleValues& valuesOf,
                      std::string_view prefix, std::string_view indent) {
    std::string text;
    for (const std::string& d : roleDeclarations(roles, dark, valuesOf, prefix))
        text += std::string(indent) + d + "\n";
    return text;
}

std::string roleRule(std::string_view selector, const std::vector<RoleProperty>& roles, bool dark,
                     const RoleValues& valuesOf, std::string_view prefix, std::string_view indent,
                     std::string_view scheme) {
    const std::string in(indent);
    std::string text = in + std::string(selector) + " {\n";
    if (!scheme.empty())
        text += in + "  color-scheme: " + std::string(scheme) + ";\n";
    return text + roleLines(roles, dark, valuesOf, prefix, in + "  ") + in + "}\n";
}

std::string roleThemeRules(const std::vector<RoleProperty>& roles, const RoleValues& valuesOf,
                           std::string_view prefix, std::string_view indent, bool colorScheme) {
    if (roles.empty())
        return {};
    const std::string in(indent);
    const auto rule = [&](std::string_view selector, bool dark, std::string_view scheme) {
        return roleRule(selector, roles, dark, valuesOf, prefix, in,
                        colorScheme ? scheme : std::string_view());
    };
    return in + "@media (prefers-color-scheme: dark) {\n" + in + "  :root {\n" +
           roleLines(roles, true, valuesOf, prefix, in + "    ") + in + "  }\n" + in + "}\n" +
           rule("[data-theme=\"dark\"]", true, "dark") +
           rule("[data-theme=\"light\"]", false, "light");
}

std::string wideGamutRuleWithRoles(std::vector<std::string> declarations,
                                   const std::vector<RoleProperty>& roles,
                                   std::string_view prefix) {
    const std::vector<RoleProperty> wide = wideRoles(roles);
    for (std::string& d : roleDeclarations(wide, false, wideRoleValues, prefix))
        declarations.push_back(std::move(d));
    return wideGamutRule(declarations, roleThemeRules(wide, wideRoleValues, prefix, "  ", false));
}

} // namespace formats
