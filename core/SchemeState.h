#pragma once

#include "Raster.h"
#include "Scheme.h"

#include <array>
#include <string>

namespace core {

/// The wheel surface as the rules read it: the raster unscaled at (0, 0) on a
/// kWheelSurfaceSize square of the background colour; -1 outside the square.
class RasterSurface final : public PixelReader {
public:
    RasterSurface(const Raster& raster, Color background);
    Color pixelAt(int32_t x, int32_t y) override;

private:
    const Raster& m_raster;
    Color m_background;
};

/// One construction line as the rules leave it, in wheel pixels.
struct LineState {
    bool visible = false;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const LineState& a, const LineState& b) {
        return a.visible == b.visible && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 &&
               a.y2 == b.y2;
    }
};

/// The six texts of one swatch column: components, decimal, HTML and web-safe codes.
struct ColumnTexts {
    std::string red, green, blue, decimal, html, webSafe;
    friend bool operator==(const ColumnTexts& a, const ColumnTexts& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue && a.decimal == b.decimal &&
               a.html == b.html && a.webSafe == b.webSafe;
    }
};

/// The scheme as the swatch panel and the wheel show it: per column (k = 1..3 at index k - 1)
/// the swatch's value (a colour, or a system colour reference) and its texts, and the three
/// construction lines.
struct SchemeState {
    std::array<SwatchValue, 3> swatch{};
    std::array<ColumnTexts, 3> texts;
    std::array<LineState, 3> lines;
};

/// A tracked pointer move to (x, y): nothing changes when the pixel under the pointer reads
/// -1; otherwise column 1 takes that colour, the rule runs and every column's component and
/// web-safe texts follow its swatch. Returns whether the state changed.
bool trackPointer(SchemeState& state, SchemeType type, float x, float y, const WheelGeometry& g,
                  PixelReader& reader, SystemColorLookup sysColor);

/// Runs the rule at (x, y) again (a rule or style choice) and refreshes the component and
/// web-safe texts from the swatches.
void rerunScheme(SchemeState& state, SchemeType type, float x, float y, const WheelGeometry& g,
                 PixelReader& reader, SystemColorLookup sysColor);

/// Runs the rule around the point at angle theta and radius r (the pointer drawn at (x, y)),
/// its colours computed by source (runSchemeAround), and refreshes the texts as rerunScheme.
void rerunSchemeAround(SchemeState& state, SchemeType type, double theta, double r, float x,
                       float y, const WheelGeometry& g, PolarColorSource& source,
                       SystemColorLookup sysColor);

/// Component and web-safe texts of every column from its swatch's value (components of the
/// low bytes of its code, so a reference shows its entry; the web-safe code of the colour it
/// shows).
void refreshColumnCodes(SchemeState& state, SystemColorLookup sysColor);

} // namespace core
