#include "ColorsFile.h"

namespace io {

std::string colorsFileLine(int k, const core::ColumnTexts& fields) {
    // the uneven spacing around the labels is part of the format
    std::string line = "Color" + std::to_string(k) + " ";
    line += "R:" + fields.red;
    line += " G: " + fields.green;
    line += " B:" + fields.blue;
    line += " RGB: " + fields.decimal;
    line += " HTML: " + fields.html;
    line += " Websafe: " + fields.webSafe;
    line += "\r\n";
    return line;
}

std::string colorsFileText(const std::array<core::ColumnTexts, 3>& colors) {
    std::string text;
    for (int k = 1; k <= 3; ++k)
        text += colorsFileLine(k, colors[static_cast<size_t>(k - 1)]);
    return text;
}

} // namespace io
