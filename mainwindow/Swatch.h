#pragma once

#include "core/ColorCodes.h"

#include <QWidget>

/// A swatch of the panel: a sunken picture surface whose background is a colour value
/// (possibly a system colour reference).
class Swatch : public QWidget {
    Q_OBJECT
public:
    explicit Swatch(QWidget* parent = nullptr);

    core::Color backColor() const { return m_backColor; }
    /// Sets the background; -1 (no colour) is refused and the old colour stays.
    void setBackColor(core::Color value);

    /// Colour of the pixel at (x, y) of the drawing area, as shown (24-bit value).
    core::Color pixelAt(int x, int y) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    core::Color m_backColor;
};
