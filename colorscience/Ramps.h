#pragma once

#include "Contrast.h"
#include "core/Oklab.h"

#include <array>
#include <optional>
#include <vector>

// From a scheme to a design system: tonal ramps of each colour and a tinted neutral, the
// dark twin of a colour, and the smallest lightness change that makes a failing pair pass.
// Every colour is an OKLCH colour mapped into sRGB by the CSS algorithm and rounded to 8
// bits, and every WCAG check is made on those 8-bit colours, the codes a user copies.

namespace colorscience {

using core::ColorRGB;
using core::Oklch;

constexpr int kRampSize = 11;
/// The steps' names, lightest first.
constexpr std::array<int, kRampSize> kRampSteps = {50,  100, 200, 300, 400, 500,
                                                   600, 700, 800, 900, 950};
/// Target OKLCH lightness (0..1) of each step.
constexpr std::array<double, kRampSize> kRampLightness = {0.975, 0.945, 0.885, 0.81, 0.71, 0.635,
                                                          0.555, 0.48,  0.41,  0.34, 0.25};
/// Share (0..1) of the source's chroma each step keeps.
constexpr std::array<double, kRampSize> kRampChromaScale = {0.12, 0.25, 0.45, 0.7, 0.9, 1.0,
                                                            1.0,  0.9,  0.75, 0.6, 0.45};
/// The neutral ramp's chroma before the per-step scale.
constexpr double kNeutralChroma = 0.012;
/// Below this OKLCH chroma a colour is a grey and its hue means nothing: a neutral made from
/// it stays grey instead of taking the rounding noise's hue.
constexpr double kAchromaticChroma = 1e-6;

struct RampStep {
    int step = 0;        ///< 50..950
    Oklch target;        ///< lightness, chroma and hue asked for (before gamut mapping)
    ColorRGB color;      ///< the gamut-mapped 8-bit colour (the source itself when pinned)
    bool pinned = false; ///< this step is the source colour, exactly
    /// The step's exact colour where it lies beyond sRGB (the target, or the source's exact
    /// colour when pinned); color is then shownOfDisplayP3 of it. None inside sRGB.
    std::optional<Oklch> exact;
};

struct Ramp {
    std::array<RampStep, kRampSize> steps;
    int pinnedIndex = -1; ///< 0..10, or -1 (the neutral ramp pins nothing)
};

/// Index 0..10 of the step whose target lightness is nearest L (0..1); a tie goes to the
/// lighter step.
int nearestStepIndex(double L);

/// The tonal ramp of a source: each step at its target lightness with the source's hue and
/// chroma x scale; the source itself pinned at nearestStepIndex of its own lightness.
Ramp tonalRamp(ColorRGB source);
/// The same for a source known exactly (its 8-bit colour source, its OKLCH exact). Beyond sRGB
/// the ramp is made once, from exact: the steps take its hue and chroma, the pinned step is
/// exact itself, and a step beyond sRGB keeps its exact colour and shows the display-p3 value
/// a file holds of it as an sRGB screen does. None, or inside sRGB: tonalRamp(source).
Ramp tonalRamp(ColorRGB source, const std::optional<Oklch>& exact);

/// The neutral ramp: chroma 0.012 x scale at the base colour's hue (grey for a grey base).
Ramp neutralRamp(ColorRGB base);

/// A colour for the dark background that keeps the contrast its original had on white.
struct DarkTwin {
    ColorRGB color;
    double lightness = 0;      ///< OKLCH lightness 0..1 the twin was made at
    double contrast = 1;       ///< WCAG ratio 1..21 of the twin on the background
    double targetContrast = 1; ///< WCAG ratio of the original on white
    bool reachable = true;     ///< false when no lightness reaches the target: the twin is
                               ///< then the nearest reachable contrast
};

/// The dark twin of original on background (the neutral 950): the original's OKLCH hue and
/// chroma (gamut-mapped) at the lightness, between the background's and 1, whose 8-bit
/// colour's WCAG contrast on background is closest to the original's on white; of equally
/// close ones, the higher contrast.
DarkTwin darkTwin(ColorRGB original, ColorRGB background);

/// The lightness grid of a fix: changes are whole multiples of this step (0..1 scale).
constexpr double kFixLightnessStep = 0.001;

enum class FixSide { Foreground, Background };

struct ContrastFix {
    FixSide side = FixSide::Foreground;
    ColorRGB color;             ///< the replacement for that side, 8-bit
    double lightness = 0;       ///< its OKLCH lightness before mapping, 0..1
    double lightnessChange = 0; ///< signed change from the original's lightness
    double ratio = 1;           ///< WCAG ratio of the fixed pair, 1..21
    double apcaLc = 0;          ///< APCA Lc of the fixed pair (foreground as text)
};

/// Fixes for a pair that fails level: for each side, the colour nearest in OKLCH lightness
/// alone (original L +- k steps of kFixLightnessStep, clamped to 0..1; hue and chroma kept
/// as the gamut mapping allows) whose 8-bit colour passes against the other side, while
/// k - 1 steps do not. Of the two directions the smaller k wins (a tie: the higher ratio,
/// then the lighter). The result holds up to one fix per side, smallest change first (a tie:
/// the foreground first); it is empty when the pair already passes, and a side is left out
/// when no lightness passes.
std::vector<ContrastFix> contrastFixes(ColorRGB foreground, ColorRGB background,
                                       colorscience::Level level);

/// The highest WCAG ratio 1..21 a lightness change of one colour of the pair reaches against
/// the other as it is: either taken to OKLCH lightness 0 or 1 (hue and chroma kept as the gamut
/// mapping allows), or the pair as it stands. A failing pair has no fix exactly when this
/// fails the level too.
double bestLightnessRatio(ColorRGB foreground, ColorRGB background);

/// WCAG contrast ratio 1..21 of two 8-bit colours.
double contrastOf(ColorRGB a, ColorRGB b);

} // namespace colorscience
