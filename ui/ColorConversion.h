#pragma once

#include "core/ColorCodes.h"
#include "core/Raster.h"

#include <QColor>
#include <QImage>
#include <QPixmap>

#include <initializer_list>

namespace ui {

/// The opaque QRgb a colour value shows on screen: a system colour reference is resolved,
/// the top byte dropped.
QRgb toQRgb(core::Color value);

/// The QColor a colour value shows on screen, as toQRgb.
QColor toQColor(core::Color value);

/// The opaque QRgb of an 8-bit colour.
QRgb toQRgb(core::ColorRGB color);
/// The QColor of an 8-bit colour.
QColor toQColor(core::ColorRGB color);
/// The 8-bit colour of a QRgb; alpha is ignored.
core::ColorRGB rgbOf(QRgb pixel);

/// The raster as a picture, pixel for pixel.
QImage rasterImage(const core::Raster& raster);

/// The 24-bit colour value of a QColor's red, green and blue; alpha is ignored.
core::Color fromQColor(const QColor& color);

/// Square swatches of 12 pixels side by side, outlined together in black: the picture of one
/// or more colours in a table's cell or header.
QPixmap swatchPicture(std::initializer_list<QRgb> colors);

} // namespace ui
