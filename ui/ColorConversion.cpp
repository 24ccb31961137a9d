#include "ColorConversion.h"

#include "platform/SystemColors.h"

namespace ui {

QRgb toQRgb(core::Color value) {
    const core::ColorRGB c = core::SplitColor(platform::displayedColor(value));
    return qRgb(c.r, c.g, c.b);
}

QColor toQColor(core::Color value) {
    return QColor(toQRgb(value));
}

core::Color fromQColor(const QColor& color) {
    return core::rgbValue(color.red(), color.green(), color.blue());
}

} // namespace ui
