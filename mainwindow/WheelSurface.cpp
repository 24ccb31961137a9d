#include "WheelSurface.h"

#include "core/Wheel.h"
#include "platform/SystemColors.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

QColor toQColor(core::Color v) {
    const core::ColorRGB c = core::SplitColor(v);
    return QColor(c.r, c.g, c.b);
}

int modifiersToShift(Qt::KeyboardModifiers m) {
    return (m.testFlag(Qt::ShiftModifier) ? 1 : 0) | (m.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (m.testFlag(Qt::AltModifier) ? 4 : 0);
}

int buttonsToButton(Qt::MouseButtons b) {
    return (b.testFlag(Qt::LeftButton) ? 1 : 0) | (b.testFlag(Qt::RightButton) ? 2 : 0) |
           (b.testFlag(Qt::MiddleButton) ? 4 : 0);
}

/// The pointer in whole surface pixels: the pixel that contains it. On a scaled screen the
/// pointer lies between logical pixels, but the toolkit hands widgets a position rounded to
/// whole ones; the position in the window keeps the fraction. An event sent straight to the
/// widget carries no window position (it repeats the widget position): its own is used.
QPointF surfacePixel(const QWidget* surface, const QMouseEvent* event) {
    const QPointF given = event->position();
    const QPointF inWindow =
        event->scenePosition() - QPointF(surface->mapTo(surface->window(), QPoint(0, 0)));
    const bool sameSpot =
        std::abs(inWindow.x() - given.x()) <= 0.5 && std::abs(inWindow.y() - given.y()) <= 0.5;
    const QPointF p = sameSpot ? inWindow : given;
    return {std::floor(p.x()), std::floor(p.y())};
}

} // namespace

WheelSurface::WheelSurface(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("wheel"));
    setFixedSize(core::kWheelSurfaceSize, core::kWheelSurfaceSize);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(tr("Hue wheel"));
}

void WheelSurface::setRaster(const core::Raster& raster) {
    m_raster = raster;
    m_image = QImage(raster.width(), raster.height(), QImage::Format_RGB32);
    for (int y = 0; y < raster.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        for (int x = 0; x < raster.width(); ++x) {
            const core::ColorRGB c = core::SplitColor(raster.at(x, y));
            line[x] = qRgb(c.r, c.g, c.b);
        }
    }
    update();
}

core::Color WheelSurface::GetPixel(int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= core::kWheelSurfaceSize || y >= core::kWheelSurfaceSize)
        return core::kNoColor;
    if (m_raster.contains(x, y))
        return m_raster.at(x, y);
    return platform::GetSysColor(platform::kColorBtnFace);
}

void WheelSurface::setLineVisible(int line, bool visible) {
    m_lines.at(static_cast<size_t>(line - 1)).visible = visible;
    update();
}

void WheelSurface::placeLine(int line, float x1, float y1, float x2, float y2) {
    Line& l = m_lines.at(static_cast<size_t>(line - 1));
    l.x1 = x1;
    l.y1 = y1;
    l.x2 = x2;
    l.y2 = y2;
    update();
}

void WheelSurface::paintEvent(QPaintEvent*) {
    // raster and lines are drawn in logical pixels and only then enlarged, without smoothing,
    // so a scaled screen shows exactly the unscaled picture with each pixel as a block
    if (m_picture.size() != size())
        m_picture = QImage(size(), QImage::Format_RGB32);
    QPainter picture(&m_picture);
    picture.fillRect(rect(), toQColor(platform::GetSysColor(platform::kColorBtnFace)));
    picture.drawImage(0, 0, m_image);
    static const QColor kLineColors[] = {QColor(255, 255, 255), QColor(64, 64, 64),
                                         QColor(64, 64, 64)};
    for (size_t k = 0; k < m_lines.size(); ++k) {
        const Line& l = m_lines[k];
        if (!l.visible)
            continue;
        picture.setPen(QPen(kLineColors[k], 3));
        picture.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
    }
    picture.end();
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), m_picture);
}

void WheelSurface::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = surfacePixel(this, event);
    emit pointerMoved(buttonsToButton(event->buttons()), modifiersToShift(event->modifiers()),
                      static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void WheelSurface::mousePressEvent(QMouseEvent* event) {
    const QPointF p = surfacePixel(this, event);
    emit pointerPressed(buttonsToButton(event->button()), modifiersToShift(event->modifiers()),
                        static_cast<float>(p.x()), static_cast<float>(p.y()));
}
