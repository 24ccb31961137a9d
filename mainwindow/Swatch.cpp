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
    // sunken 3-D border: dark shadow outside-top/left, highlight bottom/right
    const int w = width() - 1;
    const int h = height() - 1;
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(0, 0, w, 0);
    painter.drawLine(0, 0, 0, h);
    painter.setPen(QColor(64, 64, 64));
    painter.drawLine(1, 1, w - 1, 1);
    painter.drawLine(1, 1, 1, h - 1);
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(0, h, w, h);
    painter.drawLine(w, 0, w, h);
    painter.setPen(QColor(212, 208, 200));
    painter.drawLine(1, h - 1, w - 1, h - 1);
    painter.drawLine(w - 1, 1, w - 1, h - 1);
}
