#include "SchemeState.h"

#include "Numeric.h"
#include "Wheel.h"

namespace core {

namespace {

/// The engine's slot and line writes, kept in a state.
class StateWriter final : public SchemeSlots, public ConstructionLines {
public:
    explicit StateWriter(SchemeState& s) : m_s(s) {}
    void setSwatchColor(int k, Color v) override {
        // a swatch keeps its colour when a read finds none
        if (v != kNoColor)
            m_s.swatch.at(static_cast<size_t>(k - 1)) = {splitColor(v), std::nullopt};
    }
    void setDecimalText(int k, const std::string& text) override {
        m_s.texts.at(static_cast<size_t>(k - 1)).decimal = text;
    }
    void setHtmlText(int k, const std::string& text) override {
        m_s.texts.at(static_cast<size_t>(k - 1)).html = text;
    }
    void setLineVisible(int line, bool visible) override {
        m_s.lines.at(static_cast<size_t>(line - 1)).visible = visible;
    }
    void placeLine(int line, float x1, float y1, float x2, float y2) override {
        LineState& l = m_s.lines.at(static_cast<size_t>(line - 1));
        l.x1 = x1;
        l.y1 = y1;
        l.x2 = x2;
        l.y2 = y2;
    }

private:
    SchemeState& m_s;
};

} // namespace

RasterSurface::RasterSurface(const Raster& raster, Color background)
    : m_raster(raster), m_background(background) {}

Color RasterSurface::pixelAt(int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= kWheelSurfaceSize || y >= kWheelSurfaceSize)
        return kNoColor;
    if (m_raster.contains(x, y))
        return m_raster.at(x, y);
    return m_background;
}

void refreshColumnCodes(SchemeState& state, SystemColorLookup sysColor) {
    for (size_t i = 0; i < 3; ++i) {
        const ColorRGB c = splitColor(swatchCode(state.swatch[i]));
        ColumnTexts& t = state.texts[i];
        t.red = std::to_string(c.r);
        t.green = std::to_string(c.g);
        t.blue = std::to_string(c.b);
        t.webSafe = htmlCode(webSafeColor(state.swatch[i], sysColor));
    }
}

void rerunScheme(SchemeState& state, SchemeType type, float x, float y, const WheelGeometry& g,
                 PixelReader& reader, SystemColorLookup sysColor) {
    StateWriter writer(state);
    runScheme(type, x, y, g, reader, writer, writer);
    refreshColumnCodes(state, sysColor);
}

void rerunSchemeAround(SchemeState& state, SchemeType type, double theta, double r, float x,
                       float y, const WheelGeometry& g, PolarColorSource& source,
                       SystemColorLookup sysColor) {
    StateWriter writer(state);
    runSchemeAround(type, theta, r, x, y, g, source, writer, writer);
    refreshColumnCodes(state, sysColor);
}

bool trackPointer(SchemeState& state, SchemeType type, float x, float y, const WheelGeometry& g,
                  PixelReader& reader, SystemColorLookup sysColor) {
    const Color c = reader.pixelAt(pixelCoordinate(x), pixelCoordinate(y));
    if (c == kNoColor)
        return false;
    state.swatch[0] = {splitColor(c), std::nullopt};
    rerunScheme(state, type, x, y, g, reader, sysColor);
    return true;
}

} // namespace core
