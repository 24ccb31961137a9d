// The colours file's text from any panel field texts: always three CR LF lines.
#include "FuzzInput.h"
#include "io/ColorsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<QString> f = fuzzFields(data, size, 18);
    std::array<core::ColumnTexts, 3> colors;
    for (size_t k = 0; k < 3; ++k) {
        const size_t b = 6 * k;
        colors[k] = {f[b].toStdString(),     f[b + 1].toStdString(), f[b + 2].toStdString(),
                     f[b + 3].toStdString(), f[b + 4].toStdString(), f[b + 5].toStdString()};
    }
    const std::string text = io::colorsFileText(colors);
    if (text.rfind("Color1 R:", 0) != 0 || text.size() < 2 ||
        text.substr(text.size() - 2) != "\r\n")
        __builtin_trap();
    return 0;
}
