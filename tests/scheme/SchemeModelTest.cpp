#include "scheme/SchemeModel.h"

#include "history/SchemeHistory.h"

#include "core/CssColor.h"
#include "core/PerceptualWheel.h"
#include "core/SystemColors.h"
#include "core/Wheel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

using core::SchemeType;
using scheme::SchemeModel;

namespace {

/// The pixel the window's first raster shows at (x, y).
core::Color startAt(int x, int y) {
    static const core::Raster kStart = core::makeStartRaster(core::makeDefaultRaster());
    return kStart.at(x, y);
}

constexpr core::Color kStartSwatch =
    core::swatchCode(core::SwatchValue::system(core::kSystemCaptionText));

} // namespace

// each rule reads the pointer into column 2 and its partners into columns 1 and 3, and draws
// its own lines; complementary leaves column 3 alone
struct RuleCase {
    SchemeType rule;
    int x, y;
    std::array<int, 2> p1;
    std::optional<std::array<int, 2>> p2;
    std::array<bool, 3> lines;
    /// the partners' angles from the pointer's, and their radii over its
    std::array<double, 2> turns;
    std::array<double, 2> scales;
};

void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << "rule " << int(c.rule);
}

class SchemeModelRule : public testing::TestWithParam<RuleCase> {};

TEST_P(SchemeModelRule, ReadsThePointerAndItsPartnersIntoTheColumns) {
    const RuleCase& c = GetParam();
    SchemeModel model;
    model.setRule(c.rule);
    ASSERT_TRUE(model.trackPointer(float(c.x), float(c.y)));
    EXPECT_EQ(core::swatchCode(model.swatchValue(1)), startAt(c.p1[0], c.p1[1]));
    EXPECT_EQ(core::swatchCode(model.swatchValue(3)),
              c.p2 ? startAt((*c.p2)[0], (*c.p2)[1]) : kStartSwatch);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(model.line(k).visible, c.lines[size_t(k - 1)]) << "line " << k;
    // lines end at the pointer and the partners they lead to
    EXPECT_EQ(model.line(1).x2, float(c.x));
    if (c.lines[1]) {
        EXPECT_NEAR(model.line(2).x2, c.p1[0], 0.5);
    }
    // an export holds the scheme's own colours only
    EXPECT_EQ(model.schemeColors().size(), c.p2 ? 3u : 2u);
    EXPECT_EQ(model.schemeColors()[0], model.swatchColor(1));
}

using T = SchemeType;
// rule, pointer, P1, P2, lines, turns, scales
const RuleCase kRules[] = {
    {T::Analogous, 200, 60, {221, 92}, {{168, 39}}, {true, true, true}, {-22.5, 22.5}, {1, 1}},
    {T::Complementary, 200, 60, {60, 200}, {}, {true, true, false}, {180, 0}, {1, 1}},
    {T::SplitComplementary, 200, 60, {39, 168}, {{92, 221}}, {1, 1, 1}, {157.5, 202.5}, {1, 1}},
    {T::Triad, 130, 30, {38, 92}, {{222, 92}}, {true, true, true}, {67.5, -67.5}, {1, 1}},
    {T::Monochromatic, 200, 60, {214, 46}, {{186, 74}}, {true, false, false}, {0, 0}, {1.2, 0.8}},
};
INSTANTIATE_TEST_SUITE_P(Rules, SchemeModelRule, testing::ValuesIn(kRules));

