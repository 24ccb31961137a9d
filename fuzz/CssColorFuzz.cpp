// The CSS colour reader over any text: a colour or a message, never a crash; whatever it
// reads maps into sRGB and writes back as text.
#include "core/CssColor.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const core::CssParseResult r =
        core::parseCssColor(std::string_view(reinterpret_cast<const char*>(data), size));
    if (r.color.has_value() == !r.error.empty())
        std::abort(); // exactly one of a colour and a message
    if (r.color) {
        const core::ColorRGB c = core::rgb8Of(*r.color);
        const std::string text = core::oklchText(c) + core::hslText(c) + core::hexText(c);
        if (text.empty())
            std::abort();
    }
    return 0;
}
