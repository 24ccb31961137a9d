#include "ColorPicture.h"

#include "platform/SystemColors.h"

#include <QPainter>

namespace tools {

ColorPicture::ColorPicture(core::Color initial, QWidget* parent)
    : QWidget(parent), m_backColor(initial) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColorPicture::setBackColor(core::Color value) {
    if (value == m_backColor)
        return;
    m_backColor = value;
    update();
}

void ColorPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const core::ColorRGB c = core::SplitColor(platform::displayedColor(m_backColor));
    painter.fillRect(rect(), QColor(c.r, c.g, c.b));
    // whole-pixel rectangles stay solid blocks at any display scale
    const int w = width();
    const int h = height();
    painter.fillRect(0, 0, w, 1, QColor(128, 128, 128));
    painter.fillRect(0, 0, 1, h, QColor(128, 128, 128));
    painter.fillRect(1, 1, w - 2, 1, QColor(64, 64, 64));
    painter.fillRect(1, 1, 1, h - 2, QColor(64, 64, 64));
    painter.fillRect(0, h - 1, w, 1, QColor(255, 255, 255));
    painter.fillRect(w - 1, 0, 1, h, QColor(255, 255, 255));
    painter.fillRect(1, h - 2, w - 2, 1, QColor(212, 208, 200));
    painter.fillRect(w - 2, 1, 1, h - 2, QColor(212, 208, 200));
}

} // namespace tools
