#include "PerceptualWheel.h"

#include "OklabKernel.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <system_error>
#include <thread>

namespace core {

namespace {

using kernel::Vec3;

constexpr double kJnd = 0.02;
constexpr double kEpsilon = 0.0001;

/// Runs work(begin, end) over [0, count) in chunks of chunk, taken in turn by this thread
/// and, where the machine has a second core, by one more: a redraw is done while the slider
/// moves, and both halves of the disc cost the same only on average (the gamut's corners,
/// mapped the slow way, lie where they lie). Without a second thread it all runs here.
template <typename Work> void inParallel(size_t count, size_t chunk, const Work& work) {
    std::atomic<size_t> next{0};
    const auto run = [&] {
        for (size_t begin; (begin = next.fetch_add(chunk)) < count;)
            work(begin, std::min(count, begin + chunk));
    };
    static const bool kSecondCore = std::thread::hardware_concurrency() > 1;
    std::thread helper;
    if (kSecondCore && count > chunk) {
        try {
            helper = std::thread(run);
        } catch (const std::system_error&) {
            // no thread to be had: this one does it all
        }
    }
    run();
    if (helper.joinable())
        helper.join();
}

/// The cone responses to linear sRGB in one matrix, for the per-pixel loop.
kernel::Matrix cubedLmsToLinear() {
    kernel::Matrix product{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                product[i][j] += kernel::kXyzToLinearSrgb[i][k] * kernel::kLmsToXyz[k][j];
    return product;
}

/// Where the grey of lightness L has equal WCAG contrast against black and white:
/// luminance sqrt(1.05 * 0.05) - 0.05, and a grey's OKLab L is the cube root of it.
const double kLineSwitchLightness = std::cbrt(std::sqrt(1.05 * 0.05) - 0.05);

uint32_t argb(ColorRGB c) {
    return 0xFF000000u | (static_cast<uint32_t>(c.r) << 16) | (static_cast<uint32_t>(c.g) << 8) |
           c.b;
}

double clamp01(double v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

bool inside(const Vec3& v) {
    // as inSrgbGamut, inline for the per-pixel loop
    constexpr double kNoise = 1e-9;
    return v.x >= -kNoise && v.x <= 1 + kNoise && v.y >= -kNoise && v.y <= 1 + kNoise &&
           v.z >= -kNoise && v.z <= 1 + kNoise;
}

/// The largest chroma lo..0.5 at lightness L and the hue of cosHue and sinHue that stays inside
/// the destination whose linear channels linearOfLab gives (lo inside it), to about 2e-6.
template <typename LinearOfLab>
double edgeChroma(double L, double cosHue, double sinHue, const LinearOfLab& linearOfLab,
                  double lo = 0.0) {
    constexpr double kHighest = 0.5; // beyond any chroma a rule asks for
    double hi = kHighest;
    if (inside(linearOfLab(L, hi * cosHue, hi * sinHue)))
        return hi;
    for (int i = 0; i < 18; ++i) {
        const double mid = (lo + hi) / 2;
        (inside(linearOfLab(L, mid * cosHue, mid * sinHue)) ? lo : hi) = mid;
    }
    return lo;
}

/// deltaEOK between the ray's colour at chroma c and its clip.
double clipDistance(double L, double c, double cosHue, double sinHue) {
    const double a = c * cosHue, b = c * sinHue;
    const Vec3 v = kernel::linearOfOklab(L, a, b);
    const Vec3 clipped = kernel::oklabOfLinear({clamp01(v.x), clamp01(v.y), clamp01(v.z)});
    const double dL = clipped.x - L, da = clipped.y - a, db = clipped.z - b;
    return std::sqrt(dL * dL + da * da + db * db);
}

/// The chroma above edge (in gamut) where the clip's deltaEOK reaches target, by regula
/// falsi (Illinois) to about 2e-6; 0.5 when it stays below the target up to there.
double chromaWhereClipDistance(double L, double target, double edge, double cosHue, double sinHue) {
    constexpr double kHighest = 0.5; // beyond any chroma a rule asks for
    double a = edge, fa = -target;
    double b = kHighest, fb = clipDistance(L, b, cosHue, sinHue) - target;
    if (fb <= 0)
        return kHighest;
    int side = 0;
    for (int i = 0; i < 40 && b - a > 2e-6; ++i) {
        const double c = (a * fb - b * fa) / (fb - fa);
        const double fc = clipDistance(L, c, cosHue, sinHue) - target;
        if (std::fabs(fc) < 1e-7)
            return c;
        if (fc > 0) {
            b = c;
            fb = fc;
            if (side == 1)
                fa /= 2;
            side = 1;
        } else {
            a = c;
            fa = fc;
            if (side == -1)
                fb /= 2;
            side = -1;
        }
    }
    return (a + b) / 2;
}

/// The chroma the CSS binary search ends on for an origin of chroma c at or beyond the JND
/// chroma, told from where the ray enters the early-exit window (window) and passes the
/// JND (jnd), in closed form. The search halves [0, c] toward jnd (it goes up exactly when
/// the middle lies below jnd, whether it measures the distance or finds the colour in
/// gamut), so its n-th middle below jnd is c times jnd / c cut to n binary digits; it
/// returns at the first such middle beyond window, that is at the first binary digit where
/// jnd / c and window / c differ, and otherwise at its last middle.
double searchedChroma(double c, double window, double jnd) {
    // the search runs n steps, n the least with c / 2^n <= epsilon: the binary exponent of
    // c / epsilon, one more unless it is a power of two
    const double ratio = c / kEpsilon;
    uint64_t bits = 0;
    std::memcpy(&bits, &ratio, sizeof bits);
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    const bool powerOfTwo = (bits & ((uint64_t{1} << 52) - 1)) == 0;
    const int steps = exponent + (powerOfTwo ? 0 : 1);
    if (steps <= 0 || steps > 60)
        return c;
    const auto scale = static_cast<double>(uint64_t{1} << steps);
    const auto x = static_cast<int64_t>(jnd / c * scale);
    const auto y = static_cast<int64_t>(std::max(0.0, window / c) * scale);
    const auto differ = static_cast<uint64_t>(x ^ y);
    if (differ == 0)
        return c * static_cast<double>((x >> 1) * 2 + 1) / scale;
    const int highest = 63 - __builtin_clzll(differ);
    // the first binary digit where they differ is digit steps - highest
    return c * static_cast<double>(x >> highest) /
           static_cast<double>(uint64_t{1} << (steps - highest));
}

} // namespace

Oklch perceptualPoint(float x, float y, double L, const WheelGeometry& g) {
    const double chroma = kPerceptualRimChroma * clampedRadius(x, y, g) / g.rmax;
    double hue = std::fmod(pointerTheta(x, y, g), 360.0);
    if (hue < 0)
        hue += 360.0;
    return {L, chroma, hue};
}

Oklch perceptualPolar(double angle, double radius, double L, const WheelGeometry& g) {
    double hue = std::fmod(angle, 360.0);
    if (hue < 0)
        hue += 360.0;
    return {L, kPerceptualRimChroma * std::max(0.0, radius) / g.rmax, hue};
}

ColorRGB perceptualColorAt(float x, float y, double L, const WheelGeometry& g) {
    return mapToRgb8(perceptualPoint(x, y, L, g));
}

std::array<Oklch, 2> monochromePartners(const Oklch& base) {
    const auto at = [&base](double L) { return Oklch{std::clamp(L, 0.0, 1.0), base.C, base.h}; };
    return {at(base.L + kMonochromeLightnessStep), at(base.L - kMonochromeLightnessStep)};
}

ColorRGB gamutLineColor(double L) {
    return L < kLineSwitchLightness ? ColorRGB{255, 255, 255} : ColorRGB{0, 0, 0};
}

PerceptualDisc::PerceptualDisc(const WheelGeometry& g, int size)
    : m_geometry(g), m_size(std::max(1, size)) {
    const ColorRGB background = splitColor(kWheelBackground);
    m_pixels.assign(static_cast<size_t>(m_size) * static_cast<size_t>(m_size), argb(background));
    // one row of padding above and below, so neighbours need no bounds checks: a disc pixel's
    // left or right neighbour across the surface's edge is a background pixel of a row
    // beside it
    m_inGamut.assign(m_pixels.size() + 2 * static_cast<size_t>(m_size), 0);
    m_inP3 = m_inGamut;
    for (int y = 0; y < m_size; ++y) {
        for (int x = 0; x < m_size; ++x) {
            const double dx = x - static_cast<double>(g.cx);
            const double dy = y - static_cast<double>(g.cy);
            if (std::sqrt(dx * dx + dy * dy) > g.rmax)
                continue;
            // the same hue and chroma, and the same products, as perceptualColorAt
            const Oklch p = perceptualPoint(static_cast<float>(x), static_cast<float>(y), 0.0, g);
            const double radians = kernel::radiansOf(p.h);
            const double cosHue = std::cos(radians), sinHue = std::sin(radians);
            const kernel::Matrix& m = kernel::kOklabToLms;
            DiscPixel d;
            d.index = static_cast<uint32_t>(y * m_size + x);
            const double huePos = p.h / 360.0 * kHueSamples;
            d.hueSample = std::min(static_cast<uint32_t>(huePos), uint32_t{kHueSamples - 1});
            d.hueFraction = huePos - d.hueSample;
            d.chroma = p.C;
            d.hue = p.h;
            d.dl = m[0][1] * cosHue + m[0][2] * sinHue;
            d.dm = m[1][1] * cosHue + m[1][2] * sinHue;
            d.ds = m[2][1] * cosHue + m[2][2] * sinHue;
            m_disc.push_back(d);
        }
    }
}

double PerceptualDisc::sampled(const std::vector<double>& table, double huePos) const {
    if (table.empty())
        return 0.0;
    double wrapped = std::fmod(huePos, static_cast<double>(kHueSamples));
    if (wrapped < 0)
        wrapped += kHueSamples;
    const auto i = std::min(static_cast<size_t>(wrapped), static_cast<size_t>(kHueSamples - 1));
    const double f = wrapped - static_cast<double>(i);
    return table[i] + (table[i + 1] - table[i]) * f;
}

double PerceptualDisc::maxChroma(double hue) const {
    return sampled(m_maxChroma, hue / 360.0 * kHueSamples);
}

double PerceptualDisc::maxChromaP3(double hue) const {
    return sampled(m_maxChromaP3, hue / 360.0 * kHueSamples);
}

void PerceptualDisc::buildHueTables(double L) {
    m_maxChroma.assign(kHueSamples + 1, 0.0);
    m_maxChromaP3.assign(kHueSamples + 1, 0.0);
    m_clipChroma.assign(kHueSamples + 1, 0.0);
    m_windowChroma.assign(kHueSamples + 1, 0.0);
    inParallel(kHueSamples, 48, [&](size_t first, size_t end) {
        for (size_t k = first; k < end; ++k) {
            const double radians = kernel::radiansOf(360.0 * static_cast<double>(k) / kHueSamples);
            const double cosHue = std::cos(radians), sinHue = std::sin(radians);
            const double lo = edgeChroma(L, cosHue, sinHue, kernel::linearOfOklab);
            m_maxChroma[k] = lo;
            // display-p3 holds sRGB: its edge lies beyond sRGB's
            m_maxChromaP3[k] = edgeChroma(L, cosHue, sinHue, kernel::linearP3OfOklab, lo);

            // where the clip's distance enters the search's early-exit window, and where it
            // reaches the JND (the distance grows with chroma beyond the edge)
            const double jnd = chromaWhereClipDistance(L, kJnd, lo, cosHue, sinHue);
            m_windowChroma[k] = chromaWhereClipDistance(L, kJnd - kEpsilon, lo, cosHue, sinHue);
            m_clipChroma[k] = jnd;
        }
    });
    m_maxChroma[kHueSamples] = m_maxChroma[0];
    m_maxChromaP3[kHueSamples] = m_maxChromaP3[0];
    m_p3Arc.assign(kHueSamples + 1, 0.0);
    const double pixelsPerChroma = static_cast<double>(m_geometry.rmax) / kPerceptualRimChroma;
    double x0 = m_maxChromaP3[0] * pixelsPerChroma, y0 = 0.0;
    for (size_t k = 0; k < kHueSamples; ++k) {
        const double a1 = kernel::radiansOf(360.0 * static_cast<double>(k + 1) / kHueSamples);
        const double r1 = m_maxChromaP3[k + 1] * pixelsPerChroma;
        const double x1 = r1 * std::cos(a1), y1 = r1 * std::sin(a1);
        m_p3Arc[k + 1] = m_p3Arc[k] + std::hypot(x1 - x0, y1 - y0);
        x0 = x1;
        y0 = y1;
    }
    m_clipChroma[kHueSamples] = m_clipChroma[0];
    m_windowChroma[kHueSamples] = m_windowChroma[0];
    // a kink shows as a bend between three samples; smooth stretches bend far less
    constexpr double kBend = 1e-4;
    m_rough.assign(kHueSamples, 0);
    for (size_t k = 0; k < kHueSamples; ++k) {
        const size_t before = (k + kHueSamples - 1) % kHueSamples;
        auto bend = [&](const std::vector<double>& t) {
            return std::fabs(t[k + 1] - 2 * t[k] + t[before]) > kBend;
        };
        if (bend(m_clipChroma) || bend(m_windowChroma))
            m_rough[before] = m_rough[k] = 1;
    }
}

const std::vector<uint32_t>& PerceptualDisc::draw(double L) {
    L = clamp01(L);
    if (L != m_lightness)
        buildHueTables(L);
    m_lightness = L;
    const bool white = L >= 1.0, black = L <= 0.0;
    const kernel::ByteTable& toByte = kernel::byteTable();
    const double* clipTable = m_clipChroma.data();
    const double* windowTable = m_windowChroma.data();
    const double* p3Table = m_maxChromaP3.data();
    static const kernel::Matrix kCubedLmsToLinear = cubedLmsToLinear();
    std::atomic<int> exactPixels{0};
    inParallel(m_disc.size(), 2048, [&](size_t first, size_t end) {
        int exact = 0;
        for (size_t i = first; i < end; ++i) {
            const DiscPixel& p = m_disc[i];
            const uint32_t k = p.hueSample;
            const double f = p.hueFraction;
            const double edgeP3 = p3Table[k] + (p3Table[k + 1] - p3Table[k]) * f;
            m_inP3[p.index + static_cast<uint32_t>(m_size)] = p.chroma <= edgeP3 ? 1 : 0;
            const double jnd = clipTable[k] + (clipTable[k + 1] - clipTable[k]) * f;
            // up to the JND the CSS answer is the clip of the colour itself
            double c = p.chroma;
            const double lowestJnd = std::min(clipTable[k], clipTable[k + 1]);
            if (m_rough[k] && c >= lowestJnd && !white && !black) {
                m_inGamut[p.index + static_cast<uint32_t>(m_size)] = 0;
                m_pixels[p.index] = argb(mapToRgb8({L, p.chroma, p.hue}));
                ++exact;
                continue;
            }
            if (c >= jnd) {
                const double window = windowTable[k] + (windowTable[k + 1] - windowTable[k]) * f;
                c = searchedChroma(c, window, jnd);
            }
            const double l = L + c * p.dl, m = L + c * p.dm, s = L + c * p.ds;
            const double l3 = l * l * l, m3 = m * m * m, s3 = s * s * s;
            const Vec3 v = {kCubedLmsToLinear[0][0] * l3 + kCubedLmsToLinear[0][1] * m3 +
                                kCubedLmsToLinear[0][2] * s3,
                            kCubedLmsToLinear[1][0] * l3 + kCubedLmsToLinear[1][1] * m3 +
                                kCubedLmsToLinear[1][2] * s3,
                            kCubedLmsToLinear[2][0] * l3 + kCubedLmsToLinear[2][1] * m3 +
                                kCubedLmsToLinear[2][2] * s3};
            const bool inGamut = p.chroma < jnd && inside(v);
            m_inGamut[p.index + static_cast<uint32_t>(m_size)] = inGamut ? 1 : 0;
            ColorRGB colour;
            if (white)
                colour = {255, 255, 255};
            else if (black)
                colour = {0, 0, 0};
            else
                colour = {toByte(v.x), toByte(v.y), toByte(v.z)};
            m_pixels[p.index] = argb(colour);
        }
        exactPixels += exact;
    });
    m_exactPixels = exactPixels;
    const uint32_t line = argb(gamutLineColor(L));
    const auto n = static_cast<ptrdiff_t>(m_size);
    const uint8_t* inGamut = m_inGamut.data() + n;
    const uint8_t* inP3 = m_inP3.data() + n;
    constexpr double kDashPeriod = kP3DashLength + kP3GapLength;
    for (const DiscPixel& p : m_disc) {
        const auto i = static_cast<ptrdiff_t>(p.index);
        if (!inGamut[i] && (inGamut[i - 1] | inGamut[i + 1] | inGamut[i - n] | inGamut[i + n])) {
            m_pixels[i] = line;
        } else if (!inP3[i] && (inP3[i - 1] | inP3[i + 1] | inP3[i - n] | inP3[i + n])) {
            const double arc = m_p3Arc[p.hueSample] +
                               (m_p3Arc[p.hueSample + 1] - m_p3Arc[p.hueSample]) * p.hueFraction;
            if (std::fmod(arc, kDashPeriod) < kP3DashLength)
                m_pixels[i] = line;
        }
    }
    return m_pixels;
}

} // namespace core
