// The inner conversions between linear sRGB and OKLab, shared by the exact conversions and
// the perceptual disc's per-pixel loop so that both give bit-identical results.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace core::kernel {

constexpr double kPiDouble = 3.14159265358979323846;

/// Radians of an angle in degrees.
inline double radiansOf(double degrees) {
    return degrees * kPiDouble / 180.0;
}

using Matrix = std::array<std::array<double, 3>, 3>;

struct Vec3 {
    double x, y, z;
};

inline Vec3 mul(const Matrix& m, const Vec3& v) {
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
            m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

// The CSS Color 4 matrices: sRGB and display-p3 in their rational forms, so that white
// lands on D65 exactly
constexpr Matrix kLinearSrgbToXyz = {{
    {506752.0 / 1228815.0, 87881.0 / 245763.0, 12673.0 / 70218.0},
    {87098.0 / 409605.0, 175762.0 / 245763.0, 12673.0 / 175545.0},
    {7918.0 / 409605.0, 87881.0 / 737289.0, 1001167.0 / 1053270.0},
}};
constexpr Matrix kXyzToLinearSrgb = {{
    {12831.0 / 3959.0, -329.0 / 214.0, -1974.0 / 3959.0},
    {-851781.0 / 878810.0, 1648619.0 / 878810.0, 36519.0 / 878810.0},
    {705.0 / 12673.0, -2585.0 / 12673.0, 705.0 / 667.0},
}};
constexpr Matrix kLinearP3ToXyz = {{
    {608311.0 / 1250200.0, 189793.0 / 714400.0, 198249.0 / 1000160.0},
    {35783.0 / 156275.0, 247089.0 / 357200.0, 198249.0 / 2500400.0},
    {0.0, 32229.0 / 714400.0, 5220557.0 / 5000800.0},
}};
constexpr Matrix kXyzToLinearP3 = {{
    {446124.0 / 178915.0, -333277.0 / 357830.0, -72051.0 / 178915.0},
    {-14852.0 / 17905.0, 63121.0 / 35810.0, 423.0 / 17905.0},
    {11844.0 / 330415.0, -50337.0 / 660830.0, 316169.0 / 330415.0},
}};
constexpr Matrix kXyzToLms = {{
    {0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309},
}};
constexpr Matrix kLmsToOklab = {{
    {0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
    {0.0259040424655478, 0.7827717124575296, -0.8086757549230774},
}};
constexpr Matrix kLmsToXyz = {{
    {1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
    {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
    {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816},
}};
constexpr Matrix kOklabToLms = {{
    {1.0, 0.3963377773761749, 0.2158037573099136},
    {1.0, -0.1055613458156586, -0.0638541728258133},
    {1.0, -0.0894841775298119, -1.2914855480194092},
}};
/// Linear sRGB of OKLab (L 0..1, a and b about -0.4..0.4); unbounded outside the gamut.
inline Vec3 linearOfOklab(double L, double a, double b) {
    const Vec3 lms = mul(kOklabToLms, {L, a, b});
    const Vec3 cubed = {lms.x * lms.x * lms.x, lms.y * lms.y * lms.y, lms.z * lms.z * lms.z};
    return mul(kXyzToLinearSrgb, mul(kLmsToXyz, cubed));
}

/// Linear display-p3 of OKLab; unbounded outside the display-p3 gamut.
inline Vec3 linearP3OfOklab(double L, double a, double b) {
    const Vec3 lms = mul(kOklabToLms, {L, a, b});
    const Vec3 cubed = {lms.x * lms.x * lms.x, lms.y * lms.y * lms.y, lms.z * lms.z * lms.z};
    return mul(kXyzToLinearP3, mul(kLmsToXyz, cubed));
}

/// OKLab (as x = L, y = a, z = b) of linear sRGB.
inline Vec3 oklabOfLinear(const Vec3& rgb) {
    const Vec3 lms = mul(kXyzToLms, mul(kLinearSrgbToXyz, rgb));
    return mul(kLmsToOklab, {std::cbrt(lms.x), std::cbrt(lms.y), std::cbrt(lms.z)});
}

/// OKLab (as x = L, y = a, z = b) of linear display-p3.
inline Vec3 oklabOfLinearP3(const Vec3& rgb) {
    const Vec3 lms = mul(kXyzToLms, mul(kLinearP3ToXyz, rgb));
    return mul(kLmsToOklab, {std::cbrt(lms.x), std::cbrt(lms.y), std::cbrt(lms.z)});
}

// toByte runs for every pixel of the perceptual disc, so it compares with the linear
// thresholds between levels instead of raising to a power; the tables are built from the
// definition (encoded value times 255, rounded half up), so both agree on every input
class ByteTable {
public:
    static constexpr int kBuckets = 4096; // finer than the closest two thresholds (3e-4)

    ByteTable();

    uint8_t operator()(double linear) const {
        if (!(linear > 0))
            return 0;
        if (linear >= 1)
            return 255;
        const auto i = static_cast<size_t>(linear * kBuckets);
        const uint8_t base = m_base[i];
        return static_cast<uint8_t>(base + (linear >= m_threshold[base + 1u] ? 1 : 0));
    }

private:
    std::array<double, 257> m_threshold{};
    std::array<uint8_t, kBuckets> m_base{};
};

/// The one table behind toByte.
const ByteTable& byteTable();

} // namespace core::kernel
