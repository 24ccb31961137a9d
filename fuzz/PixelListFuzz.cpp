// A pixel-list file of any bytes: read, prepared for painting and painted, always in bounds.
#include "preview/PixelList.h"

#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // a small area exercises the same clipping and merging as the 373 x 269 preview, faster
    constexpr int kWidth = 64;
    constexpr int kHeight = 48;
    preview::PixelList list;
    preview::appendPixelText(std::string_view(reinterpret_cast<const char*>(data), size), list);
    const auto runs = preview::prepareRuns(list, kWidth, kHeight, kWidth);
    static std::vector<uint32_t> image(static_cast<size_t>(kWidth) * kHeight);
    preview::paintRuns(image.data(), runs, 0xFF00FFu);
    return 0;
}
