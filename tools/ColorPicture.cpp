#include "ColorPicture.h"

#include "platform/SystemColors.h"

#include "platform/SunkenBorder.h"

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
    platform::paintSunkenBorder(painter, width(), height());
}

} // namespace tools