// On the perceptual disc a rule keeps its lines and geometry but computes every colour at the
// exact derived angle and radius; a typed base lands exactly, frozen, and the lightness, a
// deliberate choice, moves even a frozen scheme.
TEST_P(SchemeModelRule, ComputesThePerceptualColoursAtTheExactAngles) {
    const RuleCase& c = GetParam();
    const core::WheelGeometry g = SchemeModel::geometry();
    SchemeModel model;
    model.setRaster(scheme::WheelRaster::Perceptual);
    model.setRule(c.rule);
    const auto expectScheme = [&](double theta, double r, double L, const char* when) {
        // Monochromatic keeps the base's hue and chroma and steps the lightness instead: a
        // scaled chroma outside sRGB would map back onto the base
        const bool mono = c.rule == SchemeType::Monochromatic;
        const auto at = [&](double turn, double scale, double step) {
            const double lightness = std::clamp(L + (mono ? step : 0.0), 0.0, 1.0);
            const core::ColorRGB v = core::mapToRgb8(
                core::perceptualPolar(theta + turn, r * (mono ? 1.0 : scale), lightness, g));
            return core::rgbValue(v.r, v.g, v.b);
        };
        EXPECT_EQ(core::swatchCode(model.swatchValue(1)), at(c.turns[0], c.scales[0], 0.15))
            << when;
        EXPECT_EQ(core::swatchCode(model.swatchValue(3)),
                  c.p2 ? at(c.turns[1], c.scales[1], -0.15) : kStartSwatch)
            << when;
    };
    // off the surface on any side the move is ignored, as on a raster
    for (const auto& [x, y] :
         {std::pair(-1.f, 100.f), {100.f, -1.f}, {260.f, 100.f}, {100.f, 260.f}})
        EXPECT_FALSE(model.trackPointer(x, y)) << x << "," << y;
    ASSERT_TRUE(model.trackPointer(float(c.x), float(c.y)));
    const double theta = core::pointerTheta(float(c.x), float(c.y), g);
    const double r = core::clampedRadius(float(c.x), float(c.y), g);
    expectScheme(theta, r, 0.65, "pointer");
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(model.line(k).visible, c.lines[size_t(k - 1)]) << "line " << k;

    const core::CssColor typed = *core::parseCssColor("oklch(55% 0.15 250)").color;
    const core::ColorRGB rgb8 = core::rgb8Of(typed);
    const core::Oklch exact = core::toOklch(typed.oklab);
    model.setBaseColor(rgb8, exact);
    const double radius = 0.15 / core::kPerceptualRimChroma * g.rmax;
    expectScheme(exact.h, radius, 0.55, "typed");
    model.setLightness(0.4);
    const core::ColorRGB base = core::mapToRgb8(core::perceptualPolar(exact.h, radius, 0.4, g));
    EXPECT_EQ(core::swatchCode(model.swatchValue(2)), core::rgbValue(base.r, base.g, base.b));
    expectScheme(exact.h, radius, 0.4, "lightness");
}

// On the perceptual disc every scheme colour keeps its exact OKLCH, whose sRGB mapping is the
// swatch; a column given a colour of its own, and every column on a classic wheel, has none.
TEST_P(SchemeModelRule, KeepsTheExactColourOfEveryPerceptualColumn) {
    const RuleCase& c = GetParam();
    const core::WheelGeometry g = SchemeModel::geometry();
    SchemeModel model;
    model.setRaster(scheme::WheelRaster::Perceptual);
    EXPECT_FALSE(model.exactColor(2)) << "before the first scheme";
    model.setRule(c.rule);
    // the rim at red's hue lies outside sRGB
    const core::SamplePoint rim = core::pointAt(29, g.rmax, g);
    ASSERT_TRUE(model.trackPointer(float(rim.x), float(rim.y)));
    const auto expectExact = [&](const char* when) {
        const std::vector<std::optional<core::Oklch>> exact = model.exactColors();
        ASSERT_EQ(exact.size(), model.schemeColors().size()) << when;
        for (size_t i = 0; i < exact.size(); ++i) {
            ASSERT_TRUE(exact[i]) << when << " colour " << i + 1;
            const core::ColorRGB mapped = core::mapToRgb8(*exact[i]);
            EXPECT_EQ(core::rgbValue(mapped.r, mapped.g, mapped.b), model.schemeColors()[i])
                << when << " colour " << i + 1;
        }
        EXPECT_EQ(model.exactColor(3).has_value(), c.p2.has_value()) << when;
    };
    expectExact("pointer");
    const core::Oklch pointer = core::perceptualPoint(float(rim.x), float(rim.y), 0.65, g);
    EXPECT_NEAR(model.exactColor(2)->C, pointer.C, 1e-12);
    EXPECT_TRUE(core::outsideSrgb(*model.exactColor(2)));

    const core::Oklch p3Red =
        core::toOklch(core::oklabOf(core::linearP3Of(core::DisplayP3{1, 0, 0})));
    model.setBaseColor(core::mapToRgb8(p3Red), p3Red);
    expectExact("chosen base");
    EXPECT_EQ(model.exactColor(2)->C, p3Red.C);
    EXPECT_EQ(model.exactColor(2)->h, p3Red.h);

    model.setSwatchColor(1, 0x563412);
    EXPECT_FALSE(model.exactColor(1)) << "a colour of its own";
    EXPECT_TRUE(model.exactColor(2));
    model.setRaster(scheme::WheelRaster::Default);
    model.trackPointer(float(c.x), float(c.y));
    for (const std::optional<core::Oklch>& exact : model.exactColors())
        EXPECT_FALSE(exact) << "classic wheel";
}

