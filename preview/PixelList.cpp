#include "PixelList.h"

#include "core/Numeric.h"

namespace preview {

std::optional<PixelPoint> parsePixelLine(std::string_view line) {
    const size_t comma = line.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const auto x = core::readInt16(line.substr(0, comma));
    const auto y = core::readInt16(line.substr(comma + 1));
    if (!x || !y)
        return std::nullopt;
    return PixelPoint{*x, *y};
}

int appendPixelText(std::string_view text, PixelList& list) {
    int skipped = 0;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        const std::string_view line = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (const auto point = parsePixelLine(line))
            list.push_back(*point);
        else
            ++skipped;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return skipped;
}

std::string pixelLine(int x, int y) {
    return std::to_string(x) + ',' + std::to_string(y) + "\r\n";
}

std::vector<PixelRun> prepareRuns(const PixelList& list, int width, int height, int stride) {
    std::vector<PixelRun> runs;
    if (width <= 0 || height <= 0)
        return runs;
    // a mask of the area sorts and merges in one pass, whatever order the file had
    std::vector<uint8_t> mask(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    for (const PixelPoint& p : list) {
        if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height)
            continue;
        mask[static_cast<size_t>(p.y) * static_cast<size_t>(width) + static_cast<size_t>(p.x)] = 1;
    }
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = mask.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        int x = 0;
        while (x < width) {
            if (!row[x]) {
                ++x;
                continue;
            }
            const int first = x;
            while (x < width && row[x])
                ++x;
            const auto offset = static_cast<uint32_t>(y * stride + first);
            const auto length = static_cast<uint32_t>(x - first);
            // with stride == width a run may go on at the start of the next row
            if (!runs.empty() && runs.back().offset + runs.back().length == offset)
                runs.back().length += length;
            else
                runs.push_back({offset, length});
        }
    }
    return runs;
}

PixelLists::PixelLists(int width, int height, int stride)
    : m_width(width), m_height(height), m_stride(stride) {}

void PixelLists::clear() {
    for (size_t i = 0; i < 3; ++i) {
        m_points[i].clear();
        m_runs[i].clear();
    }
}

void PixelLists::append(int k, const PixelList& points) {
    const auto i = static_cast<size_t>(k - 1);
    PixelList& list = m_points.at(i);
    list.insert(list.end(), points.begin(), points.end());
    m_runs[i] = prepareRuns(list, m_width, m_height, m_stride);
}

size_t PixelLists::paintedPixels(int k) const {
    size_t n = 0;
    for (const PixelRun& run : runs(k))
        n += run.length;
    return n;
}

} // namespace preview
