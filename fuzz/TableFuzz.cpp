// The table generator's text from any field texts, numbers read as the window reads them.
#include "FuzzInput.h"
#include "html/TableText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<QString> f = fuzzFields(data, size, 10);
    const html::TableFields fields{f[0], f[1], f[2], f[3], f[4], f[5]};
    const auto rows = html::readFieldNumber(f[6]);
    const auto columns = html::readFieldNumber(f[7]);
    html::spinUp(f[6]);
    html::spinDown(f[7]);
    if (!rows || !columns || html::tableCellCount(*rows, *columns) > 20000)
        return 0;
    const QString text = html::tableHtml(fields, *rows, *columns, f[8], f[9]);
    if (!text.startsWith(QLatin1String("<table")) || !text.endsWith(QLatin1String("</table>")))
        __builtin_trap();
    return 0;
}
