#pragma once

#include "colorscience/DesignSystem.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>
#include <vector>

class QLabel;
class QStackedLayout;
class QStackedWidget;
namespace scheme {
class SchemeModel;
} // namespace scheme

namespace designsystem {

class DarkPanel;
class RampRow;

/// The window frmramps ("Tonal Ramps"): a tonal ramp of each scheme colour and the neutral
/// (rows ramp1..ramp3 and rampneutral of eleven cells, 50 to 950), each step with its code, its
/// pinned mark and whether it passes WCAG AA as text on the ramp's steps 50 and 950; below them
/// the scheme's dark twin on the neutral 950 (darktwin, two or three cells). A click on a cell
/// copies its code; a screen reader sees each row as a list of its cells. It follows the scheme
/// while shown; hidden, it only keeps the colours and catches up when shown again.
class RampsWindow : public QWidget {
    Q_OBJECT
public:
    explicit RampsWindow(QWidget* owner = nullptr);
    ~RampsWindow() override;

    /// The scheme's colours (2 for complementary, else 3), the base colour second; none while
    /// there is no scheme yet, when a note takes the ramps' place (as in a new window). exact
    /// holds their exact OKLCH where known (SchemeModel::exactColors): a colour beyond sRGB
    /// gets its ramp from it.
    void setSchemeColors(const std::vector<core::ColorRGB>& colors,
                         const std::vector<std::optional<core::Oklch>>& exact = {});

    /// Follows the model's scheme from now on; the model outlives the window.
    void follow(const scheme::SchemeModel& model);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void catchUp();
    void showSystem();

    std::vector<core::ColorRGB> m_colors;
    std::vector<std::optional<core::Oklch>> m_exact;
    bool m_stale = true;
    /// Computed once a change, while shown.
    colorscience::DesignSystem m_system;

    /// Rows: the three scheme colours, then the neutral.
    static constexpr size_t kRows = 4;
    std::array<RampRow*, kRows> m_rows{};
    /// The third row: its steps, or a note while the scheme has two colours.
    QStackedLayout* m_thirdRow = nullptr;
    QLabel* m_thirdCaption = nullptr;
    DarkPanel* m_dark = nullptr;
    /// The ramps, or the note that there is no scheme.
    QStackedWidget* m_pages = nullptr;
    QTimer m_followFrame;
};

} // namespace designsystem
