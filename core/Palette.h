#pragma once

#include "CssColor.h"

#include <string>
#include <vector>

namespace core {

/// One colour of a palette read from a file or taken from a picture.
struct PaletteColor {
    std::string name;         ///< UTF-8 as the source gives it; empty when it has none
    std::string group;        ///< the group the source puts it in; empty for none
    CssColor color;           ///< the colour exactly as the source gives it (may lie outside sRGB)
    ColorRGB rgb;             ///< what is shown and copied: rgb8Of(color)
    bool approximate = false; ///< converted from a space the program does not keep (CMYK)
    double share = -1;        ///< percent 0..100 of a picture it stands for; -1 when not from one
    int x = -1;               ///< where in the picture it occurs (pixels), -1 when not from one
    int y = -1;
    bool background = false; ///< a picture's near-white, near-black or grey
};

/// A palette: its colours in the source's order.
struct Palette {
    std::string name; ///< the source's own name for it (a GIMP "Name:"); empty for none
    std::vector<PaletteColor> colors;
};

/// The PaletteColor of a CSS colour, with its shown colour filled in.
inline PaletteColor paletteColorOf(std::string name, const CssColor& color) {
    PaletteColor entry;
    entry.name = std::move(name);
    entry.color = color;
    entry.rgb = rgb8Of(color);
    return entry;
}

} // namespace core
