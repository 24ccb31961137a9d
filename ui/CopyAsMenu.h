#pragma once

#include "core/ColorCodes.h"
#include "core/Oklab.h"

#include <QString>

#include <functional>
#include <optional>

class QMenu;
class QWidget;

// "Copy as": the codes of a colour in the four notations a web designer pastes, offered on
// the right-click menu of any swatch or code field. The fields themselves keep their texts.
namespace ui {

/// The notations "Copy as" offers, in menu order.
enum class CopyAsNotation { Hex, Rgb, Hsl, Oklch, DisplayP3 };

/// The exact OKLCH behind a colour where it has one (the perceptual wheel's), asked for when an
/// entry is chosen; none, or an empty function, where the 8-bit colour is the colour.
using ExactColorOf = std::function<std::optional<core::Oklch>()>;

/// The colour's code in a notation: "#RRGGBB", "rgb(r, g, b)", "hsl(h, s%, l%)" or
/// "oklch(L% C H)" of the 8-bit colour, as core/Oklab.h writes them, or
/// "color(display-p3 r g b)" of the exact colour mapped into display-p3 where there is one,
/// else of the 8-bit colour.
QString copyAsText(CopyAsNotation notation, core::ColorRGB color,
                   const std::optional<core::Oklch>& exact = std::nullopt);

/// Adds a "Copy as" submenu (object name "mnucopyas") to menu with the entries "#RRGGBB",
/// "rgb()", "hsl()", "oklch()" and "color(display-p3)" (object names "mnucopyashex",
/// "mnucopyasrgb", "mnucopyashsl", "mnucopyasoklch", "mnucopyasp3"); an entry puts the code of
/// colorOf() (and exactOf()) on the clipboard, asking them when it is chosen. Returns the
/// submenu, owned by menu.
QMenu* addCopyAsMenu(QMenu* menu, const std::function<core::ColorRGB()>& colorOf,
                     const ExactColorOf& exactOf = {});

/// Gives widget a right-click menu holding "Copy as" (after the standard entries for a line
/// edit, which keeps its Cut/Copy/Paste), built afresh on each right-click or Menu key so it
/// always copies the colour colorOf (and exactOf) gives then. The menu is a child of widget
/// (object name "mnucopyascontext") while it is open and goes when it closes.
void attachCopyAsMenu(QWidget* widget, const std::function<core::ColorRGB()>& colorOf,
                      const ExactColorOf& exactOf = {});

} // namespace ui
