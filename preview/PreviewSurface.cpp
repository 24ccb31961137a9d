#include "PreviewSurface.h"

#include <QPainter>

namespace preview {

namespace {
const QColor kSurfaceBackground(212, 208, 200);
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

QRgb PreviewSurface::backgroundColour() {
    return kSurfaceBackground.rgb();
}

void PreviewSurface::clear() {
    m_image.fill(kSurfaceBackground);
    refresh();
}

void PreviewSurface::setPicture(const QImage& picture) {
    m_image.fill(kSurfaceBackground);
    QPainter painter(&m_image);
    painter.drawImage(0, 0, picture);
    painter.end();
    refresh();
}

void PreviewSurface::paintList(int k, QRgb colour) {
    paintRuns(reinterpret_cast<uint32_t*>(m_image.bits()), m_lists.runs(k), colour | ~RGB_MASK);
}

void PreviewSurface::refresh() {
    update();
}

void PreviewSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // whole-pixel rectangles stay solid blocks at any display scale
    const int w = width();
    const int h = height();
    painter.fillRect(0, 0, w, 1, QColor(128, 128, 128));
    painter.fillRect(0, 0, 1, h, QColor(128, 128, 128));
    painter.fillRect(1, 1, w - 2, 1, QColor(64, 64, 64));
    painter.fillRect(1, 1, 1, h - 2, QColor(64, 64, 64));
    painter.fillRect(0, h - 1, w, 1, QColor(255, 255, 255));
    painter.fillRect(w - 1, 0, 1, h, QColor(255, 255, 255));
    painter.fillRect(1, h - 2, w - 2, 1, kSurfaceBackground);
    painter.fillRect(w - 2, 1, 1, h - 2, kSurfaceBackground);
    painter.drawImage(kBorder, kBorder, m_image);
}

} // namespace preview
