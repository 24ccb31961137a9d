#pragma once

#include "colorscience/ColorRoles.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;
namespace history {
class SchemeHistory;
} // namespace history
namespace scheme {
class SchemeModel;
} // namespace scheme
namespace ui {
class Swatch;
} // namespace ui

namespace sitepreview {

class PageView;

/// The window frmsite ("Site Preview"): a small web site painted in the scheme's colour roles,
/// the light page ("pagelight") beside the dark one ("pagedark"). Pointing at an element
/// names its role, its colour and its contrast against what it lies on (in "lblsitestatus"
/// and a tooltip); an element whose pair misses its target is marked on the page. "cmbvision"
/// shows both pages as a colour-vision deficiency sees them. Below, "tblroles" lists every
/// role with its light and dark colour, the ramp step it takes and the contrast and APCA Lc
/// of its pair; choosing another step or typing a colour changes the role as one step of the
/// history, a colour that cannot be read is refused with the reason in "lblrolemessage".
/// It follows the scheme while shown, at most once a display frame.
class SitePreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit SitePreviewWindow(QWidget* owner = nullptr);
    ~SitePreviewWindow() override;

    /// Follows the model's scheme from now on and records role changes in history as steps;
    /// both outlive the window.
    void follow(const scheme::SchemeModel& model, history::SchemeHistory& history);

    /// Shows roles (the scheme's, none: the note that there is no scheme yet).
    void showRoles(const std::optional<colorscience::Roles>& roles);
    /// The roles shown, none while there is no scheme.
    const std::optional<colorscience::Roles>& roles() const { return m_roles; }

    /// The page of theme.
    PageView* page(colorscience::Theme theme) const { return m_pages[size_t(theme)]; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    /// One role's controls for one theme in the roles table.
    struct RoleCells {
        ui::Swatch* swatch = nullptr;
        QComboBox* step = nullptr;
        QLineEdit* color = nullptr;
        QLabel* ratio = nullptr;
        QLabel* lc = nullptr;
    };

    QWidget* makeRolesTable();
    void catchUp();
    void showTable();
    void showHovered(PageView* page, int index);
    /// The designer's choice of step (the combo's index) for the role in theme.
    void chooseStep(colorscience::Theme theme, colorscience::Role role, int index);
    /// The designer's typed colour for the role in theme.
    void typeColor(colorscience::Theme theme, colorscience::Role role);
    /// Sets the role's override as one step of the history; none: chosen by contrast again.
    void setOverride(colorscience::Theme theme, colorscience::Role role,
                     const std::optional<colorscience::RoleOverride>& value);

    const scheme::SchemeModel* m_model = nullptr;
    history::SchemeHistory* m_history = nullptr;
    std::optional<colorscience::Roles> m_roles;
    /// The model changed since the roles were last derived.
    bool m_stale = true;

    std::array<PageView*, colorscience::kThemeCount> m_pages{};
    std::array<std::array<RoleCells, colorscience::kRoleCount>, colorscience::kThemeCount>
        m_cells{};
    QComboBox* m_vision = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_message = nullptr;
    /// The pages and the table, or the note that there is no scheme.
    QStackedWidget* m_stack = nullptr;
    QTimer m_followFrame;
};

} // namespace sitepreview
