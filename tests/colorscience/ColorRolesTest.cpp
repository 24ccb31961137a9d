#include "colorscience/ColorRoles.h"
#include "core/CssColor.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <string>

using namespace colorscience;
using core::ColorRGB;

namespace {

struct Scheme {
    std::string name;
    std::vector<ColorRGB> colors;
    std::vector<std::optional<core::Oklch>> exact;
};

ColorRGB rgbOf(const core::Oklch& c) {
    return core::mapToRgb8(c);
}

/// Schemes on every side of the wheel: triads and two-colour complements around the hue
/// circle, greys, very light and very dark bases, and colours beyond sRGB held exactly.
std::vector<Scheme> schemes() {
    std::vector<Scheme> all;
    for (int h = 11; h < 360; h += 30) {
        const core::Oklch base{0.62, 0.16, double(h)};
        const core::Oklch one{0.7, 0.12, std::fmod(h + 120.0, 360)};
        const core::Oklch three{0.5, 0.2, std::fmod(h + 240.0, 360)};
        all.push_back({"triad " + std::to_string(h), {rgbOf(one), rgbOf(base), rgbOf(three)}, {}});
        const core::Oklch complement{0.8, 0.1, std::fmod(h + 180.0, 360)};
        all.push_back({"complement " + std::to_string(h), {rgbOf(complement), rgbOf(base)}, {}});
    }
    all.push_back({"greys", {{128, 128, 128}, {119, 119, 119}, {60, 60, 60}}, {}});
    all.push_back({"white base", {{200, 200, 200}, {255, 255, 255}, {240, 240, 240}}, {}});
    all.push_back({"black base", {{30, 30, 30}, {0, 0, 0}, {10, 10, 10}}, {}});
    all.push_back({"pale yellow", {{255, 253, 224}, {255, 255, 200}, {224, 255, 253}}, {}});
    all.push_back({"near black blue", {{10, 10, 20}, {5, 5, 40}, {20, 0, 10}}, {}});
    all.push_back({"pure yellow", {{0, 0, 255}, {255, 255, 0}, {255, 0, 255}}, {}});
    const core::Oklch wide[] = {{0.65, 0.3, 145}, {0.6486, 0.2995, 28.96}, {0.58, 0.25, 264}};
    all.push_back(
        {"wide", {rgbOf(wide[0]), rgbOf(wide[1]), rgbOf(wide[2])}, {wide[0], wide[1], wide[2]}});
    return all;
}

void PrintTo(const Scheme& s, std::ostream* os) {
    *os << s.name;
}

class RolesOfScheme : public testing::TestWithParam<Scheme> {};

} // namespace

