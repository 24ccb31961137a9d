#include "ColorRoles.h"

#include "core/CssColor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace colorscience {

namespace {

/// The one place the roles meet the contrast functions' colour type.
Rgb24 contrastColor(ColorRGB c) {
    return rgb24(c.r, c.g, c.b);
}

double wcagRatio(ColorRGB a, ColorRGB b) {
    return contrastRatio(contrastColor(a), contrastColor(b));
}

/// WCAG relative luminance of a role's colour as a wide screen shows it: of its exact colour
/// where it lies beyond sRGB (inside display-p3 that is never below 0), else of the 8-bit.
double wideLuminance(const RoleColor& c) {
    const core::LinearRgb l =
        c.exact ? core::linearOf(core::toOklab(*c.exact)) : core::linearOf(c.color);
    return std::max(0.0, 0.2126 * l.r + 0.7152 * l.g + 0.0722 * l.b);
}

/// The ratio a pair is judged on: that of the 8-bit colours an sRGB screen shows and, where
/// either is wide, the lower of it and the ratio a wide screen shows of the exact colours, so
/// that a page passes on both.
double pairRatio(const RoleColor& a, const RoleColor& b) {
    const double ratio = wcagRatio(a.color, b.color);
    if (!a.exact && !b.exact)
        return ratio;
    const double ya = wideLuminance(a), yb = wideLuminance(b);
    return std::min(ratio, (std::max(ya, yb) + 0.05) / (std::min(ya, yb) + 0.05));
}

double apcaLc(ColorRGB text, ColorRGB background) {
    return apcaContrast(contrastColor(text), contrastColor(background));
}

const std::array<RoleInfo, kRoleCount> kRoles = {{
    {Role::Background, "background", "Background", "bg", "background", RampKind::Neutral},
    {Role::Surface, "surface", "Surface", "surface", "surface", RampKind::Neutral},
    {Role::Text, "text", "Text", "text", "text", RampKind::Neutral},
    {Role::MutedText, "text-muted", "Muted text", "text-muted", "text-muted", RampKind::Neutral},
    {Role::Border, "border", "Border", "border", "border", RampKind::Neutral},
    {Role::Primary, "primary", "Primary", "primary", "primary", RampKind::Primary},
    {Role::OnPrimary, "on-primary", "On primary", "on-primary", "on-primary", RampKind::Primary},
    {Role::Secondary, "secondary", "Secondary", "secondary", "secondary", RampKind::Secondary},
    {Role::OnSecondary, "on-secondary", "On secondary", "on-secondary", "on-secondary",
     RampKind::Secondary},
    {Role::Accent, "accent", "Accent", "accent", "accent", RampKind::Accent},
    {Role::OnAccent, "on-accent", "On accent", "on-accent", "on-accent", RampKind::Accent},
    {Role::Link, "link", "Link", "link", "link", RampKind::Primary},
    {Role::FocusRing, "focus-ring", "Focus ring", "focus-ring", "focus-ring", RampKind::Primary},
}};

constexpr double kTextRatio = 7.0;
constexpr double kReadableRatio = 4.5;
constexpr double kNonTextRatio = 3.0;

const std::vector<RolePair> kPairs = {
    {Role::Text, Role::Background, PairKind::Text, kTextRatio},
    {Role::Text, Role::Surface, PairKind::Text, kTextRatio},
    {Role::MutedText, Role::Background, PairKind::Text, kReadableRatio},
    {Role::MutedText, Role::Surface, PairKind::Text, kReadableRatio},
    {Role::OnPrimary, Role::Primary, PairKind::Text, kReadableRatio},
    {Role::OnSecondary, Role::Secondary, PairKind::Text, kReadableRatio},
    {Role::OnAccent, Role::Accent, PairKind::Text, kReadableRatio},
    {Role::Link, Role::Background, PairKind::Text, kReadableRatio},
    {Role::Link, Role::Surface, PairKind::Text, kReadableRatio},
    {Role::Link, Role::Text, PairKind::Distinct, kLinkTextDistance},
    {Role::Border, Role::Background, PairKind::NonText, kNonTextRatio},
    {Role::Border, Role::Surface, PairKind::NonText, kNonTextRatio},
    {Role::FocusRing, Role::Background, PairKind::NonText, kNonTextRatio},
    {Role::FocusRing, Role::Surface, PairKind::NonText, kNonTextRatio},
};

/// The order roles are chosen in: the ground first, then what sits on it; each fill before
/// the text on it, the link after the text it must differ from.
constexpr std::array<Role, kRoleCount> kChoiceOrder = {
    Role::Background, Role::Surface,  Role::Text,      Role::MutedText, Role::Border,
    Role::FocusRing,  Role::Primary,  Role::OnPrimary, Role::Secondary, Role::OnSecondary,
    Role::Accent,     Role::OnAccent, Role::Link};

/// The lightness a choice stands for: its step's target, 1 for white, 0 for black.
double choiceLightness(int choice) {
    if (choice == kWhiteChoice)
        return 1.0;
    if (choice == kBlackChoice)
        return 0.0;
    return kRampLightness[size_t(choice)];
}

/// The nearest step lightness to L within lo..hi.
double clampedTone(double L, double lo, double hi) {
    return std::clamp(L, lo, hi);
}

std::string figure(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

/// What the search asks beyond a ratio's target: a pair chosen this close above it still
/// passes where a checker rounds the luminances its own way.
constexpr double kRatioWhisker = 0.01;

/// A pair's measure against what the search asks of it: 1 and above passes.
double margin(const RolePair& pair, const RoleColor& foreground, const RoleColor& background) {
    if (pair.kind == PairKind::Distinct)
        return core::deltaEOK(core::oklabOf(foreground.color), core::oklabOf(background.color)) /
               pair.target;
    return pairRatio(foreground, background) / (pair.target + kRatioWhisker);
}

bool isFill(Role role) {
    return role == Role::Primary || role == Role::Secondary || role == Role::Accent;
}

/// The on-X role of fill X.
Role onRole(Role fill) {
    return static_cast<Role>(int(fill) + 1);
}

class Chooser {
public:
    Chooser(const Roles& roles, Theme theme, const RoleOverrides& overrides,
            const std::array<double, kRampKindCount>& pinnedTone, bool twoColors)
        : m_roles(roles), m_theme(theme), m_overrides(overrides), m_pinnedTone(pinnedTone),
          m_twoColors(twoColors) {}

    ThemeRoles run() {
        for (int i = 0; i < kRoleCount; ++i)
            if (const auto& o = m_overrides.at(m_theme, static_cast<Role>(i)))
                setOverride(static_cast<Role>(i), *o);
        for (const Role role : kChoiceOrder)
            if (!m_known[size_t(role)])
                choose(role);
        return finish();
    }

private:
    const Ramp& rampOf(Role role) const { return m_roles.ramp(roleInfo(role).ramp); }

    void setOverride(Role role, const RoleOverride& o) {
        RoleColor& r = m_out.roles[size_t(role)];
        if (o.choice < -1 || o.choice >= kChoiceCount) {
            // no such step: the search chooses, and the role says why it is not what was set
            m_missingStep[size_t(role)] = true;
            return;
        }
        if (o.choice >= 0) {
            r = choiceColor(rampOf(role), o.choice);
        } else {
            r.color = o.color;
            r.exact = o.exact;
            r.choice = -1;
        }
        r.ramp = roleInfo(role).ramp;
        r.overridden = true;
        m_known[size_t(role)] = true;
    }

    bool light() const { return m_theme == Theme::Light; }

    /// The lightness role prefers, with the ground and what sits on it known.
    double preferredTone(Role role) const {
        const double pinned = m_pinnedTone[size_t(roleInfo(role).ramp)];
        switch (role) {
        case Role::Background:
            return light() ? kRampLightness[0] : kRampLightness[10];
        case Role::Surface:
            return light() ? 1.0 : kRampLightness[9];
        case Role::Text:
            return light() ? kRampLightness[9] : kRampLightness[1];
        case Role::MutedText:
            return light() ? kRampLightness[6] : kRampLightness[4];
        case Role::Border:
            return light() ? kRampLightness[4] : kRampLightness[6];
        case Role::Secondary:
            // the tonal button beside the primary when the secondary shares its ramp
            if (m_twoColors)
                return light() ? kRampLightness[2] : kRampLightness[8];
            [[fallthrough]];
        case Role::Primary:
        case Role::Accent:
            return light() ? clampedTone(pinned, kRampLightness[8], kRampLightness[4])
                           : clampedTone(pinned, kRampLightness[6], kRampLightness[3]);
        case Role::Link:
        case Role::FocusRing:
            return light() ? clampedTone(pinned, kRampLightness[9], kRampLightness[6])
                           : clampedTone(pinned, kRampLightness[4], kRampLightness[2]);
        case Role::OnPrimary:
        case Role::OnSecondary:
        case Role::OnAccent: {
            // the light end on a fill white reads better on, else the dark end
            const ColorRGB fill = m_out.roles[size_t(role) - 1].color;
            return wcagRatio(fill, {255, 255, 255}) >= wcagRatio(fill, {0, 0, 0})
                       ? kRampLightness[0]
                       : kRampLightness[10];
        }
        }
        return 0.5;
    }

    /// The least margin of a candidate colour for role over the pairs whose other side is
    /// known; a fill whose text is still to be chosen counts the best text its ramp offers.
    double score(Role role, const RoleColor& c) const {
        double least = 1e9;
        // the ground is what the rest is measured on: it follows its preference alone
        if (role == Role::Background || role == Role::Surface)
            return least;
        for (const RolePair& pair : kPairs) {
            const bool fore = pair.foreground == role;
            if (!fore && pair.background != role)
                continue;
            const Role other = fore ? pair.background : pair.foreground;
            if (!m_known[size_t(other)])
                continue;
            const RoleColor& o = m_out.roles[size_t(other)];
            least = std::min(least, fore ? margin(pair, c, o) : margin(pair, o, c));
        }
        if (isFill(role) && !m_known[size_t(onRole(role))]) {
            double best = 0;
            for (int k = 0; k < kChoiceCount; ++k)
                best = std::max(best, pairRatio(choiceColor(rampOf(role), k), c));
            least = std::min(least, best / (kReadableRatio + kRatioWhisker));
        }
        return least;
    }

    void choose(Role role) {
        const Ramp& ramp = rampOf(role);
        const double tone = preferredTone(role);
        int chosen = -1, best = -1;
        double chosenScore = 0, bestScore = -1;
        for (int k = 0; k < kChoiceCount; ++k) {
            const double s = score(role, choiceColor(ramp, k));
            if (s > bestScore) {
                best = k;
                bestScore = s;
            }
            if (s < 1)
                continue;
            const double d = std::fabs(choiceLightness(k) - tone);
            const double dc = chosen < 0 ? 2 : std::fabs(choiceLightness(chosen) - tone);
            if (chosen < 0 || d < dc - 1e-12 || (std::fabs(d - dc) <= 1e-12 && s > chosenScore)) {
                chosen = k;
                chosenScore = s;
            }
        }
        const bool found = chosen >= 0;
        m_out.roles[size_t(role)] = choiceColor(ramp, found ? chosen : best);
        m_out.roles[size_t(role)].ramp = roleInfo(role).ramp;
        m_unreachable[size_t(role)] = !found;
        m_known[size_t(role)] = true;
    }

    ThemeRoles finish() {
        for (const RolePair& pair : kPairs) {
            const RoleColor& f = m_out.roles[size_t(pair.foreground)];
            const RoleColor& b = m_out.roles[size_t(pair.background)];
            PairResult p;
            p.pair = pair;
            p.ratio = pairRatio(f, b);
            p.apcaLc = apcaLc(f.color, b.color);
            p.deltaE = core::deltaEOK(core::oklabOf(f.color), core::oklabOf(b.color));
            p.passes = (pair.kind == PairKind::Distinct ? p.deltaE : p.ratio) >= pair.target;
            m_out.pairs.push_back(p);
        }
        for (int i = 0; i < kRoleCount; ++i) {
            const auto role = static_cast<Role>(i);
            RoleColor& r = m_out.roles[size_t(i)];
            std::string reason;
            for (const PairResult& p : m_out.pairs) {
                if (p.passes)
                    continue;
                const bool fore = p.pair.foreground == role;
                // a pair fails its foreground; a background only where the designer set it
                if (!fore && !(p.pair.background == role && r.overridden))
                    continue;
                const RoleInfo& other = roleInfo(fore ? p.pair.background : p.pair.foreground);
                std::string what;
                if (p.pair.kind == PairKind::Distinct)
                    what = "differs by " + figure(std::round(p.deltaE * 1000) / 1000) + " from " +
                           other.caption + ", needs " + figure(p.pair.target);
                else if (fore)
                    what = ratioText(p.ratio) + " on " + other.caption + ", needs " +
                           figure(p.pair.target) + ":1";
                else
                    what = std::string(other.caption) + " reaches " + ratioText(p.ratio) +
                           " on it, needs " + figure(p.pair.target) + ":1";
                reason += (reason.empty() ? "" : "; ") + what;
            }
            if (!reason.empty() && m_unreachable[size_t(i)])
                reason +=
                    std::string("; no choice of the ") + rampKindName(r.ramp) + " ramp reaches it";
            if (m_missingStep[size_t(i)])
                reason.insert(0, reason.empty()
                                     ? "The step set does not exist, so contrast chose it"
                                     : "The step set does not exist, so contrast chose it; ");
            r.failing = !reason.empty();
            r.reason = r.failing ? reason + "." : std::string();
        }
        return m_out;
    }

    const Roles& m_roles;
    Theme m_theme;
    const RoleOverrides& m_overrides;
    std::array<double, kRampKindCount> m_pinnedTone;
    bool m_twoColors;
    ThemeRoles m_out;
    std::array<bool, kRoleCount> m_known{};
    std::array<bool, kRoleCount> m_unreachable{};
    std::array<bool, kRoleCount> m_missingStep{};
};

} // namespace

const std::array<RoleInfo, kRoleCount>& roleTable() {
    return kRoles;
}

const RoleInfo& roleInfo(Role role) {
    return kRoles[size_t(role)];
}

std::optional<Role> roleFromId(std::string_view id) {
    for (const RoleInfo& info : kRoles)
        if (id == info.id)
            return info.role;
    return std::nullopt;
}

const char* themeName(Theme theme) {
    return theme == Theme::Light ? "light" : "dark";
}

std::optional<Theme> themeFromName(std::string_view name) {
    if (name == "light")
        return Theme::Light;
    if (name == "dark")
        return Theme::Dark;
    return std::nullopt;
}

const char* rampKindName(RampKind kind) {
    switch (kind) {
    case RampKind::Neutral:
        return "neutral";
    case RampKind::Primary:
        return "primary";
    case RampKind::Secondary:
        return "secondary";
    case RampKind::Accent:
        return "accent";
    }
    return "";
}

std::string choiceName(int choice) {
    if (choice >= 0 && choice < kRampSize)
        return std::to_string(kRampSteps[size_t(choice)]);
    if (choice == kWhiteChoice)
        return "white";
    if (choice == kBlackChoice)
        return "black";
    return {};
}

std::optional<int> choiceFromName(std::string_view name) {
    for (int k = 0; k < kChoiceCount; ++k)
        if (name == choiceName(k))
            return k;
    return std::nullopt;
}

const std::vector<RolePair>& rolePairs() {
    return kPairs;
}

bool operator==(const RoleOverride& a, const RoleOverride& b) {
    const auto sameExact = [](const std::optional<Oklch>& x, const std::optional<Oklch>& y) {
        if (!x || !y)
            return x.has_value() == y.has_value();
        return x->L == y->L && x->C == y->C && x->h == y->h;
    };
    return a.choice == b.choice && a.color == b.color && sameExact(a.exact, b.exact);
}

bool RoleOverrides::empty() const {
    for (const auto& theme : roles)
        for (const auto& o : theme)
            if (o)
                return false;
    return true;
}

std::vector<PairResult> ThemeRoles::pairsOf(Role role) const {
    std::vector<PairResult> out;
    for (const PairResult& p : pairs)
        if (p.pair.foreground == role || p.pair.background == role)
            out.push_back(p);
    return out;
}

bool ThemeRoles::allPass() const {
    return std::all_of(pairs.begin(), pairs.end(), [](const PairResult& p) { return p.passes; });
}

RoleColor choiceColor(const Ramp& ramp, int choice) {
    RoleColor r;
    r.choice = std::clamp(choice, 0, kChoiceCount - 1);
    if (r.choice == kWhiteChoice) {
        r.color = {255, 255, 255};
    } else if (r.choice == kBlackChoice) {
        r.color = {0, 0, 0};
    } else {
        const RampStep& step = ramp.steps[size_t(r.choice)];
        r.color = step.color;
        r.exact = step.exact;
    }
    return r;
}

Roles deriveRoles(const std::vector<ColorRGB>& colors,
                  const std::vector<std::optional<Oklch>>& exact, const RoleOverrides& overrides) {
    std::vector<ColorRGB> c = colors;
    if (c.size() < 2)
        c = {{119, 119, 119}, {119, 119, 119}};
    const auto exactOf = [&](size_t i) {
        return colors.size() >= 2 && i < exact.size() ? exact[i] : std::optional<Oklch>();
    };
    const bool twoColors = c.size() == 2;
    Roles roles;
    roles.ramps[size_t(RampKind::Neutral)] = neutralRamp(c[1]);
    roles.ramps[size_t(RampKind::Primary)] = tonalRamp(c[1], exactOf(1));
    const Ramp complement = tonalRamp(c[0], exactOf(0));
    roles.ramps[size_t(RampKind::Secondary)] =
        twoColors ? roles.ramps[size_t(RampKind::Primary)] : complement;
    roles.ramps[size_t(RampKind::Accent)] = twoColors ? complement : tonalRamp(c[2], exactOf(2));
    std::array<double, kRampKindCount> pinnedTone{};
    for (size_t k = 0; k < kRampKindCount; ++k) {
        const int pinned = roles.ramps[k].pinnedIndex;
        pinnedTone[k] = pinned >= 0 ? kRampLightness[size_t(pinned)] : 0.5;
    }
    for (const Theme theme : {Theme::Light, Theme::Dark})
        roles.themes[size_t(theme)] = Chooser(roles, theme, overrides, pinnedTone, twoColors).run();
    return roles;
}

RoleColorRead parseRoleColor(std::string_view text) {
    RoleColorRead read;
    const core::CssParseResult css = core::parseCssColor(text);
    if (!css.color) {
        read.error = "Cannot read this color: " + css.error + ".";
        return read;
    }
    const core::BaseColor base = core::baseColorOf(*css.color);
    RoleOverride o;
    o.choice = -1;
    if (core::outsideSrgb(base.exact)) {
        // one colour: the sRGB fallback is the wide value itself as sRGB shows it, as a ramp's
        o.exact = base.exact;
        o.color = core::shownOfDisplayP3(base.exact);
    } else {
        o.color = base.rgb8;
    }
    read.value = o;
    return read;
}

} // namespace colorscience
