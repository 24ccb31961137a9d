#include "Swatch.h"

#include "ColorConversion.h"
#include "platform/SunkenBorder.h"

#include <QPainter>

namespace ui {

Swatch::Swatch(core::Color initial, NoColor noColor, QWidget* parent)
    : QWidget(parent), m_backColor(initial), m_noColor(noColor) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Swatch::setBackColor(core::Color value) {
    if ((value == core::kNoColor && m_noColor == NoColor::Refused) || value == m_backColor)
        return;
    m_backColor = value;
    update();
}

void Swatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_backColor));
    platform::paintSunkenBorder(painter, width(), height());
}

} // namespace ui
