#pragma once

#include "core/ColorCodes.h"

#include <QWidget>

namespace tools {

/// A picture surface filled with one colour value inside a sunken two-pixel border.
class ColorPicture : public QWidget {
    Q_OBJECT
public:
    explicit ColorPicture(core::Color initial, QWidget* parent = nullptr);

    core::Color backColor() const { return m_backColor; }
    void setBackColor(core::Color value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    core::Color m_backColor;
};

} // namespace tools
