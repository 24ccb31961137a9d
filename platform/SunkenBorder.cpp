#include "SunkenBorder.h"

#include "SystemColors.h"

#include <QColor>
#include <QPainter>

namespace platform {

namespace {

QColor systemColor(int32_t index) {
    const core::ColorRGB c = core::SplitColor(GetSysColor(index));
    return {c.r, c.g, c.b};
}

constexpr int32_t kColorBtnShadow = 16;
constexpr int32_t kColorBtnHighlight = 20;
constexpr int32_t kColor3dDkShadow = 21;
constexpr int32_t kColor3dLight = 22;

} // namespace

void paintSunkenBorder(QPainter& painter, int w, int h) {
    const QColor shadow = systemColor(kColorBtnShadow);
    const QColor darkShadow = systemColor(kColor3dDkShadow);
    const QColor highlight = systemColor(kColorBtnHighlight);
    const QColor light = systemColor(kColor3dLight);
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