// at every rim hue and every lightness the three Monochromatic colours differ, out to the rim
// where the disc lies far outside sRGB
TEST(SchemeModel, PerceptualMonochromaticNeverCollapses) {
    SchemeModel model;
    model.setRaster(scheme::WheelRaster::Perceptual);
    model.setRule(SchemeType::Monochromatic);
    const core::WheelGeometry g = SchemeModel::geometry();
    for (double L : {0.3, 0.5, 0.65, 0.8}) {
        model.setLightness(L);
        for (int hue = 0; hue < 360; hue += 15) {
            const core::SamplePoint p = core::pointAt(hue, g.rmax - 2, g);
            ASSERT_TRUE(model.trackPointer(float(p.x), float(p.y)));
            const std::array<core::Color, 3> shown = model.swatchColors();
            const std::set<core::Color> colours(shown.begin(), shown.end());
            EXPECT_EQ(colours.size(), 3u) << "L " << L << " hue " << hue;
        }
    }
}

TEST(SchemeModel, TypedTextStaysUntilTheSchemeWritesAgain) {
    SchemeModel model;
    model.trackPointer(200, 60);
    model.setText(1, scheme::Field::Blue, "typed");
    model.trackPointer(300, 50); // off the surface: nothing is written
    EXPECT_EQ(model.texts(1).blue, "typed");
    // a rule choice runs the rule again, even on a frozen wheel
    model.toggleFreeze();
    model.setRule(SchemeType::Triad);
    EXPECT_EQ(model.texts(1).blue,
              std::to_string(core::splitColor(core::swatchCode(model.swatchValue(1))).b));
}

TEST(SchemeModel, ARasterSwitchTakesEffectAtTheNextMove) {
    SchemeModel model;
    model.trackPointer(60, 60);
    const core::Color picked = core::swatchCode(model.swatchValue(2));
    model.setRaster(scheme::WheelRaster::WebSafe);
    EXPECT_EQ(core::swatchCode(model.swatchValue(2)), picked);
    EXPECT_FALSE(model.previewPaint().has_value()); // nor is the preview painted
    model.trackPointer(60, 60);
    EXPECT_EQ(core::swatchCode(model.swatchValue(2)),
              model.raster(scheme::WheelRaster::WebSafe).at(60, 60));
}

TEST(SchemeModel, FileTextsAreSingleByteWithAQuestionMarkBeyondLatin1) {
    SchemeModel model;
    model.setText(1, scheme::Field::Html, "caf\xC3\xA9");
    model.setText(3, scheme::Field::WebSafe,
                  "\xE2\x82\xAC"
                  "5");
    EXPECT_EQ(model.fileTexts()[0].html, "caf\xE9");
    EXPECT_EQ(model.fileTexts()[2].webSafe, "?5");
}

