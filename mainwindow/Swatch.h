#pragma once

#include "platform/SystemColors.h"
#include "ui/Swatch.h"

/// A swatch of the panel: shows the title-bar text colour until the first pick and keeps its
/// colour when handed -1 (no colour).
class Swatch : public ui::Swatch {
    Q_OBJECT
public:
    explicit Swatch(QWidget* parent = nullptr)
        : ui::Swatch(INT32_MIN | platform::kColorCaptionText, NoColor::Refused, parent) {}
};
