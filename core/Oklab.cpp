#include "Oklab.h"

#include "OklabKernel.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace core {

namespace {

using namespace kernel;

// Bradford chromatic adaptation between the D50 of CIE Lab and the D65 of sRGB
constexpr Matrix kD50ToD65 = {{
    {0.955473421488075, -0.02309845494876471, 0.06325924320057072},
    {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
    {0.012314014864481998, -0.020507649298898964, 1.330365926242124},
}};
constexpr Matrix kD65ToD50 = {{
    {1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
    {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
    {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371},
}};
constexpr Vec3 kD50White = {0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
constexpr double kLabKappa = 24389.0 / 27.0;
constexpr double kLabEpsilon = 216.0 / 24389.0;

constexpr double kGamutNoise = 1e-9;

Vec3 vec(const LinearRgb& c) {
    return {c.r, c.g, c.b};
}
LinearRgb rgb(const Vec3& v) {
    return {v.x, v.y, v.z};
}

/// Whether every channel lies in 0..1, allowing kGamutNoise.
bool inUnitCube(const Vec3& v) {
    auto inside = [](double x) { return x >= -kGamutNoise && x <= 1.0 + kGamutNoise; };
    return inside(v.x) && inside(v.y) && inside(v.z);
}

/// v brought into 0..1; a value that is no number is 0.
double clamp01(double v) {
    return !(v > 0) ? 0 : (v > 1 ? 1 : v);
}

/// value with at most decimals places, trailing zeros and a bare point dropped, never "-0".
std::string trimmed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return text;
}

/// Hue in degrees brought to 0 <= h < 360.
double normalisedHue(double h) {
    double n = std::fmod(h, 360.0);
    if (n < 0)
        n += 360.0;
    return n >= 360.0 ? 0.0 : n;
}

/// x rounded to decimals places, as the serialisers print it.
double roundedTo(double x, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(x * scale) / scale;
}

} // namespace

double srgbToLinearLight(double encoded) {
    const double a = std::fabs(encoded);
    const double linear = a <= 0.04045 ? a / 12.92 : std::pow((a + 0.055) / 1.055, 2.4);
    return encoded < 0 ? -linear : linear;
}

double linearLightToSrgb(double linear) {
    const double a = std::fabs(linear);
    const double encoded = a <= 0.0031308 ? a * 12.92 : 1.055 * std::pow(a, 1.0 / 2.4) - 0.055;
    return linear < 0 ? -encoded : encoded;
}

LinearRgb toLinear(const Srgb& c) {
    return {srgbToLinearLight(c.r), srgbToLinearLight(c.g), srgbToLinearLight(c.b)};
}

Srgb toEncoded(const LinearRgb& c) {
    return {linearLightToSrgb(c.r), linearLightToSrgb(c.g), linearLightToSrgb(c.b)};
}

LinearRgb linearOf(ColorRGB c) {
    return toLinear({c.r / 255.0, c.g / 255.0, c.b / 255.0});
}

Oklab oklabOf(const LinearRgb& c) {
    const Vec3 lab = oklabOfLinear(vec(c));
    return {lab.x, lab.y, lab.z};
}

LinearRgb linearOf(const Oklab& c) {
    return rgb(linearOfOklab(c.L, c.a, c.b));
}

Oklab oklabOf(ColorRGB c) {
    return oklabOf(linearOf(c));
}

Oklch toOklch(const Oklab& c) {
    const double chroma = std::sqrt(c.a * c.a + c.b * c.b);
    const double hue = chroma == 0 ? 0.0 : normalisedHue(std::atan2(c.b, c.a) * 180.0 / kPiDouble);
    return {c.L, chroma, hue};
}

Oklab toOklab(const Oklch& c) {
    const double chroma = std::max(0.0, c.C);
    const double radians = radiansOf(c.h);
    return {c.L, chroma * std::cos(radians), chroma * std::sin(radians)};
}

double deltaEOK(const Oklab& x, const Oklab& y) {
    const double dL = x.L - y.L, da = x.a - y.a, db = x.b - y.b;
    return std::sqrt(dL * dL + da * da + db * db);
}

bool inSrgbGamut(const LinearRgb& c) {
    return inUnitCube(vec(c));
}

namespace {

/// The CSS Color 4 gamut mapping of an OKLCH colour into a destination RGB space, given by its
/// linear channels of OKLab (linearOfLab) and the OKLab of its linear channels (labOfLinear):
/// the destination's linear channels 0..1.
template <typename LinearOfLab, typename LabOfLinear>
Vec3 gamutMapInto(const Oklch& given, const LinearOfLab& linearOfLab,
                  const LabOfLinear& labOfLinear) {
    // a lightness that is no number is taken as black, like one at or below 0
    if (given.L >= 1.0)
        return {1.0, 1.0, 1.0};
    if (!(given.L > 0.0))
        return {0.0, 0.0, 0.0};
    // a chroma or hue that is no number gives no direction off the grey axis; an endless
    // chroma is searched from the largest finite one, which ends at the edge all the same
    Oklch origin = given;
    if (std::isnan(origin.C) || !std::isfinite(origin.h))
        origin = {origin.L, 0.0, 0.0};
    origin.C = std::min(origin.C, std::numeric_limits<double>::max());
    auto clip = [](const Vec3& c) -> Vec3 { return {clamp01(c.x), clamp01(c.y), clamp01(c.z)}; };
    auto distance = [&labOfLinear](const Vec3& linear, const Oklab& lab) {
        const Vec3 v = labOfLinear(linear);
        return deltaEOK({v.x, v.y, v.z}, lab);
    };
    const Oklab originLab = toOklab(origin);
    const Vec3 direct = linearOfLab(originLab);
    if (inUnitCube(direct))
        return clip(direct);

    constexpr double kJnd = 0.02;
    constexpr double kEpsilon = 0.0001;
    // halving the largest finite chroma reaches kEpsilon in fewer steps than this, so the
    // bound only guards against a comparison that never settles
    constexpr int kMostSteps = 1100;
    // the hue's cosine and sine once: each step's OKLab is then exactly what toOklab gives
    const double radians = radiansOf(origin.h);
    const double cosHue = std::cos(radians), sinHue = std::sin(radians);
    Vec3 clipped = clip(direct);
    if (distance(clipped, originLab) < kJnd)
        return clipped;

    double min = 0.0;
    double max = origin.C;
    bool minInGamut = true;
    for (int step = 0; step < kMostSteps && max - min > kEpsilon; ++step) {
        const double chroma = (min + max) / 2.0;
        const Oklab currentLab = {origin.L, chroma * cosHue, chroma * sinHue};
        const Vec3 linear = linearOfLab(currentLab);
        if (minInGamut && inUnitCube(linear)) {
            min = chroma;
            continue;
        }
        clipped = clip(linear);
        const double e = distance(clipped, currentLab);
        if (e < kJnd) {
            if (kJnd - e < kEpsilon)
                return clipped;
            minInGamut = false;
            min = chroma;
        } else {
            max = chroma;
        }
    }
    return clipped;
}

} // namespace

LinearRgb gamutMap(const Oklch& c) {
    return rgb(gamutMapInto(
        c, [](const Oklab& lab) { return linearOfOklab(lab.L, lab.a, lab.b); }, oklabOfLinear));
}

LinearP3 gamutMapP3(const Oklch& c) {
    const Vec3 v = gamutMapInto(
        c, [](const Oklab& lab) { return linearP3OfOklab(lab.L, lab.a, lab.b); }, oklabOfLinearP3);
    return {v.x, v.y, v.z};
}

namespace {

/// The 8-bit channel by its definition: encoded value times 255, rounded half up.
uint8_t exactByte(double linear) {
    const double e = linearLightToSrgb(clamp01(linear));
    return static_cast<uint8_t>(std::min(255.0, std::floor(e * 255.0 + 0.5)));
}

} // namespace

kernel::ByteTable::ByteTable() {
    m_threshold[0] = -std::numeric_limits<double>::infinity();
    for (int v = 1; v <= 255; ++v) {
        double t = srgbToLinearLight((v - 0.5) / 255.0);
        while (exactByte(t) < v)
            t = std::nextafter(t, 2.0);
        while (exactByte(std::nextafter(t, -1.0)) >= v)
            t = std::nextafter(t, -1.0);
        m_threshold[static_cast<size_t>(v)] = t;
    }
    m_threshold[256] = std::numeric_limits<double>::infinity();
    for (int i = 0; i < kBuckets; ++i)
        m_base[static_cast<size_t>(i)] = exactByte(static_cast<double>(i) / kBuckets);
}

const kernel::ByteTable& kernel::byteTable() {
    static const ByteTable kTable;
    return kTable;
}

uint8_t toByte(double linear) {
    return byteTable()(linear);
}

ColorRGB toRgb8(const LinearRgb& c) {
    const ByteTable& table = byteTable();
    return {table(c.r), table(c.g), table(c.b)};
}

ColorRGB mapToRgb8(const Oklch& c) {
    return toRgb8(gamutMap(c));
}

Srgb hslToSrgb(double hue, double saturation, double lightness) {
    const double h = normalisedHue(hue);
    auto f = [&](double n) {
        const double k = std::fmod(n + h / 30.0, 12.0);
        const double a = saturation * std::min(lightness, 1.0 - lightness);
        return lightness - a * std::max(-1.0, std::min({k - 3.0, 9.0 - k, 1.0}));
    };
    return {f(0), f(8), f(4)};
}

Srgb hwbToSrgb(double hue, double whiteness, double blackness) {
    if (whiteness + blackness >= 1.0) {
        const double grey = whiteness / (whiteness + blackness);
        return {grey, grey, grey};
    }
    const Srgb pure = hslToSrgb(hue, 1.0, 0.5);
    const double scale = 1.0 - whiteness - blackness;
    return {pure.r * scale + whiteness, pure.g * scale + whiteness, pure.b * scale + whiteness};
}

Hsl hslOf(const Srgb& c) {
    const double max = std::max({c.r, c.g, c.b});
    const double min = std::min({c.r, c.g, c.b});
    const double d = max - min;
    Hsl hsl{0.0, 0.0, (min + max) / 2.0};
    if (d != 0) {
        hsl.s = (hsl.l == 0 || hsl.l == 1) ? 0 : (max - hsl.l) / std::min(hsl.l, 1.0 - hsl.l);
        if (max == c.r)
            hsl.h = (c.g - c.b) / d + (c.g < c.b ? 6.0 : 0.0);
        else if (max == c.g)
            hsl.h = (c.b - c.r) / d + 2.0;
        else
            hsl.h = (c.r - c.g) / d + 4.0;
        hsl.h *= 60.0;
    }
    if (hsl.s < 0) {
        hsl.h += 180.0;
        hsl.s = -hsl.s;
    }
    hsl.h = normalisedHue(hsl.h);
    return hsl;
}

LinearRgb linearOf(const CieLab& c) {
    const double f1 = (c.L + 16.0) / 116.0;
    const double f0 = c.a / 500.0 + f1;
    const double f2 = f1 - c.b / 200.0;
    auto inverse = [](double f) {
        const double cubed = f * f * f;
        return cubed > kLabEpsilon ? cubed : (116.0 * f - 16.0) / kLabKappa;
    };
    const double y = c.L > kLabKappa * kLabEpsilon ? f1 * f1 * f1 : c.L / kLabKappa;
    const Vec3 xyzD50 = {inverse(f0) * kD50White.x, y * kD50White.y, inverse(f2) * kD50White.z};
    return rgb(mul(kXyzToLinearSrgb, mul(kD50ToD65, xyzD50)));
}

CieLab labOfLch(double L, double C, double hue) {
    const double chroma = std::max(0.0, C);
    const double radians = radiansOf(hue);
    return {L, chroma * std::cos(radians), chroma * std::sin(radians)};
}

CieLab labOf(const LinearRgb& c) {
    const Vec3 xyz = mul(kD65ToD50, mul(kLinearSrgbToXyz, vec(c)));
    auto f = [](double t) {
        return t > kLabEpsilon ? std::cbrt(t) : (kLabKappa * t + 16.0) / 116.0;
    };
    const double fx = f(xyz.x / kD50White.x);
    const double fy = f(xyz.y / kD50White.y);
    const double fz = f(xyz.z / kD50White.z);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

LinearRgb linearOfDisplayP3(const Srgb& p3) {
    // display-p3 shares the sRGB transfer curve
    return rgb(mul(kXyzToLinearSrgb, mul(kLinearP3ToXyz, vec(toLinear(p3)))));
}

LinearP3 linearP3Of(const Oklab& c) {
    const Vec3 v = linearP3OfOklab(c.L, c.a, c.b);
    return {v.x, v.y, v.z};
}

Oklab oklabOf(const LinearP3& c) {
    const Vec3 lab = oklabOfLinearP3({c.r, c.g, c.b});
    return {lab.x, lab.y, lab.z};
}

LinearP3 linearP3Of(const LinearRgb& c) {
    const Vec3 v = mul(kXyzToLinearP3, mul(kLinearSrgbToXyz, vec(c)));
    return {v.x, v.y, v.z};
}

DisplayP3 displayP3Of(const LinearP3& c) {
    return {linearLightToSrgb(c.r), linearLightToSrgb(c.g), linearLightToSrgb(c.b)};
}

LinearP3 linearP3Of(const DisplayP3& c) {
    return {srgbToLinearLight(c.r), srgbToLinearLight(c.g), srgbToLinearLight(c.b)};
}

bool inP3Gamut(const LinearP3& c) {
    return inUnitCube({c.r, c.g, c.b});
}

bool outsideSrgb(const Oklch& c) {
    // as gamutMap takes them: no direction off the grey axis is the grey itself
    if (std::isnan(c.C) || !std::isfinite(c.h))
        return false;
    return c.L > 0.0 && c.L < 1.0 && !inSrgbGamut(linearOf(toOklab(c)));
}

DisplayP3 mapToDisplayP3(const Oklch& c) {
    return displayP3Of(gamutMapP3(c));
}

DisplayP3 displayP3Of(ColorRGB c) {
    return displayP3Of(linearP3Of(linearOf(c)));
}

DisplayP3 writtenDisplayP3(const Oklch& c) {
    // the digits displayP3Text prints, read back
    const auto written = [](double v) {
        char buffer[32];
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, clamp01(v), std::chars_format::fixed, 4);
        double value = 0;
        std::from_chars(buffer, end.ptr, value);
        return value;
    };
    const DisplayP3 p3 = mapToDisplayP3(c);
    return {written(p3.r), written(p3.g), written(p3.b)};
}

ColorRGB shownOfDisplayP3(const Oklch& c) {
    return mapToRgb8(toOklch(oklabOf(linearP3Of(writtenDisplayP3(c)))));
}

std::string hexText(ColorRGB c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", c.r, c.g, c.b);
    return buffer;
}

std::string rgbText(ColorRGB c) {
    return "rgb(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) +
           ")";
}

std::string hslText(ColorRGB c) {
    const Hsl hsl = hslOf({c.r / 255.0, c.g / 255.0, c.b / 255.0});
    const double hue = normalisedHue(roundedTo(hsl.s == 0 ? 0.0 : hsl.h, 2));
    return "hsl(" + trimmed(hue, 2) + ", " + trimmed(hsl.s * 100.0, 2) + "%, " +
           trimmed(hsl.l * 100.0, 2) + "%)";
}

std::string oklchText(const Oklch& c) {
    std::string chroma = "0";
    if (c.C > 0) {
        // four significant digits, never an exponent, at most six decimals (so the noise
        // chroma of a grey shows as 0)
        const int magnitude = static_cast<int>(std::floor(std::log10(c.C)));
        chroma = trimmed(c.C, std::clamp(3 - magnitude, 0, 6));
    }
    const double hue = chroma == "0" ? 0.0 : normalisedHue(roundedTo(normalisedHue(c.h), 2));
    return "oklch(" + trimmed(c.L * 100.0, 2) + "% " + chroma + " " + trimmed(hue, 2) + ")";
}

std::string oklchText(ColorRGB c) {
    return oklchText(toOklch(oklabOf(c)));
}

std::string displayP3Text(const DisplayP3& c) {
    return "color(display-p3 " + trimmed(clamp01(c.r), 4) + " " + trimmed(clamp01(c.g), 4) + " " +
           trimmed(clamp01(c.b), 4) + ")";
}

} // namespace core