// Every pair the page uses meets its target in both themes, no role is marked, and each
// role is the colour of the choice it names. The ratios are the contrast functions' own,
// which their tests check against WCAG's figures.
TEST_P(RolesOfScheme, EveryPairMeetsItsTargetInBothThemes) {
    const Scheme& s = GetParam();
    const Roles roles = deriveRoles(s.colors, s.exact);
    for (const Theme theme : {Theme::Light, Theme::Dark}) {
        const ThemeRoles& t = roles.theme(theme);
        ASSERT_EQ(t.pairs.size(), rolePairs().size());
        for (const PairResult& p : t.pairs) {
            const ColorRGB f = t[p.pair.foreground].color, b = t[p.pair.background].color;
            const double measure = p.pair.kind == PairKind::Distinct
                                       ? core::deltaEOK(core::oklabOf(f), core::oklabOf(b))
                                       : contrastRatio(rgb24(f.r, f.g, f.b), rgb24(b.r, b.g, b.b));
            // a ratio a whisker above its target, so that no checker's rounding fails it
            const double whisker = p.pair.kind == PairKind::Distinct ? 0 : 0.01;
            EXPECT_GE(measure, p.pair.target + whisker)
                << themeName(theme) << " " << roleInfo(p.pair.foreground).id << " on "
                << roleInfo(p.pair.background).id;
            EXPECT_TRUE(p.passes);
        }
        for (const RoleInfo& info : roleTable()) {
            const RoleColor& r = t[info.role];
            EXPECT_FALSE(r.failing) << themeName(theme) << " " << info.id << ": " << r.reason;
            EXPECT_EQ(r.ramp, info.ramp);
            const RoleColor expected = choiceColor(roles.ramp(info.ramp), r.choice);
            EXPECT_EQ(r.color, expected.color) << info.id;
            EXPECT_EQ(r.exact.has_value(), expected.exact.has_value()) << info.id;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Schemes, RolesOfScheme, testing::ValuesIn(schemes()),
                         [](const testing::TestParamInfo<Scheme>& row) {
                             std::string name = row.param.name;
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

// The brand colour itself is the primary button where it carries text, in both themes: a mid
// tone stays, whatever the text on it has to be.
TEST(ColorRoles, PrimaryIsTheBaseItselfAtAMidTone) {
    for (const ColorRGB base :
         {ColorRGB{37, 99, 235}, ColorRGB{214, 110, 0}, {0, 150, 136}, {194, 24, 91}}) {
        const Roles roles = deriveRoles({{200, 50, 50}, base, {50, 200, 50}});
        const int pinned = roles.ramp(RampKind::Primary).pinnedIndex;
        ASSERT_GE(pinned, 4);
        ASSERT_LE(pinned, 6);
        for (const Theme theme : {Theme::Light, Theme::Dark}) {
            EXPECT_EQ(roles.theme(theme)[Role::Primary].color, base) << core::hexText(base);
            EXPECT_TRUE(roles.theme(theme).allPass());
        }
    }
}

// Two colours: the accent is the complement, the secondary a tone of the base's own ramp.
TEST(ColorRoles, UnderTwoColoursTheAccentIsTheComplement) {
    const ColorRGB complement{230, 140, 40}, base{40, 90, 200};
    const Roles roles = deriveRoles({complement, base});
    EXPECT_EQ(
        roles.ramp(RampKind::Accent).steps[size_t(roles.ramp(RampKind::Accent).pinnedIndex)].color,
        complement);
    EXPECT_EQ(roles.ramp(RampKind::Secondary).steps[0].color,
              roles.ramp(RampKind::Primary).steps[0].color);
    // the tonal secondary is not the primary button again
    for (const Theme theme : {Theme::Light, Theme::Dark})
        EXPECT_FALSE(roles.theme(theme)[Role::Secondary].color ==
                     roles.theme(theme)[Role::Primary].color);
}

// A colour beyond sRGB keeps its exact value in the roles drawn from it.
TEST(ColorRoles, AWideBaseGivesExactRoles) {
    const core::Oklch base{0.62, 0.26, 150};
    const Roles roles =
        deriveRoles({{90, 90, 200}, core::shownOfDisplayP3(base), {200, 90, 90}}, {{}, base, {}});
    const RoleColor& primary = roles.theme(Theme::Light)[Role::Primary];
    ASSERT_TRUE(primary.exact.has_value());
    EXPECT_DOUBLE_EQ(primary.exact->C, base.C);
    EXPECT_EQ(primary.color, core::shownOfDisplayP3(base));
}

// Colours beyond sRGB: the page passes on a wide screen too, where the exact colours show
// and their luminance differs from that of the 8-bit fallback.
TEST(ColorRoles, WideRolesPassOnWideScreensToo) {
    const auto luminance = [](const RoleColor& c) {
        const core::LinearRgb l =
            c.exact ? core::linearOf(core::toOklab(*c.exact)) : core::linearOf(c.color);
        return 0.2126 * l.r + 0.7152 * l.g + 0.0722 * l.b;
    };
    int wide = 0;
    for (int h = 0; h < 360; h += 20) {
        for (const double L : {0.5, 0.65, 0.8}) {
            std::vector<std::optional<core::Oklch>> exact;
            std::vector<ColorRGB> colors;
            for (const double turn : {120.0, 0.0, 240.0}) {
                const core::Oklch c{L, 0.3, std::fmod(h + turn, 360)};
                exact.emplace_back(c);
                colors.push_back(core::shownOfDisplayP3(c));
            }
            const Roles roles = deriveRoles(colors, exact);
            for (const Theme theme : {Theme::Light, Theme::Dark}) {
                for (const PairResult& p : roles.theme(theme).pairs) {
                    const RoleColor& f = roles.theme(theme)[p.pair.foreground];
                    const RoleColor& b = roles.theme(theme)[p.pair.background];
                    if (p.pair.kind == PairKind::Distinct || (!f.exact && !b.exact))
                        continue;
                    ++wide;
                    const double yf = luminance(f), yb = luminance(b);
                    EXPECT_GE((std::max(yf, yb) + 0.05) / (std::min(yf, yb) + 0.05), p.pair.target)
                        << h << " " << L << " " << themeName(theme) << " "
                        << roleInfo(p.pair.foreground).id;
                }
            }
        }
    }
    EXPECT_GT(wide, 100);
}

namespace {

struct OverrideRow {
    const char* name;
    Theme theme;
    Role role;
    RoleOverride value;
    bool failing;
    const char* reason; ///< a part of the reason
};

class RoleOverrideTest : public testing::TestWithParam<OverrideRow> {};

} // namespace

// A role the designer set keeps that colour; the pairs follow it and a pair it breaks marks
// it failing with the pair named. The other theme does not change.
TEST_P(RoleOverrideTest, KeepsTheChoiceAndReportsItsPairs) {
    const OverrideRow& row = GetParam();
    const std::vector<ColorRGB> colors = {{51, 102, 204}, {37, 99, 235}, {204, 51, 102}};
    RoleOverrides overrides;
    overrides.at(row.theme, row.role) = row.value;
    const Roles roles = deriveRoles(colors, {}, overrides);
    const Roles automatic = deriveRoles(colors);
    const RoleColor& r = roles.theme(row.theme)[row.role];
    EXPECT_TRUE(r.overridden);
    EXPECT_EQ(r.choice, row.value.choice);
    EXPECT_EQ(r.color,
              row.value.choice < 0
                  ? row.value.color
                  : choiceColor(roles.ramp(roleInfo(row.role).ramp), row.value.choice).color);
    EXPECT_EQ(r.failing, row.failing) << r.reason;
    EXPECT_NE(r.reason.find(row.reason), std::string::npos) << r.reason;
    for (const PairResult& p : roles.theme(row.theme).pairsOf(row.role))
        EXPECT_EQ(p.ratio, contrastOf(roles.theme(row.theme)[p.pair.foreground].color,
                                      roles.theme(row.theme)[p.pair.background].color));
    const Theme other = row.theme == Theme::Light ? Theme::Dark : Theme::Light;
    for (int i = 0; i < kRoleCount; ++i)
        EXPECT_EQ(roles.theme(other).roles[size_t(i)].color,
                  automatic.theme(other).roles[size_t(i)].color);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RoleOverrideTest,
    testing::Values(
        OverrideRow{"TextOnItsBackground",
                    Theme::Light,
                    Role::Text,
                    {1, {}, {}},
                    true,
                    "on Background, needs 7:1"},
        OverrideRow{"TypedBorder",
                    Theme::Dark,
                    Role::Border,
                    {-1, {40, 40, 40}, {}},
                    true,
                    "on Surface, needs 3:1"},
        OverrideRow{"GoodTypedText", Theme::Light, Role::Text, {-1, {0, 0, 0}, {}}, false, ""},
        OverrideRow{"BackgroundThatBreaksText",
                    Theme::Dark,
                    Role::Background,
                    {0, {}, {}},
                    true,
                    "Text reaches"},
        OverrideRow{
            "PaleLink", Theme::Light, Role::Link, {1, {}, {}}, true, "on Background, needs 4.5:1"}),
    [](const testing::TestParamInfo<OverrideRow>& row) { return std::string(row.param.name); });

// A fill follows the text the designer put on it: white on a pale yellow brand moves the
// button to a tone white reads on.
TEST(ColorRoles, AFillFollowsTheTextSetOnIt) {
    RoleOverrides overrides;
    overrides.at(Theme::Light, Role::OnPrimary) = RoleOverride{kWhiteChoice, {}, {}};
    const Roles roles = deriveRoles({{90, 90, 200}, {255, 221, 87}, {200, 90, 90}}, {}, overrides);
    const ThemeRoles& light = roles.theme(Theme::Light);
    EXPECT_EQ(light[Role::OnPrimary].color, (ColorRGB{255, 255, 255}));
    EXPECT_TRUE(light.allPass());
    EXPECT_GT(light[Role::Primary].choice, roles.ramp(RampKind::Primary).pinnedIndex);
}

// A step that does not exist is never taken for another colour: the search chooses, and the
// role says so.
TEST(ColorRoles, AMissingStepIsChosenByContrastAndMarked) {
    const std::vector<ColorRGB> colors = {{51, 102, 204}, {37, 99, 235}, {204, 51, 102}};
    for (const int bad : {kChoiceCount, -2, 1000}) {
        RoleOverrides overrides;
        overrides.at(Theme::Dark, Role::Border) = RoleOverride{bad, {}, {}};
        const Roles roles = deriveRoles(colors, {}, overrides);
        const RoleColor& r = roles.theme(Theme::Dark)[Role::Border];
        EXPECT_TRUE(r.failing) << bad;
        EXPECT_EQ(r.reason.rfind("The step set does not exist", 0), 0u) << r.reason;
        EXPECT_EQ(r.color, deriveRoles(colors).theme(Theme::Dark)[Role::Border].color);
    }
}

// The link must differ from the text around it; both set alike, both are marked.
TEST(ColorRoles, ALinkLikeTheTextIsMarked) {
    RoleOverrides overrides;
    overrides.at(Theme::Light, Role::Text) = RoleOverride{-1, {20, 40, 120}, {}};
    overrides.at(Theme::Light, Role::Link) = RoleOverride{-1, {22, 40, 120}, {}};
    const ThemeRoles light =
        deriveRoles({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {}, overrides).theme(Theme::Light);
    EXPECT_EQ(light[Role::Link].reason, "differs by 0.002 from Text, needs 0.1.");
    // the text was set too: it shares the blame
    EXPECT_EQ(light[Role::Text].reason, "differs by 0.002 from Link, needs 0.1.");
}

TEST(ColorRoles, NamesReadBack) {
    for (const RoleInfo& info : roleTable())
        EXPECT_EQ(roleFromId(info.id), info.role);
    for (int k = 0; k < kChoiceCount; ++k)
        EXPECT_EQ(choiceFromName(choiceName(k)), k);
    for (const char* bad : {"", "Text", "975", "55", "0", "whit"}) {
        EXPECT_FALSE(roleFromId(bad)) << bad;
        EXPECT_FALSE(choiceFromName(bad)) << bad;
    }
}

namespace {

struct TypedRow {
    const char* text;
    std::optional<ColorRGB> color; ///< none: not a colour
    bool wide;
};

class TypedRoleColor : public testing::TestWithParam<TypedRow> {};

} // namespace

// A role colour reads as Set Base Color reads one; a wide colour stays exact, shown as sRGB
// shows its display-p3 value; anything else is a message and no colour.
TEST_P(TypedRoleColor, ReadsAsTheBaseColorDoes) {
    const TypedRow& row = GetParam();
    const RoleColorRead read = parseRoleColor(row.text);
    ASSERT_EQ(read.value.has_value(), row.color.has_value()) << read.error;
    if (!row.color) {
        EXPECT_EQ(read.error.rfind("Cannot read this color: ", 0), 0u) << read.error;
        return;
    }
    EXPECT_TRUE(read.error.empty());
    EXPECT_EQ(read.value->choice, -1);
    EXPECT_EQ(read.value->exact.has_value(), row.wide);
    EXPECT_EQ(read.value->color,
              row.wide ? core::shownOfDisplayP3(*read.value->exact) : *row.color);
}

INSTANTIATE_TEST_SUITE_P(Rows, TypedRoleColor,
                         testing::Values(TypedRow{"#336699", ColorRGB{51, 102, 153}, false},
                                         TypedRow{" rebeccapurple ", ColorRGB{102, 51, 153}, false},
                                         TypedRow{"#33669980", ColorRGB{51, 102, 153}, false},
                                         TypedRow{"oklch(0.7 0.3 150)", ColorRGB{}, true},
                                         TypedRow{"", std::nullopt, false},
                                         TypedRow{"not a colour", std::nullopt, false},
                                         TypedRow{"rgb(1, 2", std::nullopt, false},
                                         TypedRow{"#12345", std::nullopt, false}));
