#include "Ramps.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace colorscience {

namespace {

Oklch oklchOf(ColorRGB c) {
    return core::toOklch(core::oklabOf(c));
}

ColorRGB colorAt(double L, const Oklch& like) {
    return core::mapToRgb8({L, like.C, like.h});
}

Ramp rampOf(double chroma, double hue) {
    Ramp ramp;
    for (size_t i = 0; i < kRampSize; ++i) {
        RampStep& s = ramp.steps[i];
        s.step = kRampSteps[i];
        s.target = {kRampLightness[i], chroma * kRampChromaScale[i], hue};
        s.color = core::mapToRgb8(s.target);
    }
    return ramp;
}

/// Lightness search limits: the twin lies between the background's lightness and white.
struct Candidate {
    double L = 0;
    ColorRGB color;
    double contrast = 1;
};

} // namespace

double contrastOf(ColorRGB a, ColorRGB b) {
    return colorscience::contrastRatio(a, b);
}

int nearestStepIndex(double L) {
    int best = 0;
    for (int i = 1; i < kRampSize; ++i) {
        // strictly nearer, so that a tie keeps the lighter step found first
        if (std::fabs(kRampLightness[static_cast<size_t>(i)] - L) <
            std::fabs(kRampLightness[static_cast<size_t>(best)] - L))
            best = i;
    }
    return best;
}

Ramp tonalRamp(ColorRGB source) {
    const Oklch s = oklchOf(source);
    Ramp ramp = rampOf(s.C, s.h);
    ramp.pinnedIndex = nearestStepIndex(s.L);
    RampStep& pinned = ramp.steps[static_cast<size_t>(ramp.pinnedIndex)];
    pinned.color = source;
    pinned.pinned = true;
    return ramp;
}

Ramp tonalRamp(ColorRGB source, const std::optional<Oklch>& exact) {
    // inside sRGB the 8-bit colour is the colour, and the ramp stays as it always was
    if (!exact || !core::outsideSrgb(*exact))
        return tonalRamp(source);
    Ramp ramp = rampOf(exact->C, exact->h);
    ramp.pinnedIndex = nearestStepIndex(exact->L);
    for (size_t i = 0; i < kRampSize; ++i) {
        RampStep& s = ramp.steps[i];
        s.pinned = int(i) == ramp.pinnedIndex;
        const Oklch own = s.pinned ? *exact : s.target;
        if (!core::outsideSrgb(own))
            continue;
        // one colour a step: the sRGB fallback is the wide value itself as sRGB shows it
        s.exact = own;
        s.color = core::shownOfDisplayP3(own);
    }
    return ramp;
}

Ramp neutralRamp(ColorRGB base) {
    const Oklch b = oklchOf(base);
    const bool grey = b.C < kAchromaticChroma;
    return rampOf(grey ? 0.0 : kNeutralChroma, grey ? 0.0 : b.h);
}

DarkTwin darkTwin(ColorRGB original, ColorRGB background) {
    const Oklch o = oklchOf(original);
    DarkTwin twin;
    twin.targetContrast = contrastOf(original, ColorRGB{255, 255, 255});
    auto candidate = [&](double L) {
        Candidate c{L, colorAt(L, o), 1.0};
        c.contrast = contrastOf(c.color, background);
        return c;
    };
    const double lowest = std::clamp(oklchOf(background).L, 0.0, 1.0);
    const Candidate bottom = candidate(lowest);
    const Candidate top = candidate(1.0);
    Candidate best;
    if (twin.targetContrast >= top.contrast) {
        best = top;
        twin.reachable = twin.targetContrast - top.contrast < 0.005;
    } else if (twin.targetContrast <= bottom.contrast) {
        best = bottom;
        twin.reachable = bottom.contrast - twin.targetContrast < 0.005;
    } else {
        // the lowest lightness that reaches the target; contrast grows with lightness above
        // the background's
        double lo = lowest, hi = 1.0;
        for (int i = 0; i < 24; ++i) {
            const double mid = (lo + hi) / 2;
            (candidate(mid).contrast >= twin.targetContrast ? hi : lo) = mid;
        }
        // the 8-bit colours near the crossing change channel by channel: try them all
        best = candidate(hi);
        constexpr double kNear = 0.004, kStep = 0.0002;
        for (double L = std::max(lowest, hi - kNear); L <= std::min(1.0, hi + kNear); L += kStep) {
            const Candidate c = candidate(L);
            const double d = std::fabs(c.contrast - twin.targetContrast);
            const double bestD = std::fabs(best.contrast - twin.targetContrast);
            if (d < bestD || (d == bestD && c.contrast > best.contrast))
                best = c;
        }
    }
    twin.color = best.color;
    twin.lightness = best.L;
    twin.contrast = best.contrast;
    return twin;
}

