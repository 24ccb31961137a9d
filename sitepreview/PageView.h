#pragma once

#include "SitePainting.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <optional>
#include <vector>

namespace sitepreview {

/// One mode's page of the site preview ("pagelight" or "pagedark"): the page painted in that
/// mode's role colours, through a colour-vision simulation when one is chosen, with the failing
/// elements marked. Pointing at an element names it (hovered, and a tooltip).
class PageView : public QWidget {
    Q_OBJECT
public:
    PageView(const QString& name, const QString& spokenName, QWidget* parent = nullptr);

    /// The colours to paint in, and for each element of pageElements() what pointing at it
    /// says and whether it is marked as failing.
    void showPage(const RoleColors& colors, const QStringList& descriptions,
                  const std::vector<bool>& failing);
    /// Paints the page seen with simulation from now on; none: as it is.
    void setSimulation(std::optional<colorscience::Simulation> simulation);

    /// Index into pageElements() of the topmost element at point (widget coordinates), or -1.
    int elementAt(const QPoint& point) const;
    /// What pointing at element index says.
    QString description(int index) const;
    const RoleColors& colors() const { return m_colors; }

    QSize sizeHint() const override;

signals:
    /// The pointer came over element index (-1: over none, or it left the page).
    void hovered(int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    RoleColors m_colors{};
    QStringList m_descriptions;
    std::vector<bool> m_failing;
    std::optional<colorscience::Simulation> m_simulation;
    /// The page as last painted, at the screen's pixel ratio; made again after a change.
    QImage m_picture;
    int m_hovered = -1;
};

} // namespace sitepreview
