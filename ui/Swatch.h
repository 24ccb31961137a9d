#pragma once

#include "core/ColorCodes.h"

#include <QWidget>

namespace ui {

/// A picture surface filled with one colour value (possibly a system colour reference)
/// inside a sunken two-pixel border.
class Swatch : public QWidget {
    Q_OBJECT
public:
    /// What setBackColor does with -1 (no colour).
    enum class NoColor {
        Refused, ///< the old colour stays
        Shown,   ///< taken like any value and shown as the colour it resolves to
    };

    Swatch(core::Color initial, NoColor noColor, QWidget* parent = nullptr);

    core::Color backColor() const { return m_backColor; }
    void setBackColor(core::Color value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    core::Color m_backColor;
    NoColor m_noColor;
};

} // namespace ui
