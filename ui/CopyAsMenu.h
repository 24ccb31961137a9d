#pragma once

#include "core/ColorCodes.h"

#include <QString>

#include <functional>

class QMenu;
class QWidget;

// "Copy as": the codes of a colour in the four notations a web designer pastes, offered on
// the right-click menu of any swatch or code field. The fields themselves keep their texts.
namespace ui {

/// The notations "Copy as" offers, in menu order.
enum class CopyAsNotation { Hex, Rgb, Hsl, Oklch };

/// The colour's code in a notation: "#RRGGBB", "rgb(r, g, b)", "hsl(h, s%, l%)" or
/// "oklch(L% C H)", as core/Oklab.h writes them.
QString copyAsText(CopyAsNotation notation, core::ColorRGB color);

/// Adds a "Copy as" submenu (object name "mnucopyas") to menu with the entries "#RRGGBB",
/// "rgb()", "hsl()" and "oklch()" (object names "mnucopyashex", "mnucopyasrgb",
/// "mnucopyashsl", "mnucopyasoklch"); an entry puts colorOf()'s code on the clipboard, asking
/// colorOf when it is chosen. Returns the submenu, owned by menu.
QMenu* addCopyAsMenu(QMenu* menu, const std::function<core::ColorRGB()>& colorOf);

/// Gives widget a right-click menu holding "Copy as" (after the standard entries for a line
/// edit, which keeps its Cut/Copy/Paste), built afresh on each right-click or Menu key so it
/// always copies the colour colorOf gives then. The menu is a child of widget (object name
/// "mnucopyascontext") while it is open and goes when it closes.
void attachCopyAsMenu(QWidget* widget, const std::function<core::ColorRGB()>& colorOf);

} // namespace ui
