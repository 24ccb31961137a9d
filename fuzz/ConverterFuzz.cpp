// The converter over any source text, with any texts already in its fields.
#include "FuzzInput.h"
#include "core/SystemColors.h"
#include "tools/ColorConverter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<QString> f = fuzzFields(data, size, 7);
    tools::ConverterFields fields;
    fields.txtsource = f[0].toStdString();
    fields.txtrgb = f[1].toStdString();
    fields.txthtml = f[2].toStdString();
    fields.txtwebsafe = f[3].toStdString();
    fields.txtr = f[4].toStdString();
    fields.txtg = f[5].toStdString();
    fields.txtb = f[6].toStdString();
    tools::convertColorCode(fields, &core::systemColor);
    // a conversion that reached the swatch always leaves an ordinary colour there
    if (fields.piccolor != tools::kInitialSwatchColor &&
        (fields.piccolor < 0 || fields.piccolor > 16777215))
        __builtin_trap();
    return 0;
}
