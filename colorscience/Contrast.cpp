#include "Contrast.h"

#include "core/Oklab.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace colorscience {

namespace {

// A ratio is computed from luminances in double; its error is near 1e-15 relative, so a
// ratio that is a whole number of hundredths in exact arithmetic (1.05 / 0.05 = 21) must
// not fall one hundredth short when cut
constexpr double kRatioSlack = 1e-12;

double withSlack(double ratio) {
    return ratio * (1.0 + kRatioSlack);
}

/// The ratio cut to whole hundredths.
long long hundredths(double ratio) {
    return static_cast<long long>(std::floor(withSlack(ratio) * 100.0));
}

std::string cutText(double ratio) {
    const long long h = hundredths(ratio);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld.%02lld", h / 100, h % 100);
    return buffer;
}

double apcaChannel(int channel) {
    return std::pow(channel / 255.0, 2.4);
}

/// Screen luminance as APCA estimates it: a plain 2.4 curve, no linear toe.
double apcaY(ColorRGB c) {
    return 0.2126729 * apcaChannel(c.r) + 0.7151522 * apcaChannel(c.g) +
           0.0721750 * apcaChannel(c.b);
}

/// Soft clamp of near-black: flare lifts very dark colours.
double softClampBlack(double y) {
    constexpr double kBlackThreshold = 0.022;
    constexpr double kBlackClamp = 1.414;
    return y > kBlackThreshold ? y : y + std::pow(kBlackThreshold - y, kBlackClamp);
}

} // namespace

double relativeLuminance(ColorRGB color) {
    const core::LinearRgb linear = core::linearOf(color);
    return 0.2126 * linear.r + 0.7152 * linear.g + 0.0722 * linear.b;
}

double contrastRatio(ColorRGB a, ColorRGB b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::string ratioText(double ratio) {
    return cutText(ratio) + ":1";
}

std::string ratioWords(double ratio) {
    return cutText(ratio) + " to 1";
}

double levelThreshold(Level level) {
    switch (level) {
    case Level::AaNormal:
        return 4.5;
    case Level::AaLarge:
        return 3.0;
    case Level::AaaNormal:
        return 7.0;
    case Level::AaaLarge:
        return 4.5;
    case Level::NonText:
        return 3.0;
    }
    return 0.0;
}

const char* levelName(Level level) {
    switch (level) {
    case Level::AaNormal:
        return "AA normal text";
    case Level::AaLarge:
        return "AA large text";
    case Level::AaaNormal:
        return "AAA normal text";
    case Level::AaaLarge:
        return "AAA large text";
    case Level::NonText:
        return "non-text";
    }
    return "";
}

bool passes(double ratio, Level level) {
    // the same slack as the text, so a ratio shown "4.50:1" never fails 4.5
    return withSlack(ratio) >= levelThreshold(level);
}

const char* levelMark(double ratio) {
    if (passes(ratio, Level::AaaNormal))
        return "AAA";
    if (passes(ratio, Level::AaNormal))
        return "AA";
    if (passes(ratio, Level::AaLarge))
        return "AA large";
    return "fail";
}

std::string levelWords(double ratio) {
    std::string passed;
    std::string failed;
    for (int i = 0; i < kLevelCount; ++i) {
        const auto level = static_cast<Level>(i);
        std::string& list = passes(ratio, level) ? passed : failed;
        if (!list.empty())
            list += ", ";
        list += levelName(level);
    }
    if (failed.empty())
        return "passes " + passed;
    if (passed.empty())
        return "fails " + failed;
    return "passes " + passed + "; fails " + failed;
}

double apcaContrast(ColorRGB text, ColorRGB background) {
    const double textY = softClampBlack(apcaY(text));
    const double backY = softClampBlack(apcaY(background));
    if (std::fabs(backY - textY) < 0.0005)
        return 0.0;
    constexpr double kScale = 1.14;
    constexpr double kLowClip = 0.1;
    constexpr double kLowOffset = 0.027;
    double lc = 0.0;
    if (backY > textY) {
        // dark text on a light background
        const double sapc = (std::pow(backY, 0.56) - std::pow(textY, 0.57)) * kScale;
        lc = sapc < kLowClip ? 0.0 : sapc - kLowOffset;
    } else {
        const double sapc = (std::pow(backY, 0.65) - std::pow(textY, 0.62)) * kScale;
        lc = sapc > -kLowClip ? 0.0 : sapc + kLowOffset;
    }
    return lc * 100.0;
}

std::string apcaText(double lc) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", lc);
    std::string text = buffer;
    if (text == "-0.0")
        text = "0.0";
    return text;
}

} // namespace colorscience
