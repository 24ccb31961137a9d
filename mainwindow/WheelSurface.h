#pragma once

#include "core/Raster.h"
#include "core/Scheme.h"

#include <QImage>
#include <QWidget>

#include <array>

/// The hue wheel's picture surface: shows a raster unscaled at (0, 0) over the button-face
/// colour, with three construction lines drawn over it. Reads return the raster, never the
/// lines.
class WheelSurface : public QWidget, public core::PixelReader, public core::ConstructionLines {
    Q_OBJECT
public:
    explicit WheelSurface(QWidget* parent = nullptr);

    void setRaster(const core::Raster& raster);
    const core::Raster& raster() const { return m_raster; }

    /// Colour value at a surface pixel: the raster, the surface background beyond it,
    /// or -1 outside the surface.
    core::Color GetPixel(int32_t x, int32_t y) override;

    void setLineVisible(int line, bool visible) override;
    void placeLine(int line, float x1, float y1, float x2, float y2) override;

    struct Line {
        bool visible = false;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    };
    const Line& line(int k) const { return m_lines.at(static_cast<size_t>(k - 1)); }

signals:
    void pointerMoved(int button, int shift, float x, float y);
    void pointerPressed(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    core::Raster m_raster;
    QImage m_image;
    /// What the surface shows, in logical pixels: raster, background and lines.
    QImage m_picture;
    std::array<Line, 3> m_lines{};
};
