#pragma once

#include "PixelList.h"

#include <QImage>

#include <array>

// The preview's drawing area as pictures, with no widget: what the pane shows, and what the
// sheet and the command line's export draw without a display.

namespace preview {

/// The drawing area's size in pixels.
inline constexpr int kDrawWidth = 373;
inline constexpr int kDrawHeight = 269;
/// The list painted in scheme colour 1, 2 and 3, in painting order: a later list wins where
/// lists share a point.
inline constexpr std::array<int, 3> kPaintOrder = {1, 3, 2};

/// The colour each list (1-3, at index k - 1) gets when the scheme's colours are painted.
std::array<QRgb, 3> listColors(const std::array<QRgb, 3>& schemeColors);
/// The drawing area as it shows picture: the bare background with the picture drawn unscaled
/// at (0, 0) and clipped.
QImage composeDrawingArea(const QImage& picture);
/// The surface's own colour, seen where no picture covers the drawing area.
QRgb backgroundColor();
/// The drawing area as a click paints the scheme's colours over bare (the drawing area before
/// any list is painted): every list in painting order, lists sharing bare's size.
QImage paintedArea(const QImage& bare, const PixelLists& lists,
                   const std::array<QRgb, 3>& schemeColors);
/// The drawing area of style index (into previewStyles()) as paintedArea paints it: its
/// mock-up and its pixel lists read from beside the program, as the pane puts them up; the
/// bare surface for an index outside the list.
QImage paintedStyle(int index, const std::array<QRgb, 3>& schemeColors);

struct PreviewStyle;
/// Appends the style's three pixel lists, read from beside the program, to lists; a list that
/// cannot be read is left out with a warning.
void readPixelLists(const PreviewStyle& style, PixelLists& lists);

} // namespace preview
