#pragma once

#include "PixelList.h"

#include <QImage>
#include <QWidget>

#include <array>

namespace preview {

/// The preview pane: a 377 x 273 picture surface with a 2-pixel sunken border around a
/// 373 x 269 drawing area that holds a persistent image (mock-up plus painted pixels), and
/// the three pixel lists painted on it.
class PreviewSurface : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBorder = 2;
    static constexpr int kDrawWidth = 373;
    static constexpr int kDrawHeight = 269;

    explicit PreviewSurface(QWidget* parent = nullptr);

    /// The drawing area as it shows picture: the bare background with the picture drawn
    /// unscaled at (0, 0) and clipped.
    static QImage composeDrawingArea(const QImage& picture);
    /// The surface's own colour, seen where no picture covers the drawing area.
    static QRgb backgroundColor();

    /// Clears the image and draws the picture unscaled at (0, 0).
    void setPicture(const QImage& picture);
    /// The persistent image of the drawing area.
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }

    PixelLists& lists() { return m_lists; }
    const PixelLists& lists() const { return m_lists; }
    /// The list painted in scheme colour 1, 2 and 3, in painting order: a later list wins
    /// where lists share a point.
    static constexpr std::array<int, 3> kPaintOrder = {1, 3, 2};
    /// Paints the lists in the scheme's colours, in painting order, and shows the result.
    /// Returns the colour each list (1-3, at index k - 1) got.
    std::array<QRgb, 3> paintScheme(const std::array<QRgb, 3>& schemeColors);
    /// Sets every point of list k (1-3) inside the drawing area to colour; shown on refresh.
    void paintList(int k, QRgb color);
    /// Shows the image as it now stands.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    PixelLists m_lists;
};

} // namespace preview
