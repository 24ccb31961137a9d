#pragma once

#include "colorscience/ColorRoles.h"
#include "colorscience/VisionSimulation.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class QPainter;

// The page the site preview paints: one fixed layout of a small web site (navigation, hero,
// buttons, cards, a form, running text, a footer) whose every colour is a colour role. Its
// geometry never depends on the colours, the font or the scale, so tests, benchmarks and a
// browser's rendering of the same page can sample the same elements.

namespace sitepreview {

/// One colour for each role, in the roles' order.
using RoleColors = std::array<QRgb, colorscience::kRoleCount>;

/// A part of the page a pointer can name: the colour of its role on the role it sits on.
struct PageElement {
    /// What a user calls it: "Navigation link", "Primary button".
    QString name;
    colorscience::Role role;
    /// The role it is painted on; none for the page itself.
    std::optional<colorscience::Role> on;
    /// Where it lies on the page, in logical pixels.
    QRect rect;
    /// Text: its role colours the glyphs, not the whole rectangle.
    bool text = false;
    /// A point of a filled element where its own colour shows, no other element over it.
    QPoint sample;
};

/// The page's size in logical pixels.
QSize pageSize();

/// Every element, in painting order: a later one lies on an earlier one.
const std::vector<PageElement>& pageElements();

/// Index of the topmost element at point (page coordinates), or -1 outside the page.
int elementIndexAt(const QPoint& point);

/// Paints the page in colors at the painter's origin, its texts in the application's font
/// family at sizes of their own.
void paintPage(QPainter& painter, const RoleColors& colors);

/// Marks the elements whose flag is set as failing: a red dashed outline around each and a
/// "!" badge at its top-right corner, both outside the element so its own pixels stay true.
void paintFailMarks(QPainter& painter, const std::vector<bool>& failing);

/// The page painted into a picture at devicePixelRatio, then, with a simulation, seen with
/// that colour-vision deficiency; the fail marks are drawn last, unsimulated.
QImage pagePicture(const RoleColors& colors, qreal devicePixelRatio,
                   std::optional<colorscience::Simulation> simulation,
                   const std::vector<bool>& failing);

} // namespace sitepreview
