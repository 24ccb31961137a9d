#pragma once

#include "core/Palette.h"
#include "core/Scheme.h"
#include "formats/FormatTable.h"
#include "scheme/SchemeModel.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

/// An export asked for on the command line.
struct ExportRequest {
    bool help = false;
    bool version = false;
    std::string file;
    core::SchemeType rule = core::SchemeType::Analogous;
    scheme::WheelRaster raster = scheme::WheelRaster::Start;
    std::optional<core::Color> base;        ///< a colour to find on the wheel
    std::optional<core::Oklch> baseExact;   ///< the same colour exactly, for the perceptual wheel
    std::optional<double> lightness;        ///< the perceptual disc's lightness 0..1
    std::optional<std::array<float, 2>> at; ///< a pointer position in wheel pixels
    formats::ExportOptions options;         ///< --ramps and --dark
    std::string from;                       ///< a saved scheme to write instead
    std::optional<int> scale;               ///< pixels a sheet unit in a PNG sheet: 1 or 2
};

/// A parsed command line: the request, or a one-line message naming the bad argument.
struct ParsedArguments {
    std::optional<ExportRequest> request;
    std::string error;
};

/// Whether the arguments (without the program name) ask for a command-line run instead of
/// the window: any of --export, --help (-h), --version, --rule, --base, --at, --raster,
/// --lightness, --from, --scale, --ramps or --dark before a "--".
bool wantsCommandLine(const std::vector<std::string>& args);

/// For a window run: a one-line message naming the first argument that is not one of the
/// toolkit's own options (-platform NAME, -style NAME, -reverse, ...) or the one scheme
/// document to open, or empty when every argument is one. Checked before the application object
/// exists, which would otherwise open a window and ignore a mistyped option.
std::string windowArgumentsError(const std::vector<std::string>& args);

/// The scheme document a window run opens: its one argument that is neither a toolkit option
/// nor an option's value.
std::optional<std::string> documentArgument(const std::vector<std::string>& args);

/// Whether a display to show the window on is named: by the environment (QT_QPA_PLATFORM,
/// DISPLAY, WAYLAND_DISPLAY, as environment returns them; empty when unset) or -platform.
bool displayNamed(const std::vector<std::string>& args,
                  const std::function<std::string(const char*)>& environment);

/// Reads the arguments (without the program name); "--name value" and "--name=value", also
/// with one dash.
ParsedArguments parseArguments(const std::vector<std::string>& args);

/// The scheme's colours the swatches would show for the request (two for complementary,
/// else three), or a message naming the argument that puts the pointer off the wheel.
struct SchemeResult {
    std::optional<formats::SchemeColors> colors;
    std::string error;
    /// The whole scheme, which a design-tokens file holds so that the window reopens it.
    std::string state;
    /// A palette read --from, written instead of a scheme.
    std::optional<core::Palette> palette;
    /// The colours' exact OKLCH (SchemeModel::exactColors), which the CSS files and tokens
    /// also write where they reach beyond sRGB.
    std::vector<std::optional<core::Oklch>> exact{};
    /// The scheme's colour roles in light and dark, with the roles it sets (a scheme only).
    std::optional<colorscience::Roles> roles{};
    /// The roles the scheme's designer set (a scheme read --from keeps them).
    colorscience::RoleOverrides roleOverrides{};
};
SchemeResult schemeColors(const ExportRequest& request);

/// The usage text --help prints.
std::string usageText();

/// Runs a command line: 0 when the file is written (or help shown), 1 when it cannot be
/// written, 2 for a bad argument; messages go to err, help to out.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace app
