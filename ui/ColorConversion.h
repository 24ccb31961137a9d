#pragma once

#include "core/ColorCodes.h"
#include "core/Raster.h"

#include <QColor>
#include <QImage>

namespace ui {

/// The opaque QRgb a colour value shows on screen: a system colour reference is resolved,
/// the top byte dropped.
QRgb toQRgb(core::Color value);

/// The QColor a colour value shows on screen, as toQRgb.
QColor toQColor(core::Color value);

/// The raster as a picture, pixel for pixel.
QImage rasterImage(const core::Raster& raster);

/// The 24-bit colour value of a QColor's red, green and blue; alpha is ignored.
core::Color fromQColor(const QColor& color);

} // namespace ui
