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

} // namespace tools
