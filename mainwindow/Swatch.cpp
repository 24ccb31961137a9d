#include "Swatch.h"

#include "platform/SystemColors.h"

#include "platform/SunkenBorder.h"

#include <QPainter>

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
    platform::paintSunkenBorder(painter, width(), height());
}
