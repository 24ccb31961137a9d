// The CSS colour reader over any text: a colour or a message, never a crash; whatever it
// reads maps into sRGB, in a search that ends, and writes back as text.
#include "core/CssColor.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool inside(const core::LinearRgb& c) {
    for (const double v : {c.r, c.g, c.b}) {
        if (!(v >= 0.0 && v <= 1.0))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const core::CssParseResult r =
        core::parseCssColor(std::string_view(reinterpret_cast<const char*>(data), size));
    if (r.color.has_value() == !r.error.empty())
        std::abort(); // exactly one of a colour and a message
    if (r.color) {
        // the mapping of every colour read, inside sRGB or not, and of its chroma doubled
        const core::Oklch own = core::toOklch(r.color->oklab);
        if (!inside(core::gamutMap(own)) || !inside(core::gamutMap({own.L, own.C * 2, own.h})))
            std::abort();
        const core::ColorRGB c = core::rgb8Of(*r.color);
        if (r.color->outOfGamut && !(c == core::mapToRgb8(own)))
            std::abort();
        const std::string text = core::oklchText(c) + core::hslText(c) + core::hexText(c);
        if (text.empty())
            std::abort();
    }
    return 0;
}
