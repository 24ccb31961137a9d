#pragma once

#include "colorscience/SchemeCheck.h"
#include "preview/PixelList.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>
#include <vector>

class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableView;
namespace preview {
class PreviewSurface;
} // namespace preview
namespace scheme {
class SchemeModel;
} // namespace scheme

namespace accessibility {

class CheckModel;
class FixesPanel;
class SimulationPicture;

/// The window frmaccess ("Accessibility Check"): the scheme's contrast table (WCAG ratios and
/// levels, APCA Lc), the preview seen with four colour-vision deficiencies, the scheme pairs
/// those make hard to tell apart, and a plain-text report for the clipboard. It follows its
/// inputs while shown; while hidden it only keeps them and catches up when shown again.
class AccessibilityWindow : public QWidget {
    Q_OBJECT
public:
    explicit AccessibilityWindow(QWidget* owner = nullptr);
    ~AccessibilityWindow() override;

    /// The three swatch colours (alpha ignored), of which the first count (2 or 3) are the
    /// scheme's: under complementary the third swatch is not, and is greyed and left out.
    void setSchemeColors(const std::array<QRgb, 3>& colors, int count = 3);
    /// No scheme yet: a note takes the figures' place until the next setSchemeColors. A new
    /// window starts so.
    void clearScheme();
    bool hasScheme() const;
    /// The preview's drawing area with the mock-up but no list painted, and its three pixel
    /// lists; called when the style changes.
    void setPreview(const QImage& bareMockup, const preview::PixelLists& lists);
    /// The colours the preview last painted lists 1, 2 and 3 with; nullopt while it has not
    /// painted them. The preview paints list 1, then 3, then 2, later lists winning.
    void setPreviewPaint(const std::optional<std::array<QRgb, 3>>& listColors);

    /// Follows the scheme from now on: its colours and the colours the preview is painted in
    /// from the model, the mock-up and pixel lists from the preview. Both outlive the window.
    void follow(const scheme::SchemeModel& model, const preview::PreviewSurface& preview);

    /// Shows the latest inputs at once: paints the pictures and tells the tables and the
    /// fixes what changed. While shown the window does this by itself once a display frame.
    void showLatest();

    /// Puts the report of the current scheme on the clipboard (nothing without a scheme).
    void copyReport();
    /// The fixes section: the fixes for the failing pairs at the chosen level.
    FixesPanel* fixes() const { return m_fixes; }

signals:
    /// A fix was applied: swatch (1..3) is to take color.
    void applyFixRequested(int swatch, QRgb color);

protected:
    void showEvent(QShowEvent* event) override;
    /// Hidden, the window keeps its inputs but not its pictures.
    void hideEvent(QHideEvent* event) override;

private:
    void catchUp();
    void simulateMockup();
    void paintPictures();

    // inputs, kept as given while hidden
    std::array<QRgb, 3> m_colors{};
    int m_colorCount = 3;
    QImage m_bare;
    preview::PixelLists m_sourceLists;
    std::optional<std::array<QRgb, 3>> m_paint;
    bool m_schemeStale = true;
    bool m_previewStale = true;
    bool m_paintStale = true;

    // derived, up to date while shown
    colorscience::SchemeCheck m_check;
    /// Runs over the pictures in ascending order, each pixel in one run at most, with the
    /// list (0-2) whose colour it ends up in once all three are painted in the preview's order.
    struct ListRun {
        uint32_t offset = 0;
        uint32_t length = 0;
        int list = 0;
    };
    std::vector<ListRun> m_listRuns;
    std::array<QImage, colorscience::kSimulationCount> m_simulatedMockup;
    /// Whether the pictures hold anything but the simulated mock-up with lists painted over
    /// it in the current order; if not, painting the lists again is enough.
    bool m_picturesNeedMockup = true;

    std::array<SimulationPicture*, colorscience::kSimulationCount> m_pictures{};
    QTabWidget* m_tabs = nullptr;
    QTableView* m_contrastView = nullptr;
    QTableView* m_apcaView = nullptr;
    QTableView* m_pairsView = nullptr;
    CheckModel* m_contrastModel = nullptr;
    CheckModel* m_apcaModel = nullptr;
    CheckModel* m_pairsModel = nullptr;
    QPushButton* m_copyReport = nullptr;
    FixesPanel* m_fixes = nullptr;
    /// The figures, or the note that there is no scheme.
    QStackedWidget* m_side = nullptr;
    /// The tables read the check as it is; the pictures, the tables' repaint and the fixes
    /// follow at most once a display frame.
    QTimer m_frame;
};

} // namespace accessibility
