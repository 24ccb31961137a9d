#include "SunkenBorder.h"

#include "core/SystemColors.h"

#include <QColor>
#include <QPainter>

namespace platform {

namespace {

QColor systemQColor(int32_t index) {
    const core::ColorRGB c = core::splitColor(core::systemColor(index));
    return {c.r, c.g, c.b};
}

} // namespace

void paintSunkenBorder(QPainter& painter, int w, int h) {
    const QColor shadow = systemQColor(core::kSystemButtonShadow);
    const QColor darkShadow = systemQColor(core::kSystemDarkShadow);
    const QColor highlight = systemQColor(core::kSystemButtonHighlight);
    const QColor light = systemQColor(core::kSystemLight);
    painter.fillRect(0, 0, w, 1, shadow);
    painter.fillRect(0, 0, 1, h, shadow);
    painter.fillRect(1, 1, w - 2, 1, darkShadow);
    painter.fillRect(1, 1, 1, h - 2, darkShadow);
    painter.fillRect(0, h - 1, w, 1, highlight);
    painter.fillRect(w - 1, 0, 1, h, highlight);
    painter.fillRect(1, h - 2, w - 2, 1, light);
    painter.fillRect(w - 2, 1, 1, h - 2, light);
}

} // namespace platform