// the swatches hold no colour until the rule first runs; what only looks or waits gives none
TEST(SchemeModel, HasASchemeOnceTheRuleHasRun) {
    struct Step {
        const char* what;
        std::function<void(SchemeModel&)> act;
        bool scheme;
    };
    const Step steps[] = {
        {"a move off the surface", [](SchemeModel& m) { m.trackPointer(300, 50); }, false},
        {"a click", [](SchemeModel& m) { m.toggleFreeze(); }, false},
        {"a wheel", [](SchemeModel& m) { m.setRaster(scheme::WheelRaster::WebSafe); }, false},
        {"a move", [](SchemeModel& m) { m.trackPointer(200, 60); }, true},
        {"a rule", [](SchemeModel& m) { m.setRule(SchemeType::Complementary); }, true},
        {"a base",
         [](SchemeModel& m) {
             m.setBaseColor({51, 102, 204}, {0.5, 0.1, 260});
         },
         true},
    };
    for (const Step& step : steps) {
        SchemeModel model;
        EXPECT_FALSE(model.hasScheme());
        step.act(model);
        EXPECT_EQ(model.hasScheme(), step.scheme) << step.what;
    }
}

// Setting a role is one step of the history: undone, the role follows the contrast search
// again; redone, it is set again; setting what is already set is no step. The roles follow
// the scheme's colours, and a role change announces only the roles.
TEST(SchemeModel, ARoleSetIsOneUndoableStep) {
    using colorscience::Role;
    using colorscience::Theme;
    SchemeModel model;
    history::SchemeHistory history(model);
    model.setRaster(scheme::WheelRaster::Perceptual);
    model.setBaseColor({37, 99, 235}, core::toOklch(core::oklabOf(core::ColorRGB{37, 99, 235})));
    const colorscience::Roles before = model.roles();
    EXPECT_EQ(before.theme(Theme::Light)[Role::Primary].color, (core::ColorRGB{37, 99, 235}));
    std::vector<scheme::Change> changes;
    QObject::connect(&model, &SchemeModel::changed,
                     [&changes](scheme::Change what) { changes.push_back(what); });

    history.setRole(Theme::Dark, Role::Text, colorscience::RoleOverride{1, {}, {}});
    const colorscience::RoleOverride typed = *colorscience::parseRoleColor("#102030").value;
    history.setRole(Theme::Light, Role::Link, typed);
    history.setRole(Theme::Light, Role::Link, typed);
    ASSERT_EQ(history.stack().count(), 2);
    EXPECT_EQ(history.stack().text(0), QStringLiteral("Text (dark) \u2192 100"));
    EXPECT_EQ(history.stack().text(1), QStringLiteral("Link (light) \u2192 #102030"));
    EXPECT_EQ(changes, std::vector<scheme::Change>(2, scheme::Change::Roles));
    EXPECT_EQ(model.roles().theme(Theme::Dark)[Role::Text].choice, 1);
    EXPECT_EQ(model.roles().theme(Theme::Light)[Role::Link].color, (core::ColorRGB{16, 32, 48}));

    history.stack().undo();
    EXPECT_FALSE(model.roleOverrides().at(Theme::Light, Role::Link));
    EXPECT_EQ(model.roles().theme(Theme::Light)[Role::Link].color,
              before.theme(Theme::Light)[Role::Link].color);
    history.stack().undo();
    EXPECT_TRUE(model.roleOverrides().empty());
    history.stack().redo();
    history.stack().redo();
    EXPECT_EQ(model.roleOverrides().at(Theme::Light, Role::Link), typed);
    history.setRole(Theme::Light, Role::Link, std::nullopt);
    EXPECT_EQ(history.stack().text(2), QStringLiteral("Link (light) \u2192 automatic"));
    EXPECT_FALSE(model.roleOverrides().at(Theme::Light, Role::Link));
}
