#pragma once

#include "PixelList.h"
#include "PreviewPaint.h"
#include "core/ColorCodes.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <optional>

namespace scheme {
class SchemeModel;
enum class Change;
} // namespace scheme

namespace preview {

/// The preview pane: a 377 x 273 picture surface with a 2-pixel sunken border around a
/// 373 x 269 drawing area that holds a persistent image (mock-up plus painted pixels), and
/// the three pixel lists painted on it.
class PreviewSurface : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBorder = 2;
    static constexpr int kDrawWidth = preview::kDrawWidth;
    static constexpr int kDrawHeight = preview::kDrawHeight;

    explicit PreviewSurface(QWidget* parent = nullptr);

    /// Follows the model from now on: shows its preview style (the mock-up, and the pixel
    /// lists read from beside the program) and paints the lists in the colours the model
    /// holds for the preview. The model outlives the surface.
    void follow(const scheme::SchemeModel& model);
    /// Puts the style's mock-up and its three pixel lists on the surface (index into
    /// previewStyles()); emits styleShown().
    void showStyle(int index);
    /// The drawing area as the style's mock-up fills it, before any list is painted.
    const QImage& bareMockup() const { return m_bareMockup; }

    /// Clears the image and draws the picture unscaled at (0, 0).
    void setPicture(const QImage& picture);
    /// The persistent image of the drawing area.
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }

    PixelLists& lists() { return m_lists; }
    const PixelLists& lists() const { return m_lists; }
    /// Paints the lists in the scheme's colours, in painting order, and shows the result.
    /// Returns the colour each list (1-3, at index k - 1) got.
    std::array<QRgb, 3> paintScheme(const std::array<QRgb, 3>& schemeColors);
    /// Sets every point of list k (1-3) inside the drawing area to colour; shown on refresh.
    void paintList(int k, QRgb color);
    /// Shows the image as it now stands.
    void refresh();

signals:
    /// A style's mock-up and pixel lists replaced the picture.
    void styleShown();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void schemeChanged(scheme::Change what);

    QImage m_image;
    QImage m_bareMockup;
    PixelLists m_lists;
    const scheme::SchemeModel* m_model = nullptr;
    /// The scheme colours the lists were last painted in since the picture was put up.
    std::optional<std::array<core::Color, 3>> m_painted;
    int m_shownStyle = -1;
};

} // namespace preview
