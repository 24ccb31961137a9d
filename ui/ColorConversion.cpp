#include "ColorConversion.h"

#include "core/SystemColors.h"

#include <QPainter>

namespace ui {

QRgb toQRgb(core::Color value) {
    return toQRgb(core::splitColor(core::displayedColor(value)));
}

QColor toQColor(core::Color value) {
    return QColor(toQRgb(value));
}

QRgb toQRgb(core::ColorRGB color) {
    return qRgb(color.r, color.g, color.b);
}

QColor toQColor(core::ColorRGB color) {
    return QColor(toQRgb(color));
}

core::ColorRGB rgbOf(QRgb pixel) {
    return {static_cast<uint8_t>(qRed(pixel)), static_cast<uint8_t>(qGreen(pixel)),
            static_cast<uint8_t>(qBlue(pixel))};
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

QPixmap swatchPicture(std::initializer_list<QRgb> colors) {
    constexpr int kSide = 12;
    QPixmap pixmap(kSide * int(colors.size()), kSide);
    QPainter painter(&pixmap);
    int x = 0;
    for (QRgb c : colors) {
        painter.fillRect(x, 0, kSide, kSide, QColor(c));
        x += kSide;
    }
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, kSide - 1);
    return pixmap;
}

} // namespace ui
