#include "Extraction.h"

#include "core/CssColor.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <tuple>
#include <utility>

namespace imagepalette {

namespace {

/// One distinct colour of the picture and how many opaque pixels have it.
struct Point {
    std::array<double, 3> lab{}; // L, a, b
    double weight = 0;
    size_t sample = 0; // the first of its pixels, in the samples' order
};

/// Weighted moments of a set of points: enough for its mean and its squared error.
struct Moments {
    double weight = 0;
    std::array<double, 3> sum{};
    std::array<double, 3> sumSquares{};

    void add(const Point& p) {
        weight += p.weight;
        for (size_t i = 0; i < 3; ++i) {
            sum[i] += p.weight * p.lab[i];
            sumSquares[i] += p.weight * p.lab[i] * p.lab[i];
        }
    }
    /// The squared error about the mean along one axis.
    double error(size_t axis) const {
        return weight > 0 ? sumSquares[axis] - sum[axis] * sum[axis] / weight : 0.0;
    }
    double error() const { return error(0) + error(1) + error(2); }
    std::array<double, 3> mean() const {
        return {sum[0] / weight, sum[1] / weight, sum[2] / weight};
    }
};

bool cancelled(const std::atomic<bool>* cancel) {
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

double distanceSquared(const std::array<double, 3>& x, const std::array<double, 3>& y) {
    const double dL = x[0] - y[0];
    const double da = x[1] - y[1];
    const double db = x[2] - y[2];
    return dL * dL + da * da + db * db;
}

/// The distinct opaque colours of the samples, each weighted by its number of pixels, in
/// the order of their packed sRGB value; pointOf gets the point of each sample (points.size()
/// for a transparent one).
std::vector<Point> distinctColors(const std::vector<Sample>& samples,
                                  std::vector<size_t>& pointOf) {
    // (packed colour, sample index): sorted, the pixels of a colour follow one another,
    // the first of them first
    std::vector<std::pair<uint32_t, size_t>> keys;
    keys.reserve(samples.size());
    std::vector<size_t> wide; // beyond sRGB: told apart by their exact colour
    for (size_t i = 0; i < samples.size(); ++i) {
        const Sample& s = samples[i];
        if (s.alpha < kOpaqueAlpha)
            continue;
        if (s.beyondSrgb)
            wide.push_back(i);
        else
            keys.emplace_back(uint32_t(s.rgb.r) << 16 | uint32_t(s.rgb.g) << 8 | s.rgb.b, i);
    }
    std::sort(keys.begin(), keys.end());
    std::vector<Point> points;
    pointOf.assign(samples.size(), samples.size());
    for (size_t i = 0; i < keys.size();) {
        size_t end = i + 1;
        while (end < keys.size() && keys[end].first == keys[i].first)
            ++end;
        const core::Oklab lab = core::oklabOf(samples[keys[i].second].rgb);
        for (size_t k = i; k < end; ++k)
            pointOf[keys[k].second] = points.size();
        points.push_back({{lab.L, lab.a, lab.b}, double(end - i), keys[i].second});
        i = end;
    }
    const auto labOf = [&](size_t sample) {
        const core::Oklab& lab = *samples[sample].beyondSrgb;
        return std::array<double, 3>{lab.L, lab.a, lab.b};
    };
    std::sort(wide.begin(), wide.end(), [&](size_t l, size_t r) {
        return std::make_pair(labOf(l), l) < std::make_pair(labOf(r), r);
    });
    for (size_t i = 0; i < wide.size();) {
        size_t end = i + 1;
        while (end < wide.size() && labOf(wide[end]) == labOf(wide[i]))
            ++end;
        for (size_t k = i; k < end; ++k)
            pointOf[wide[k]] = points.size();
        points.push_back({labOf(wide[i]), double(end - i), wide[i]});
        i = end;
    }
    for (size_t& p : pointOf)
        p = std::min(p, points.size());
    return points;
}

/// A box of the variance split: a range of the order array and its moments.
struct Box {
    size_t begin = 0;
    size_t end = 0;
    Moments moments;
};

/// Seeds for k-means: the points split in boxes, each time cutting the box of the largest
/// squared error along its widest axis where the two halves' errors add up least.
std::vector<std::array<double, 3>> varianceSplitSeeds(const std::vector<Point>& points, int count) {
    std::vector<size_t> order(points.size());
    std::iota(order.begin(), order.end(), size_t(0));
    Box all{0, points.size(), {}};
    for (const Point& p : points)
        all.moments.add(p);
    std::vector<Box> boxes{all};
    std::vector<Moments> prefix;
    while (boxes.size() < size_t(count)) {
        size_t worst = boxes.size();
        for (size_t i = 0; i < boxes.size(); ++i) {
            const Box& b = boxes[i];
            if (b.end - b.begin > 1 && b.moments.error() > 1e-12 &&
                (worst == boxes.size() || b.moments.error() > boxes[worst].moments.error()))
                worst = i;
        }
        if (worst == boxes.size())
            break;
        const Box box = boxes[worst];
        size_t axis = 0;
        for (size_t a = 1; a < 3; ++a) {
            if (box.moments.error(a) > box.moments.error(axis))
                axis = a;
        }
        const auto first = order.begin() + std::ptrdiff_t(box.begin);
        const auto last = order.begin() + std::ptrdiff_t(box.end);
        // the point index breaks ties so that the order never depends on the sort
        std::sort(first, last, [&](size_t l, size_t r) {
            return std::tie(points[l].lab[axis], l) < std::tie(points[r].lab[axis], r);
        });
        prefix.assign(1, Moments{});
        for (auto it = first; it != last; ++it) {
            prefix.push_back(prefix.back());
            prefix.back().add(points[*it]);
        }
        size_t cut = 0;
        double best = std::numeric_limits<double>::infinity();
        for (size_t i = 1; i < prefix.size() - 1; ++i) {
            // never between equal values: they would land in both halves
            if (points[order[box.begin + i - 1]].lab[axis] ==
                points[order[box.begin + i]].lab[axis])
                continue;
            Moments right = box.moments;
            for (size_t k = 0; k < 3; ++k) {
                right.sum[k] -= prefix[i].sum[k];
                right.sumSquares[k] -= prefix[i].sumSquares[k];
            }
            right.weight -= prefix[i].weight;
            const double error = prefix[i].error() + right.error();
            if (error < best) {
                best = error;
                cut = i;
            }
        }
        if (cut == 0) {
            // no cut lowers the error (it is rounding noise): the box stays whole
            boxes[worst].moments = Moments{};
            continue;
        }
        Box left{box.begin, box.begin + cut, {}};
        Box right{box.begin + cut, box.end, {}};
        for (size_t i = left.begin; i < left.end; ++i)
            left.moments.add(points[order[i]]);
        for (size_t i = right.begin; i < right.end; ++i)
            right.moments.add(points[order[i]]);
        boxes[worst] = left;
        boxes.push_back(right);
    }
    std::vector<std::array<double, 3>> seeds;
    for (const Box& b : boxes) {
        Moments m;
        for (size_t i = b.begin; i < b.end; ++i)
            m.add(points[order[i]]);
        seeds.push_back(m.mean());
    }
    return seeds;
}

size_t nearest(const std::array<double, 3>& lab, const std::vector<std::array<double, 3>>& to) {
    size_t best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (size_t k = 0; k < to.size(); ++k) {
        const double d = distanceSquared(lab, to[k]);
        if (d < bestDistance) {
            bestDistance = d;
            best = k;
        }
    }
    return best;
}

/// How often two opaque samples side by side in a row (the next sample, at the same y) lie in
/// clusters k and l, counted at [k][l] and [l][k] (twice at [k][k]).
std::vector<std::vector<double>> sideBySideCounts(const std::vector<Sample>& samples,
                                                  const std::vector<size_t>& pointOf,
                                                  const std::vector<size_t>& cluster,
                                                  size_t clusters) {
    std::vector<std::vector<double>> counts(clusters, std::vector<double>(clusters, 0.0));
    for (size_t i = 1; i < samples.size(); ++i) {
        const size_t left = pointOf[i - 1];
        const size_t right = pointOf[i];
        if (left == cluster.size() || right == cluster.size() || samples[i].y != samples[i - 1].y)
            continue;
        counts[cluster[left]][cluster[right]] += 1;
        counts[cluster[right]][cluster[left]] += 1;
    }
    return counts;
}

/// Whether clusters i and j are one colour with grain: their samples lie mixed among each
/// other, side by side at least kGrainMixing times as often as they would if they were strewn
/// at random over the same place. Two areas of their own meet along an edge only.
bool interleaved(const std::vector<std::vector<double>>& sideBySide,
                 const std::vector<Moments>& moments, size_t i, size_t j) {
    const double across = sideBySide[i][j];
    const double pairs = (sideBySide[i][i] + sideBySide[j][j]) / 2 + across;
    const double p = moments[i].weight / (moments[i].weight + moments[j].weight);
    // at random, a pair of the two is one of each with the chance 2 p (1 - p)
    const double atRandom = 2 * p * (1 - p) * pairs;
    return atRandom > 0 && across >= kGrainMixing * atRandom;
}

/// Orders found colours by share, largest first; equal shares by OKLab, darkest first.
bool largerShare(const FoundColor& l, const FoundColor& r) {
    if (l.share != r.share)
        return l.share > r.share;
    return std::tie(l.oklab.L, l.oklab.a, l.oklab.b) < std::tie(r.oklab.L, r.oklab.a, r.oklab.b);
}

} // namespace

bool operator==(const FoundColor& l, const FoundColor& r) {
    return l.oklab.L == r.oklab.L && l.oklab.a == r.oklab.a && l.oklab.b == r.oklab.b &&
           l.rgb == r.rgb && l.share == r.share && l.x == r.x && l.y == r.y &&
           l.background == r.background && l.beyondSrgb == r.beyondSrgb;
}

bool liesBeyondSrgb(const core::LinearRgb& c) {
    constexpr double kHalfStep = 0.5 / 255;
    const core::Srgb e = core::toEncoded(c);
    return std::min({e.r, e.g, e.b}) < -kHalfStep || std::max({e.r, e.g, e.b}) > 1 + kHalfStep;
}

bool isBackground(const core::Oklab& c) {
    return std::hypot(c.a, c.b) < kBackgroundChroma || c.L > kBackgroundLight ||
           c.L < kBackgroundDark;
}

double accentScore(const FoundColor& c) {
    if (c.background)
        return 0.0;
    return std::hypot(c.oklab.a, c.oklab.b) * std::cbrt(c.share);
}

Extraction extractColors(const std::vector<Sample>& samples, const std::atomic<bool>* cancel) {
    Extraction result;
    if (samples.empty()) {
        result.message = "The picture has no pixels.";
        return result;
    }
    std::vector<size_t> pointOf;
    const std::vector<Point> points = distinctColors(samples, pointOf);
    if (points.empty()) {
        result.message = "The picture is fully transparent: it has no colour to take.";
        return result;
    }
    if (cancelled(cancel)) {
        result.cancelled = true;
        return result;
    }

    std::vector<std::array<double, 3>> centres = varianceSplitSeeds(points, kClusterCount);
    std::vector<size_t> cluster(points.size(), centres.size());
    std::vector<Moments> moments;
    for (int round = 0; round < kMostRounds; ++round) {
        if (cancelled(cancel)) {
            result.cancelled = true;
            return result;
        }
        for (size_t i = 0; i < points.size(); ++i)
            cluster[i] = nearest(points[i].lab, centres);
        moments.assign(centres.size(), Moments{});
        for (size_t i = 0; i < points.size(); ++i)
            moments[cluster[i]].add(points[i]);
        double shift = 0;
        for (size_t k = 0; k < centres.size(); ++k) {
            if (moments[k].weight <= 0)
                continue;
            const std::array<double, 3> mean = moments[k].mean();
            shift = std::max(shift, distanceSquared(mean, centres[k]));
            centres[k] = mean;
        }
        if (shift < kSettled * kSettled)
            break;
    }

    // merge the closest pair that is one colour until none is left; a cluster that lost all
    // its points has no weight and is dropped below
    std::vector<std::vector<double>> sideBySide =
        sideBySideCounts(samples, pointOf, cluster, centres.size());
    for (;;) {
        size_t from = 0;
        size_t into = 0;
        double closest = std::numeric_limits<double>::infinity();
        for (size_t i = 0; i < centres.size(); ++i) {
            for (size_t j = i + 1; j < centres.size() && moments[i].weight > 0; ++j) {
                if (moments[j].weight <= 0)
                    continue;
                const double d = distanceSquared(centres[i], centres[j]);
                const double oneColour =
                    interleaved(sideBySide, moments, i, j) ? kGrainMergeDistance : kMergeDistance;
                if (d < oneColour * oneColour && d < closest) {
                    closest = d;
                    into = i;
                    from = j;
                }
            }
        }
        if (from == 0)
            break;
        for (size_t k = 0; k < centres.size(); ++k) {
            sideBySide[into][k] += sideBySide[from][k];
            sideBySide[from][k] = 0;
        }
        for (size_t k = 0; k < centres.size(); ++k) {
            sideBySide[k][into] += sideBySide[k][from];
            sideBySide[k][from] = 0;
        }
        Moments& m = moments[into];
        m.weight += moments[from].weight;
        for (size_t a = 0; a < 3; ++a) {
            m.sum[a] += moments[from].sum[a];
            m.sumSquares[a] += moments[from].sumSquares[a];
        }
        moments[from] = Moments{};
        centres[into] = m.mean();
        std::replace(cluster.begin(), cluster.end(), from, into);
    }

    double total = 0;
    for (const Point& p : points)
        total += p.weight;
    std::vector<size_t> nearestPoint(centres.size(), points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        size_t& best = nearestPoint[cluster[i]];
        if (best == points.size() || distanceSquared(points[i].lab, centres[cluster[i]]) <
                                         distanceSquared(points[best].lab, centres[cluster[i]]))
            best = i;
    }
    // a colour the picture gives beyond sRGB stays exact; a mean of colours inside it that
    // strays out by rounding is not one
    std::vector<bool> holdsWide(centres.size(), false);
    for (size_t i = 0; i < points.size(); ++i) {
        if (samples[points[i].sample].beyondSrgb)
            holdsWide[cluster[i]] = true;
    }
    for (size_t k = 0; k < centres.size(); ++k) {
        if (moments[k].weight <= 0)
            continue;
        FoundColor found;
        found.oklab = {centres[k][0], centres[k][1], centres[k][2]};
        const core::LinearRgb linear = core::linearOf(found.oklab);
        found.beyondSrgb = holdsWide[k] && liesBeyondSrgb(linear);
        found.rgb =
            found.beyondSrgb ? core::mapToRgb8(core::toOklch(found.oklab)) : core::toRgb8(linear);
        found.share = 100.0 * moments[k].weight / total;
        const Sample& pixel = samples[points[nearestPoint[k]].sample];
        found.x = pixel.x;
        found.y = pixel.y;
        found.background = isBackground(found.oklab);
        result.colors.push_back(found);
    }
    std::sort(result.colors.begin(), result.colors.end(), largerShare);
    for (const FoundColor& c : result.colors) {
        if (result.dominant.size() < size_t(kMostRanked) &&
            (result.dominant.empty() || c.share >= kLeastDominantShare))
            result.dominant.push_back(c);
    }
    for (const FoundColor& c : result.colors) {
        if (!c.background && c.share >= kLeastAccentShare)
            result.accents.push_back(c);
    }
    std::stable_sort(
        result.accents.begin(), result.accents.end(),
        [](const FoundColor& l, const FoundColor& r) { return accentScore(l) > accentScore(r); });
    if (result.accents.size() > size_t(kMostRanked))
        result.accents.resize(size_t(kMostRanked));
    return result;
}

core::Palette paletteOf(const Extraction& extraction, const std::string& name) {
    core::Palette palette;
    palette.name = name;
    const auto addAll = [&](const std::vector<FoundColor>& colors, const std::string& prefix,
                            const std::string& group) {
        for (size_t i = 0; i < colors.size(); ++i) {
            core::CssColor css = *core::parseCssColor(core::hexText(colors[i].rgb)).color;
            if (colors[i].beyondSrgb) {
                css.oklab = colors[i].oklab;
                css.linear = core::linearOf(css.oklab);
                css.srgb = core::toEncoded(css.linear);
                css.outOfGamut = true;
            }
            core::PaletteColor entry = core::paletteColorOf(prefix + std::to_string(i + 1), css);
            entry.group = group;
            entry.share = colors[i].share;
            entry.x = colors[i].x;
            entry.y = colors[i].y;
            entry.background = colors[i].background;
            palette.colors.push_back(std::move(entry));
        }
    };
    addAll(extraction.dominant, "dominant-", "Dominant");
    addAll(extraction.accents, "accent-", "Accents");
    return palette;
}

} // namespace imagepalette