std::vector<ContrastFix> contrastFixes(ColorRGB foreground, ColorRGB background,
                                       colorscience::Level level) {
    std::vector<ContrastFix> fixes;
    if (colorscience::passes(contrastOf(foreground, background), level))
        return fixes;

    for (const FixSide side : {FixSide::Foreground, FixSide::Background}) {
        const ColorRGB moving = side == FixSide::Foreground ? foreground : background;
        const ColorRGB other = side == FixSide::Foreground ? background : foreground;
        const Oklch o = oklchOf(moving);
        std::optional<ContrastFix> best;
        int bestK = 0;
        for (const int direction : {+1, -1}) {
            const double room = direction > 0 ? 1.0 - o.L : o.L;
            const int steps = static_cast<int>(std::ceil(room / kFixLightnessStep - 1e-9));
            if (steps <= 0)
                continue;
            auto lightnessAt = [&](int k) {
                return std::clamp(o.L + direction * k * kFixLightnessStep, 0.0, 1.0);
            };
            auto passesAt = [&](int k) {
                return colorscience::passes(contrastOf(colorAt(lightnessAt(k), o), other), level);
            };
            if (!passesAt(steps))
                continue;
            // moving away from the other colour's luminance only raises the ratio, so the
            // steps fail up to one and pass from it on: search it, then make sure of it
            int lo = 0, hi = steps;
            while (hi - lo > 1) {
                const int mid = (lo + hi) / 2;
                (passesAt(mid) ? hi : lo) = mid;
            }
            while (hi > 1 && passesAt(hi - 1))
                --hi;
            ContrastFix fix;
            fix.side = side;
            fix.lightness = lightnessAt(hi);
            fix.lightnessChange = fix.lightness - o.L;
            fix.color = colorAt(fix.lightness, o);
            fix.ratio = contrastOf(fix.color, other);
            const ColorRGB text = side == FixSide::Foreground ? fix.color : foreground;
            const ColorRGB back = side == FixSide::Foreground ? background : fix.color;
            fix.apcaLc = colorscience::apcaContrast(text, back);
            const bool better = !best || hi < bestK ||
                                (hi == bestK && (fix.ratio > best->ratio ||
                                                 (fix.ratio == best->ratio && direction > 0)));
            if (better) {
                best = fix;
                bestK = hi;
            }
        }
        if (best)
            fixes.push_back(*best);
    }
    // the foreground came first; the background goes before it only when its change is smaller
    auto steps = [](const ContrastFix& f) {
        return std::lround(std::fabs(f.lightnessChange) / kFixLightnessStep);
    };
    if (fixes.size() == 2 && steps(fixes[1]) < steps(fixes[0]))
        std::swap(fixes[0], fixes[1]);
    return fixes;
}

double bestLightnessRatio(ColorRGB foreground, ColorRGB background) {
    double best = contrastOf(foreground, background);
    for (const auto& [moving, other] :
         {std::pair(foreground, background), {background, foreground}}) {
        // the ratio grows as the moving colour's luminance leaves the other's: the ends are
        // the furthest a change can take it, and the fixes' search stops there too
        const Oklch o = oklchOf(moving);
        for (const double L : {0.0, 1.0})
            best = std::max(best, contrastOf(colorAt(L, o), other));
    }
    return best;
}

} // namespace colorscience
