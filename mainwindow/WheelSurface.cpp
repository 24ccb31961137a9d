#include "WheelSurface.h"

#include "core/DesignColors.h"
#include "core/SystemColors.h"
#include "core/Wheel.h"
#include "ui/ColorConversion.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace mainwindow {

namespace {

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
    setAccessibleDescription(tr("Arrow keys move the pointer one pixel, with Shift ten; Space or "
                                "Enter freezes or releases the colours; Home returns to the "
                                "centre."));
    setFocusPolicy(Qt::StrongFocus);
}

void WheelSurface::setRaster(const core::Raster& raster) {
    m_image = ui::rasterImage(raster);
    update();
}

void WheelSurface::setPixels(const std::vector<uint32_t>& pixels, int size) {
    if (pixels.size() != static_cast<size_t>(size) * static_cast<size_t>(size))
        return;
    m_image = QImage(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        std::copy_n(pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(size), size,
                    reinterpret_cast<uint32_t*>(m_image.scanLine(y)));
    update();
}

void WheelSurface::setLine(int k, const core::LineState& line) {
    core::LineState& shown = m_lines.at(static_cast<size_t>(k - 1));
    if (shown == line)
        return;
    shown = line;
    update();
}

void WheelSurface::paintEvent(QPaintEvent*) {
    // raster and lines are drawn in logical pixels and only then enlarged, without smoothing,
    // so a scaled screen shows exactly the unscaled picture with each pixel as a block
    if (m_picture.size() != size())
        m_picture = QImage(size(), QImage::Format_RGB32);
    QPainter picture(&m_picture);
    picture.fillRect(rect(), ui::toQColor(core::systemColor(core::kSystemButtonFace)));
    picture.drawImage(0, 0, m_image);
    static const QColor kLineColors[] = {ui::toQColor(core::kPickLineColor),
                                         ui::toQColor(core::kPartnerLineColor),
                                         ui::toQColor(core::kPartnerLineColor)};
    for (size_t k = 0; k < m_lines.size(); ++k) {
        const core::LineState& l = m_lines[k];
        if (!l.visible)
            continue;
        picture.setPen(QPen(kLineColors[k], 3));
        picture.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
    }
    if (hasFocus())
        paintFocusMarker(picture);
    picture.end();
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), m_picture);
}

void WheelSurface::paintFocusMarker(QPainter& painter) const {
    // light and dark together stay visible on every colour of the wheel and the surface
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_keyboardPointer)
        return;
    const QRect pixel(m_pointer, QSize(1, 1));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(pixel.adjusted(-4, -4, 3, 3));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(pixel.adjusted(-3, -3, 2, 2));
}

void WheelSurface::followPointer(const QPointF& pixel) {
    const int last = core::kWheelSurfaceSize - 1;
    m_pointer = QPoint(std::clamp(static_cast<int>(pixel.x()), 0, last),
                       std::clamp(static_cast<int>(pixel.y()), 0, last));
    if (m_keyboardPointer) {
        m_keyboardPointer = false;
        update();
    }
}

void WheelSurface::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = surfacePixel(this, event);
    followPointer(p);
    emit pointerMoved(event->buttons(), event->modifiers(), static_cast<float>(p.x()),
                      static_cast<float>(p.y()));
}

void WheelSurface::mousePressEvent(QMouseEvent* event) {
    const QPointF p = surfacePixel(this, event);
    followPointer(p);
    emit pointerPressed(event->button(), event->modifiers(), static_cast<float>(p.x()),
                        static_cast<float>(p.y()));
}

void WheelSurface::keyPressEvent(QKeyEvent* event) {
    // the keys drive a pointer of their own, which starts where the real one last was: each
    // step is exactly a pointer move to the new pixel, Space or Enter a click there
    const int step = event->modifiers().testFlag(Qt::ShiftModifier) ? 10 : 1;
    QPoint to = m_pointer;
    switch (event->key()) {
    case Qt::Key_Left:
        to.rx() -= step;
        break;
    case Qt::Key_Right:
        to.rx() += step;
        break;
    case Qt::Key_Up:
        to.ry() -= step;
        break;
    case Qt::Key_Down:
        to.ry() += step;
        break;
    case Qt::Key_Home:
        to = QPoint(core::kWheelSurfaceSize / 2, core::kWheelSurfaceSize / 2);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // a held key is one click, as a held button is
        if (!event->isAutoRepeat())
            emit pointerPressed(Qt::LeftButton, event->modifiers(),
                                static_cast<float>(m_pointer.x()),
                                static_cast<float>(m_pointer.y()));
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const int last = core::kWheelSurfaceSize - 1;
    m_pointer = QPoint(std::clamp(to.x(), 0, last), std::clamp(to.y(), 0, last));
    m_keyboardPointer = true;
    update();
    emit pointerMoved(Qt::NoButton, event->modifiers(), static_cast<float>(m_pointer.x()),
                      static_cast<float>(m_pointer.y()));
}

void WheelSurface::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void WheelSurface::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

} // namespace mainwindow
