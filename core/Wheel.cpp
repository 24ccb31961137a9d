#include "Wheel.h"

#include "Numeric.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace core {

namespace {

constexpr double kTwoPi = 2.0 * kPi;

double channelPhase(Channel channel) {
    switch (channel) {
    case Channel::Green:
        return 2.0 * kPi / 3.0;
    case Channel::Blue:
        return 4.0 * kPi / 3.0;
    case Channel::Red:
        break;
    }
    return 0.0;
}

Color blend(Color c, Color toward, double weight) {
    const ColorRGB a = splitColor(c);
    const ColorRGB b = splitColor(toward);
    auto mix = [weight](int x, int y) {
        return static_cast<int>(std::lround(x + (y - x) * weight));
    };
    return rgbValue(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b));
}

} // namespace

float channelLevel(Channel channel, double theta, double r) {
    double a = theta - channelPhase(channel);
    if (a < 0)
        a += kTwoPi;
    if (a <= kPi / 3.0 || a >= 5.0 * kPi / 3.0)
        return 65535.0f;
    const double radius = kDiscRadius;
    const double u = r * std::cos(a);
    const double v = r * std::fabs(std::sin(a));
    const double s1 = u + std::sqrt(radius * radius - v * v);
    static const double kTanSixty = std::tan(kPi / 3.0);
    const double s2 = v / kTanSixty - u;
    return toSingle(65535.0 * s1 / (s1 + s2));
}

float reduceTo255(double value, double max) {
    const auto reduced = static_cast<int16_t>(roundHalfEven(value * 255.0 / max));
    return static_cast<float>(reduced);
}

Raster makeDefaultRaster() {
    Raster raster(kDefaultRasterWidth, kDefaultRasterHeight, kWheelBackground);
    for (int x = -kDiscRadius; x <= kDiscRadius; ++x) {
        for (int y = kDiscRadius; y >= -kDiscRadius; --y) {
            double r = std::sqrt(static_cast<double>(x * x + y * y));
            if (r > kDiscRadius)
                continue;
            const double distance = r;
            if (r == 0)
                r = 1;
            double theta = std::atan2(static_cast<double>(y), static_cast<double>(x));
            if (theta < 0)
                theta += kTwoPi;
            const auto level = [&](Channel channel) {
                const double n = roundHalfEven(channelLevel(channel, theta, r));
                return static_cast<int>(reduceTo255(n, 65535.0));
            };
            Color c = rgbValue(level(Channel::Red), level(Channel::Green), level(Channel::Blue));
            // the outermost two pixels fade toward the background for a smooth rim
            if (distance > kDiscRadius - 2)
                c = blend(c, kWheelBackground, (distance - (kDiscRadius - 2)) * 0.35);
            raster.set(kDefaultDiscCentreX + x, kDefaultDiscCentreY - y, c);
        }
    }
    return raster;
}

Raster makeStartRaster(const Raster& defaultRaster) {
    Raster start = defaultRaster;
    for (int y = 0; y < start.height(); ++y) {
        for (int x = 0; x < start.width(); ++x) {
            const ColorRGB c = splitColor(start.at(x, y));
            auto fiveBits = [](int v) { return (v & 0xF8) | (v >> 5); };
            start.set(x, y, rgbValue(fiveBits(c.r), fiveBits(c.g), fiveBits(c.b)));
        }
    }
    return start;
}

Color webSafeCellColor(int sector, int band) {
    static constexpr std::array<std::array<uint32_t, 5>, 12> kCells = {{
        {0x663333, 0x993333, 0xFF3333, 0xFF9999, 0xFFCECF},
        {0x663333, 0x996633, 0xFF9933, 0xFFCC99, 0xFFE7CD},
        {0x666633, 0x999933, 0xFFFF33, 0xFFFF99, 0xFFFFCE},
        {0x426331, 0x639C31, 0x9CFF31, 0xCEFF9C, 0xE7FFCE},
        {0x316331, 0x319C31, 0x31FF31, 0x9CFF9C, 0xCEFFCE},
        {0x316342, 0x319C63, 0x31FF9C, 0x9CFFCE, 0xCEFFE7},
        {0x316363, 0x319C9C, 0x31FFFF, 0x9CFFFF, 0xCEFFFF},
        {0x314263, 0x31639C, 0x319CFF, 0x9CCEFF, 0xCEE7FF},
        {0x313163, 0x31319C, 0x3131FF, 0x9C9CFF, 0xCECEFF},
        {0x433262, 0x663399, 0x9933FF, 0xCE9CFF, 0xE7CEFF},
        {0x663366, 0x993399, 0xFF33FF, 0xFF99FF, 0xFFCCFF},
        {0x663333, 0x993366, 0xFF3399, 0xFF99CC, 0xFFCEE7},
    }};
    const uint32_t rrggbb = kCells.at(static_cast<size_t>(sector)).at(static_cast<size_t>(band));
    return rgbValue(static_cast<int>(rrggbb >> 16), static_cast<int>((rrggbb >> 8) & 0xFF),
                    static_cast<int>(rrggbb & 0xFF));
}

Raster makeWebSafeRaster() {
    static constexpr std::array<double, 5> kCircles = {25, 50, 76, 102, 127};
    Raster raster(kWebSafeRasterWidth, kWebSafeRasterHeight, kWheelBackground);
    constexpr Color kBlack = 0;
    // the twelve sectors are split by six lines through the centre, 30 degrees apart
    std::array<double, 6> cosines{};
    std::array<double, 6> sines{};
    for (size_t k = 0; k < 6; ++k) {
        const double alpha = static_cast<double>(k) * 30.0 * kPi / 180.0;
        cosines[k] = std::cos(alpha);
        sines[k] = std::sin(alpha);
    }
    for (int row = 0; row < raster.height(); ++row) {
        for (int col = 0; col < raster.width(); ++col) {
            const double dx = col - kWebSafeDiscCentre;
            const double dy = kWebSafeDiscCentre - row;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d >= kDiscRadius + 0.5)
                continue;
            bool line = std::any_of(kCircles.begin(), kCircles.end(),
                                    [d](double radius) { return std::fabs(d - radius) < 0.5; });
            for (size_t k = 0; k < 6 && !line; ++k)
                line = std::fabs(dy * cosines[k] - dx * sines[k]) < 0.5;
            if (line) {
                raster.set(col, row, kBlack);
                continue;
            }
            double degrees = std::atan2(dy, dx) * 180.0 / kPi;
            if (degrees < 0)
                degrees += 360.0;
            const int sector = std::min(11, static_cast<int>(degrees / 30.0));
            const int band = d < 25 ? 0 : d < 50 ? 1 : d < 76 ? 2 : d < 102 ? 3 : 4;
            raster.set(col, row, webSafeCellColor(sector, band));
        }
    }
    return raster;
}

} // namespace core
