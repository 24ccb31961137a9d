#pragma once

#include "DesignColors.h"
#include "Raster.h"

namespace core {

/// The 15-digit pi every angle conversion of the wheel and the scheme rules uses.
constexpr double kPi = 3.14159265358979;

/// Colour outside the disc of every raster (the button-face colour).
constexpr Color kWheelBackground = kButtonFaceColor;

/// Size of the wheel's drawing area in pixels (square).
constexpr int kWheelSurfaceSize = 260;

constexpr int kDefaultRasterWidth = 255;
constexpr int kDefaultRasterHeight = 258;
constexpr int kDefaultDiscCentreX = 127;
constexpr int kDefaultDiscCentreY = 129;
constexpr int kDiscRadius = 127;

constexpr int kWebSafeRasterWidth = 257;
constexpr int kWebSafeRasterHeight = 258;
constexpr int kWebSafeDiscCentre = 128;

/// A colour channel of the hue disc; each is full around its own hue (red east, green 120
/// and blue 240 degrees counter-clockwise from it).
enum class Channel { Red, Green, Blue };

/// Channel level 0-65535 of the hue disc at angle theta (radians, 0 <= theta < 2 pi,
/// counter-clockwise from east) and radius r (pixels, 1-127).
float channelLevel(Channel channel, double theta, double r);

/// value * 255 / max rounded half to even (0-255 for value 0-max).
float reduceTo255(double value, double max);

/// The default raster: 255 x 258, disc centre (127, 129), radius 127, smooth edge.
Raster makeDefaultRaster();

/// The start raster: each component of the default raster cut to 5 bits and shown
/// again at 8 bits as (c & 0xF8) | (c >> 5).
Raster makeStartRaster(const Raster& defaultRaster);

/// The web-safe raster: 257 x 258, 12 sectors by 5 bands of flat colours with
/// one-pixel black dividing lines.
Raster makeWebSafeRaster();

/// Colour of the web-safe raster's cell: sector 0-11 (30 degrees each, counter-clockwise
/// from east), band 0-4 (inner disc outwards).
Color webSafeCellColor(int sector, int band);

} // namespace core
