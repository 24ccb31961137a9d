// The converter over any source text, with any texts already in its fields.
#include "FuzzInput.h"
#include "core/SystemColors.h"
#include "tools/ColorConverter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<QString> f = fuzzFields(data, size, 7);
    tools::ConverterFields fields;
    fields.source = f[0].toStdString();
    fields.decimal = f[1].toStdString();
    fields.html = f[2].toStdString();
    fields.webSafe = f[3].toStdString();
    fields.red = f[4].toStdString();
    fields.green = f[5].toStdString();
    fields.blue = f[6].toStdString();
    tools::convertColorCode(fields, &core::systemColor);
    // a conversion that reached the swatch always leaves an ordinary colour there
    if (fields.swatch != tools::kInitialSwatchColor &&
        (fields.swatch < 0 || fields.swatch > 16777215))
        __builtin_trap();
    return 0;
}
