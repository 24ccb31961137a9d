#pragma once

#include <QImage>
#include <QWidget>

namespace preview {

/// The preview pane: a 377 x 273 picture surface with a 2-pixel sunken border around a
/// 373 x 269 drawing area that holds a persistent image (mock-up plus painted pixels).
class PreviewSurface : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBorder = 2;
    static constexpr int kDrawWidth = 373;
    static constexpr int kDrawHeight = 269;

    explicit PreviewSurface(QWidget* parent = nullptr);

    /// Clears the image to the bare background and draws the picture unscaled at (0, 0).
    void setPicture(const QImage& picture);
    /// The persistent image of the drawing area.
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }
    /// Shows the image as it now stands.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

} // namespace preview
