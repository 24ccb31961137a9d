#include "PreviewSurface.h"

#include "Mockups.h"
#include "PreviewPaint.h"
#include "PreviewStyles.h"
#include "platform/SunkenBorder.h"
#include "scheme/SchemeModel.h"
#include "ui/ColorConversion.h"

#include <QPainter>

namespace preview {

PreviewSurface::PreviewSurface(QWidget* parent)
    : QWidget(parent), m_image(kDrawWidth, kDrawHeight, QImage::Format_RGB32),
      m_lists(kDrawWidth, kDrawHeight, static_cast<int>(m_image.bytesPerLine() / 4)) {
    setObjectName(QStringLiteral("preview"));
    setAccessibleName(QStringLiteral("Preview"));
    setFixedSize(kDrawWidth + 2 * kBorder, kDrawHeight + 2 * kBorder);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_image.fill(QColor(backgroundColor()));
}

void PreviewSurface::setPicture(const QImage& picture) {
    m_image.fill(QColor(backgroundColor()));
    {
        QPainter painter(&m_image);
        painter.drawImage(0, 0, picture);
    }
    refresh();
}

void PreviewSurface::follow(const scheme::SchemeModel& model) {
    m_model = &model;
    connect(&model, &scheme::SchemeModel::changed, this, &PreviewSurface::schemeChanged);
    showStyle(model.previewStyle());
}

void PreviewSurface::schemeChanged(scheme::Change what) {
    // a choice that named no style keeps the style shown
    if (what == scheme::Change::PreviewStyle && m_model->previewStyle() >= 0)
        showStyle(m_model->previewStyle());
    if (what == scheme::Change::Restore) {
        // back to the mock-up as it was, then painted as it was, if it was
        if (m_model->previewStyle() >= 0 && m_model->previewStyle() != m_shownStyle) {
            showStyle(m_model->previewStyle());
        } else {
            m_image = m_bareMockup;
            m_painted.reset();
            refresh();
        }
    }
    // painting the lists again in the same colours would give the same picture
    const auto& paint = m_model->previewPaint();
    if (!paint || paint == m_painted)
        return;
    paintScheme({ui::toQRgb((*paint)[0]), ui::toQRgb((*paint)[1]), ui::toQRgb((*paint)[2])});
    m_painted = paint;
}

void PreviewSurface::showStyle(int index) {
    if (index < 0 || index >= static_cast<int>(previewStyles().size()))
        return;
    const PreviewStyle& style = previewStyles()[static_cast<size_t>(index)];
    m_lists.clear();
    setPicture(mockupPicture(style.mockupKey));
    readPixelLists(style, m_lists);
    m_bareMockup = m_image;
    m_painted.reset();
    m_shownStyle = index;
    emit styleShown();
}

std::array<QRgb, 3> PreviewSurface::paintScheme(const std::array<QRgb, 3>& schemeColors) {
    for (size_t i = 0; i < kPaintOrder.size(); ++i)
        paintList(kPaintOrder[i], schemeColors[i]);
    refresh();
    return listColors(schemeColors);
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
