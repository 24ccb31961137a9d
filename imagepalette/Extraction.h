#pragma once

#include "core/Oklab.h"
#include "core/Palette.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The colours of a picture, from a list of its pixels: quantized in OKLab (a variance split
// to seed, weighted k-means to settle, close colours and those grain made merged), then ranked two
// ways, the largest areas first (dominant) and the most colourful first (accents). Plain C++, fully
// deterministic: one thread, no random numbers, sums in a fixed order.

namespace imagepalette {

/// One pixel of a picture: 8-bit sRGB, straight (not premultiplied) alpha, and where it is.
/// Pixels are listed row by row, left to right, as a grid gives them: the colours of pixels
/// side by side tell grain from areas of their own.
struct Sample {
    Sample() = default;
    Sample(core::ColorRGB color, uint8_t opacity, int column, int row)
        : rgb(color), alpha(opacity), x(column), y(row) {}

    core::ColorRGB rgb;
    uint8_t alpha = 255; ///< 0 transparent .. 255 opaque
    int x = 0;           ///< column in the original picture, 0 at the left
    int y = 0;           ///< row in the original picture, 0 at the top
    /// The colour exactly, where the picture gives it beyond sRGB (rgb is then clamped into
    /// sRGB); none inside sRGB.
    std::optional<core::Oklab> beyondSrgb;
};

/// Whether linear sRGB lies beyond sRGB by more than half an 8-bit step in some encoded
/// channel (less is rounding).
bool liesBeyondSrgb(const core::LinearRgb& c);

/// Below this alpha a pixel is left out: it shows the background, not the picture.
constexpr uint8_t kOpaqueAlpha = 128;
/// The quantizer seeks this many colours before close ones merge.
constexpr int kClusterCount = 16;
/// The k-means rounds at most; it usually settles in far fewer.
constexpr int kMostRounds = 12;
/// k-means has settled when no colour moves further than this deltaEOK in a round, far
/// below what an eye tells apart (about 0.02).
constexpr double kSettled = 0.001;
/// Clusters closer than this deltaEOK are one colour.
constexpr double kMergeDistance = 0.03;
/// Clusters closer than this deltaEOK are one colour too when their pixels lie mixed among
/// each other (see kGrainMixing), as the pieces that grain splits one colour into do.
constexpr double kGrainMergeDistance = 0.06;
/// Two clusters lie mixed when their samples are side by side at least this share of as often
/// as if strewn at random over one place: about 1 for grain, a few hundredths for two areas
/// that meet along an edge or the steps of a gradient.
constexpr double kGrainMixing = 0.5;
/// Below this OKLCH chroma a colour is grey: background, never an accent.
constexpr double kBackgroundChroma = 0.03;
/// Above this OKLab lightness a colour is near-white: background.
constexpr double kBackgroundLight = 0.95;
/// Below this OKLab lightness a colour is near-black: background.
constexpr double kBackgroundDark = 0.12;
/// An accent covers at least this share of the picture in percent, so that a few stray
/// pixels of noise are not offered as one.
constexpr double kLeastAccentShare = 0.25;
/// Percent of the picture a dominant colour stands for at least (the largest always counts):
/// a sliver, such as the soft edge between two patches, is no dominant colour.
constexpr double kLeastDominantShare = 0.5;
/// At most this many dominant colours and this many accents.
constexpr int kMostRanked = 8;

/// A colour found in a picture.
struct FoundColor {
    core::Oklab oklab;  ///< the cluster's mean in OKLab
    core::ColorRGB rgb; ///< its 8-bit sRGB colour (clamped into sRGB; beyond it, gamut-mapped)
    double share = 0;   ///< percent 0..100 of the opaque pixels it stands for
    int x = 0;          ///< the pixel nearest it in colour, in original picture coordinates
    int y = 0;
    bool background = false; ///< near-white, near-black or grey (isBackground)
    bool beyondSrgb = false; ///< the picture gives it beyond sRGB: oklab is that colour exactly
    friend bool operator==(const FoundColor& l, const FoundColor& r);
};

/// What a picture's pixels give.
struct Extraction {
    std::vector<FoundColor> colors;   ///< every colour found, the largest share first
    std::vector<FoundColor> dominant; ///< up to 8, the largest share first
    std::vector<FoundColor> accents;  ///< up to 8 chromatic colours, the best accent first
    std::string message;              ///< why nothing was found; empty when colors is not
    bool cancelled = false;           ///< the caller asked it to stop; nothing was found
};

/// Whether an OKLab colour is background: chroma below 0.03, lightness above 0.95 or below
/// 0.12.
bool isBackground(const core::Oklab& c);

/// How strongly a colour stands out as an accent: chroma times the cube root of its share
/// (percent), so a small saturated patch outranks a large muted one; 0 for background.
double accentScore(const FoundColor& c);

/// The colours of the samples (pixels with alpha below 128 left out). Stops early with
/// cancelled set when *cancel becomes true (checked between rounds); cancel may be null.
Extraction extractColors(const std::vector<Sample>& samples,
                         const std::atomic<bool>* cancel = nullptr);

/// The palette of an extraction: "dominant-1".. (group "Dominant") then "accent-1".. (group
/// "Accents"), each with its share, place and whether it is background, and a colour beyond
/// sRGB exactly; named name.
core::Palette paletteOf(const Extraction& extraction, const std::string& name = {});

} // namespace imagepalette
