#include "ColorConversion.h"

#include "core/SystemColors.h"

namespace ui {

QRgb toQRgb(core::Color value) {
    const core::ColorRGB c = core::splitColor(core::displayedColor(value));
    return qRgb(c.r, c.g, c.b);
}

QColor toQColor(core::Color value) {
    return QColor(toQRgb(value));
}

QImage rasterImage(const core::Raster& raster) {
    QImage image(raster.width(), raster.height(), QImage::Format_RGB32);
    for (int y = 0; y < raster.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < raster.width(); ++x)
            line[x] = toQRgb(raster.at(x, y));
    }
    return image;
}

core::Color fromQColor(const QColor& color) {
    return core::rgbValue(color.red(), color.green(), color.blue());
}

} // namespace ui
