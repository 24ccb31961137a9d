#include "PreviewSurface.h"

#include "core/DesignColors.h"
#include "platform/SunkenBorder.h"
#include "ui/ColorConversion.h"

#include <QPainter>

namespace preview {

namespace {
const QColor kSurfaceBackground = ui::toQColor(core::kButtonFaceColor);
}

PreviewSurface::PreviewSurface(QWidget* parent)
    : QWidget(parent), m_image(kDrawWidth, kDrawHeight, QImage::Format_RGB32),
      m_lists(kDrawWidth, kDrawHeight, static_cast<int>(m_image.bytesPerLine() / 4)) {
    setObjectName(QStringLiteral("preview"));
    setAccessibleName(QStringLiteral("Preview"));
    setFixedSize(kDrawWidth + 2 * kBorder, kDrawHeight + 2 * kBorder);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_image.fill(kSurfaceBackground);
}

QImage PreviewSurface::composeDrawingArea(const QImage& picture) {
    QImage area(kDrawWidth, kDrawHeight, QImage::Format_RGB32);
    area.fill(kSurfaceBackground);
    QPainter painter(&area);
    painter.drawImage(0, 0, picture);
    return area;
}

QRgb PreviewSurface::backgroundColor() {
    return kSurfaceBackground.rgb();
}

void PreviewSurface::setPicture(const QImage& picture) {
    m_image.fill(kSurfaceBackground);
    {
        QPainter painter(&m_image);
        painter.drawImage(0, 0, picture);
    }
    refresh();
}

std::array<QRgb, 3> PreviewSurface::paintScheme(const std::array<QRgb, 3>& schemeColors) {
    std::array<QRgb, 3> listColors{};
    for (size_t i = 0; i < kPaintOrder.size(); ++i) {
        paintList(kPaintOrder[i], schemeColors[i]);
        listColors[static_cast<size_t>(kPaintOrder[i] - 1)] = schemeColors[i];
    }
    refresh();
    return listColors;
}

void PreviewSurface::paintList(int k, QRgb color) {
    paintRuns(reinterpret_cast<uint32_t*>(m_image.bits()), m_lists.runs(k), color | ~RGB_MASK);
}

void PreviewSurface::refresh() {
    update();
}

void PreviewSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    platform::paintSunkenBorder(painter, width(), height());
    painter.drawImage(kBorder, kBorder, m_image);
}

} // namespace preview
