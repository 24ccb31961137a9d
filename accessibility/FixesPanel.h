#pragma once

#include "colorscience/Ramps.h"
#include "colorscience/SchemeCheck.h"

#include <QRgb>
#include <QWidget>

#include <optional>
#include <vector>

class QComboBox;
class QPushButton;
class QTableView;

namespace accessibility {

/// One suggested fix: a pair of the contrast table that fails, and a new colour for one side,
/// or none when no lightness change of either colour reaches the level.
struct PairFix {
    int foreground = 0; ///< checked colour index 0..4 (the text)
    int background = 1; ///< checked colour index 0..4, after foreground
    double ratio = 1;   ///< the pair's ratio as it stands
    std::optional<colorscience::ContrastFix> fix;
    /// The best ratio there is to have: the fix's, or without one the highest a lightness
    /// change of either colour reaches.
    double bestRatio = 1;
    /// The checked colour index the fix replaces; -1 without a fix.
    int changed() const {
        if (!fix)
            return -1;
        return fix->side == colorscience::FixSide::Foreground ? foreground : background;
    }
};

/// The levels a designer can ask the fixes for: AA normal text, AA large text, AAA.
constexpr colorscience::Level kFixLevels[] = {
    colorscience::Level::AaNormal, colorscience::Level::AaLarge, colorscience::Level::AaaNormal};

/// Every pair of different compared colours (in table order, the earlier colour as the text)
/// that fails level, each with its fixes, the smaller lightness change first; a pair no change
/// of lightness can fix comes once, without a fix.
std::vector<PairFix> pairFixes(const colorscience::SchemeCheck& check, colorscience::Level level);

class FixesModel;

/// The fixes section of the accessibility window ("fixpanel"): the level to reach, the fixes
/// for every failing pair, and Copy and Apply for the chosen one. Apply asks for the swatch
/// to take the fix; the scheme coming back through setCheck shows whether it did.
class FixesPanel : public QWidget {
    Q_OBJECT
public:
    explicit FixesPanel(QWidget* parent = nullptr);

    /// The check of the scheme as it stands; the fixes follow it while the panel is shown.
    void setCheck(const colorscience::SchemeCheck& check);
    colorscience::Level level() const;
    const std::vector<PairFix>& fixes() const;
    /// Copies the chosen fix's "#RRGGBB" (the first when none is chosen); a pair without a fix
    /// has nothing to copy.
    void copyFix();
    /// Asks for the chosen fix to be applied, when it changes a scheme colour.
    void applyFix();

signals:
    /// Swatch (1..3) is to take color.
    void applyRequested(int swatch, QRgb color);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void catchUp();
    int chosenRow() const;
    void updateButtons();

    colorscience::SchemeCheck m_check;
    bool m_stale = true;
    QComboBox* m_level = nullptr;
    QTableView* m_view = nullptr;
    FixesModel* m_model = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_apply = nullptr;
};

} // namespace accessibility
