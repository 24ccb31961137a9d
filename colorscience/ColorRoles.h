#pragma once

#include "Ramps.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Colour roles: what a web page paints in each colour of the scheme, for a light and a dark
// page. Every role is one choice of its ramp (a step, or white or black), picked by the
// contrast of the pairs the page puts it in, or a colour the designer set; every pair is
// reported with its WCAG ratio and APCA Lc, judged on the 8-bit colours a page's sRGB values
// hold and, for colours beyond sRGB, also on the exact colours a wide screen shows.

namespace colorscience {

enum class Theme { Light, Dark };
constexpr int kThemeCount = 2;

/// The roles, in the order the tables, files and windows list them.
enum class Role {
    Background,
    Surface,
    Text,
    MutedText,
    Border,
    Primary,
    OnPrimary,
    Secondary,
    OnSecondary,
    Accent,
    OnAccent,
    Link,
    FocusRing
};
constexpr int kRoleCount = 13;

/// The ramp a role draws from. Primary is the base (Color 2), Secondary Color 1, Accent
/// Color 3; with two colours (Complementary) the accent is the complement (Color 1) and the
/// secondary a light tone of the base's own ramp (a tonal button beside the primary).
enum class RampKind { Neutral, Primary, Secondary, Accent };
constexpr int kRampKindCount = 4;

struct RoleInfo {
    Role role;
    const char* id;        ///< stable key of documents and design tokens: "text-muted"
    const char* caption;   ///< what a user reads: "Muted text"
    const char* cssName;   ///< the CSS custom property without its dashes: "text-muted"
    const char* tokenName; ///< the design-token name in the "roles" group
    RampKind ramp;
};

/// The role table, in Role order.
const std::array<RoleInfo, kRoleCount>& roleTable();
const RoleInfo& roleInfo(Role role);
/// The role whose id is text, none for any other text.
std::optional<Role> roleFromId(std::string_view id);
/// "light" or "dark".
const char* themeName(Theme theme);
std::optional<Theme> themeFromName(std::string_view name);
/// "neutral", "primary", "secondary", "accent".
const char* rampKindName(RampKind kind);

/// A role's choices: the ramp's eleven steps (index 0..10, 50 to 950), then white and black.
constexpr int kWhiteChoice = kRampSize;
constexpr int kBlackChoice = kRampSize + 1;
constexpr int kChoiceCount = kRampSize + 2;
/// "50" .. "950", "white", "black"; "" outside 0..kChoiceCount-1.
std::string choiceName(int choice);
/// The choice named text (as choiceName writes it), none for any other text.
std::optional<int> choiceFromName(std::string_view name);

/// What the page needs of a pair: text, non-text (WCAG 2.2 non-text contrast), or a colour
/// difference (the link from the text around it).
enum class PairKind { Text, NonText, Distinct };

/// The least deltaEOK between the link and the text colour: about five just noticeable
/// differences. Links in running text are underlined too, so colour is never the only cue.
constexpr double kLinkTextDistance = 0.1;

/// A pair of roles the page paints one on the other. A button's fill against the page is no
/// pair: the label identifies the button, and its text is checked against the fill.
struct RolePair {
    Role foreground;
    Role background;
    PairKind kind;
    /// Text and NonText: the least WCAG ratio; Distinct: the least deltaEOK.
    double target;
};

/// Every pair the page uses: text 7:1 and muted text 4.5:1 on background and surface, each
/// on-X 4.5:1 on X, link 4.5:1 on background and surface and kLinkTextDistance from text,
/// border and focus ring 3:1 on background and surface.
const std::vector<RolePair>& rolePairs();

/// A role the designer set: a choice of its ramp, or a typed colour.
struct RoleOverride {
    /// 0..kChoiceCount-1, or -1 for the typed colour. Any other number names no step: the
    /// role is then chosen by contrast and marked failing with that reason.
    int choice = -1;
    /// The typed colour (8-bit; beyond sRGB the value an sRGB screen shows of exact).
    ColorRGB color;
    /// The typed colour exactly where it lies beyond sRGB; none inside it.
    std::optional<Oklch> exact;
    friend bool operator==(const RoleOverride& a, const RoleOverride& b);
    friend bool operator!=(const RoleOverride& a, const RoleOverride& b) { return !(a == b); }
};

/// The overrides of every role of both themes; none is a role chosen by contrast.
struct RoleOverrides {
    std::array<std::array<std::optional<RoleOverride>, kRoleCount>, kThemeCount> roles{};

