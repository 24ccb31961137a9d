#pragma once

class QPainter;

namespace platform {

/// Paints the sunken 3-D border of a w x h picture surface in the system colours: shadow
/// outside top and left, highlight outside bottom and right. Drawn as whole-pixel rectangles,
/// which stay solid blocks at any display scale where lines would shift by half a pixel.
void paintSunkenBorder(QPainter& painter, int w, int h);

} // namespace platform
