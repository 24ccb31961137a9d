#pragma once

#include "ColorCodes.h"

#include <vector>

namespace core {

/// A picture of colour values, row by row; (0, 0) is the top-left pixel.
class Raster {
public:
    Raster() = default;
    Raster(int width, int height, Color fill)
        : m_width(width), m_height(height),
          m_pixels(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    /// Pixel at column x, row y; the caller keeps (x, y) inside.
    Color at(int x, int y) const { return m_pixels[index(x, y)]; }
    void set(int x, int y, Color v) { m_pixels[index(x, y)] = v; }
    const std::vector<Color>& pixels() const { return m_pixels; }

private:
    size_t index(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x);
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<Color> m_pixels;
};

} // namespace core
