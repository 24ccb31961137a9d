#pragma once

#include "core/Raster.h"
#include "core/SchemeState.h"
#include "core/Wheel.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class QPainter;

namespace mainwindow {

/// The hue wheel's picture surface: shows a raster unscaled at (0, 0) over the button-face
/// colour, with three construction lines drawn over it. From the keyboard, arrow keys move a
/// pointer of its own (Shift: ten pixels), Space or Enter click, Home returns to the centre;
/// while it has focus a marker shows it. The scheme reads the raster itself, never this picture.
class WheelSurface : public QWidget {
    Q_OBJECT
public:
    explicit WheelSurface(QWidget* parent = nullptr);

    void setRaster(const core::Raster& raster);
    /// Shows a size x size picture of 0xFFRRGGBB pixels, row by row (the perceptual disc).
    void setPixels(const std::vector<uint32_t>& pixels, int size);

    /// Construction line k (1 white, 2 and 3 grey) as the scheme left it.
    void setLine(int k, const core::LineState& line);
    /// The scheme's pointer is at pixel (the real pointer's, or a base colour's place): the
    /// keyboard's pointer goes on from there, kept on the surface.
    void followPointer(const QPointF& pixel);

signals:
    /// The pointer (or the keyboard's pointer, with no button) moved to pixel (x, y);
    /// buttons are those held during the move.
    void pointerMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, float x, float y);
    /// A click at pixel (x, y): the button pressed (left for Space or Enter).
    void pointerPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    /// A frame round the surface and, after a key move, a square round the keyboard's pixel.
    void paintFocusMarker(QPainter& painter) const;

    QImage m_image;
    /// What the surface shows, in logical pixels: raster, background and lines.
    QImage m_picture;
    std::array<core::LineState, 3> m_lines{};
    /// Where the keyboard's pointer is, in surface pixels; it starts at the centre.
    QPoint m_pointer{core::kWheelSurfaceSize / 2, core::kWheelSurfaceSize / 2};
    /// Whether the keys moved the pointer last (then its square is drawn while focused).
    bool m_keyboardPointer = false;
};

} // namespace mainwindow