    const std::optional<RoleOverride>& at(Theme theme, Role role) const {
        return roles[size_t(theme)][size_t(role)];
    }
    std::optional<RoleOverride>& at(Theme theme, Role role) {
        return roles[size_t(theme)][size_t(role)];
    }
    bool empty() const;
    friend bool operator==(const RoleOverrides& a, const RoleOverrides& b) {
        return a.roles == b.roles;
    }
    friend bool operator!=(const RoleOverrides& a, const RoleOverrides& b) { return !(a == b); }
};

/// One role's colour in one theme.
struct RoleColor {
    ColorRGB color;             ///< the 8-bit colour (every contrast is judged on it)
    std::optional<Oklch> exact; ///< the exact colour where it lies beyond sRGB
    RampKind ramp = RampKind::Neutral;
    /// 0..kChoiceCount-1, the choice of the ramp; -1 for a typed colour.
    int choice = 0;
    bool overridden = false; ///< set by the designer, not chosen by contrast
    bool failing = false;    ///< some pair of the role misses its target
    /// Why it fails, one sentence naming the pairs: "6.20:1 on Surface, needs 7:1; no choice
    /// of the neutral ramp reaches it."; empty when it passes.
    std::string reason;
};

/// One pair as the theme's roles make it.
struct PairResult {
    RolePair pair;
    /// WCAG ratio 1..21 of the 8-bit colours; where either colour is wide, the lower of that
    /// and the ratio of the exact colours as a wide screen shows them.
    double ratio = 1;
    double apcaLc = 0;  ///< APCA Lc of the foreground as text on the background
    double deltaE = 0;  ///< deltaEOK of the two colours
    bool passes = true; ///< the target is met (judged on the exact figure)
};

struct ThemeRoles {
    std::array<RoleColor, kRoleCount> roles;
    std::vector<PairResult> pairs; ///< in rolePairs() order

    const RoleColor& operator[](Role role) const { return roles[size_t(role)]; }
    /// The pairs in which role is the foreground or the background.
    std::vector<PairResult> pairsOf(Role role) const;
    /// Whether every pair meets its target.
    bool allPass() const;
};

struct Roles {
    /// The ramps by RampKind (with two colours the secondary is the base's ramp, the accent
    /// the complement's).
    std::array<Ramp, kRampKindCount> ramps;
    std::array<ThemeRoles, kThemeCount> themes;

    const ThemeRoles& theme(Theme t) const { return themes[size_t(t)]; }
    const Ramp& ramp(RampKind kind) const { return ramps[size_t(kind)]; }
};

/// The colour of choice (0..kChoiceCount-1) of ramp: the step's 8-bit colour and its exact
/// colour beyond sRGB, or white or black.
RoleColor choiceColor(const Ramp& ramp, int choice);

/// The roles of a scheme's colours (2 or 3, in swatch order; fewer than two give the roles
/// of a mid grey), with their exact OKLCH where known (as designSystemOf takes them), and the
/// designer's overrides. Roles are chosen in this order: background, surface, text, muted
/// text, border, focus ring, each fill then the text on it, link. Each role not overridden
/// takes, of the choices whose pairs with the roles chosen before it and the roles the
/// designer set all meet their targets (a fill: and some choice of its ramp reads on it), the
/// one whose lightness is nearest the role's preferred tone (a tie: the higher contrast);
/// where none meets them, the one that comes nearest, marked failing. Background and surface
/// are the ground the rest is measured on: they take their preferred tone (light: neutral 50
/// and white; dark: neutral 950 and 900). Preferred tones, light / dark: text 900 / 100,
/// muted text 600 / 400, border 400 / 600; primary, secondary and accent their colour's own
/// step held within 400..800 / 300..600 (with two colours the secondary 200 / 800 of the
/// base's ramp); link and focus ring the primary's step held within 600..900 / 200..400; the
/// text on a fill 50 where white reads better on the fill than black, else 950.
Roles deriveRoles(const std::vector<ColorRGB>& colors,
                  const std::vector<std::optional<Oklch>>& exact = {},
                  const RoleOverrides& overrides = {});

/// A role colour typed as Set Base Color takes it (any CSS colour; an alpha is ignored), or
/// the message saying what is wrong with the text.
struct RoleColorRead {
    std::optional<RoleOverride> value;
    std::string error; ///< "Cannot read this color: ...", empty when value is set
};
RoleColorRead parseRoleColor(std::string_view text);

} // namespace colorscience
