#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace preview {

/// A point of the preview's drawing area: column x and row y, origin at its top-left.
struct PixelPoint {
    int16_t x = 0;
    int16_t y = 0;
    friend bool operator==(const PixelPoint& a, const PixelPoint& b) {
        return a.x == b.x && a.y == b.y;
    }
};

using PixelList = std::vector<PixelPoint>;

/// One line of a pixel-list file, "x,y": x is the text before the first comma, y all text
/// after it; each a whole number in the 16-bit signed range (blanks around it allowed, a
/// fraction rounded half to even). nullopt for a malformed line.
std::optional<PixelPoint> parsePixelLine(std::string_view line);

/// Appends the points of a pixel-list file's text to list, in file order. Lines end with
/// CR LF, LF or CR; a last line without an end is read too. Returns how many lines were
/// malformed and skipped.
int appendPixelText(std::string_view text, PixelList& list);

/// The line a pixel-list file holds for a point: decimal x, ",", decimal y, CR LF.
std::string pixelLine(int x, int y);

/// Consecutive pixels of a row-major image: the first one's offset and how many.
struct PixelRun {
    uint32_t offset = 0;
    uint32_t length = 0;
    friend bool operator==(const PixelRun& a, const PixelRun& b) {
        return a.offset == b.offset && a.length == b.length;
    }
};

/// The points of list that lie inside a width x height area, as runs over an image whose
/// rows are stride pixels apart (stride >= width): ascending, duplicates merged, points
/// outside the area dropped.
std::vector<PixelRun> prepareRuns(const PixelList& list, int width, int height, int stride);

/// Sets every pixel of the runs to value; pixels is the image's first pixel.
inline void paintRuns(uint32_t* pixels, const std::vector<PixelRun>& runs, uint32_t value) {
    for (const PixelRun& run : runs) {
        uint32_t* p = pixels + run.offset;
        for (uint32_t i = 0; i < run.length; ++i)
            p[i] = value;
    }
}

/// The preview's three pixel lists (numbered 1 to 3 after the loader argument that filled
/// them), each kept beside its runs over one image size so painting is a tight loop.
class PixelLists {
public:
    PixelLists(int width, int height, int stride);

    /// Empties all three lists.
    void clear();
    /// Appends points to list k (1-3), keeping earlier points.
    void append(int k, const PixelList& points);
    const PixelList& points(int k) const { return m_points.at(static_cast<size_t>(k - 1)); }
    const std::vector<PixelRun>& runs(int k) const { return m_runs.at(static_cast<size_t>(k - 1)); }
    /// How many pixels of the area list k paints (points outside and repeats not counted).
    size_t paintedPixels(int k) const;

private:
    int m_width;
    int m_height;
    int m_stride;
    std::array<PixelList, 3> m_points;
    std::array<std::vector<PixelRun>, 3> m_runs;
};

} // namespace preview
