#pragma once

#include "DesignSystem.h"

#include <QWidget>

#include <array>
#include <vector>

class QLabel;
class QStackedLayout;
namespace scheme {
class SchemeModel;
} // namespace scheme

namespace designsystem {

class CodeSwatch;
class DarkPanel;

/// The window frmramps ("Tonal Ramps"): a tonal ramp of each scheme colour and the neutral
/// (rows ramp1..ramp3 and rampneutral, swatches step50..step950), each step with its code,
/// its pinned mark and whether it passes WCAG AA as text on the ramp's steps 50 and 950; below
/// them the scheme's dark twin on the neutral 950 (twin1..twin3). A click on a swatch copies
/// its code. It follows the scheme while shown; hidden, it only keeps the colours and catches
/// up when shown again.
class RampsWindow : public QWidget {
    Q_OBJECT
public:
    explicit RampsWindow(QWidget* owner = nullptr);
    ~RampsWindow() override;

    /// The scheme's colours (2 for complementary, else 3), the base colour second.
    void setSchemeColors(const std::vector<core::ColorRGB>& colors);

    /// Follows the model's scheme from now on; the model outlives the window.
    void follow(const scheme::SchemeModel& model);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void catchUp();
    void showSystem();

    std::vector<core::ColorRGB> m_colors;
    bool m_stale = true;
    /// Computed once a change, while shown.
    DesignSystem m_system;

    /// Rows: the three scheme colours, then the neutral.
    static constexpr size_t kRows = 4;
    std::array<std::array<CodeSwatch*, kRampSize>, kRows> m_steps{};
    /// The third row: its steps, or a note while the scheme has two colours.
    QStackedLayout* m_thirdRow = nullptr;
    DarkPanel* m_dark = nullptr;
    std::array<CodeSwatch*, 3> m_twins{};
    std::array<QLabel*, 3> m_twinContrasts{};
    std::array<QLabel*, 3> m_twinNotes{};
};

} // namespace designsystem
