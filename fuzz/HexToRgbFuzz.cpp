// hexToRgb over any text: either shape or none, never a read past the text.
#include "tools/ColorConverter.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t r = 1, g = 2, b = 3;
    tools::hexToRgb(std::string(reinterpret_cast<const char*>(data), size), r, g, b);
    tools::isDigit(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
