#include "Swatch.h"

#include "platform/SystemColors.h"

#include <QPainter>
#include <QStyleOptionFrame>

namespace {
constexpr int kBorder = 2;
}

Swatch::Swatch(QWidget* parent)
    : QWidget(parent), m_backColor(INT32_MIN | platform::kColorCaptionText) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Swatch::setBackColor(core::Color value) {
    if (value == core::kNoColor || value == m_backColor)
        return;
    m_backColor = value;
    update();
}

core::Color Swatch::pixelAt(int x, int y) const {
    const int w = width() - 2 * kBorder;
    const int h = height() - 2 * kBorder;
    if (x < 0 || y < 0 || x >= w || y >= h)
        return core::kNoColor;
    return platform::displayedColor(m_backColor);
}

void Swatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const core::ColorRGB c = core::SplitColor(platform::displayedColor(m_backColor));
    painter.fillRect(rect(), QColor(c.r, c.g, c.b));
    // sunken 3-D border: dark shadow outside-top/left, highlight bottom/right; drawn as
    // whole-pixel rectangles, which stay solid blocks at any display scale where lines would
    // shift by half a pixel
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
