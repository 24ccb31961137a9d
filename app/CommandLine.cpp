#include "CommandLine.h"
#include "StarterPageExport.h"

#include "colorscience/ColorRoles.h"

#include "core/CssColor.h"
#include "core/Numeric.h"
#include "core/PrintableText.h"
#include "core/SchemeRules.h"
#include "core/Text.h"
#include "core/Wheel.h"
#include "document/OpenFile.h"
#include "document/PaletteFile.h"
#include "document/SchemeDocument.h"
#include "preview/PreviewPaint.h"
#include "scheme/WheelNames.h"
#include "sheet/SheetPainter.h"
#include "ui/ColorConversion.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <functional>
#include <ostream>

namespace app {

namespace {

/// What the parser makes of an option.
enum class OptionKind { Value, Flag, Help, Version, EndOfOptions };

/// One option of a command-line run: the parser and --help are both made from the one table,
/// so an option added or renamed reads the same in both. Every option is also taken with one
/// dash ("-rule triad") and with its value after '=' ("--rule=triad").
struct Option {
    /// As the parser knows it, without dashes; "h" is help's short name.
    std::string_view name;
    OptionKind kind;
    /// A scheme read --from holds it itself.
    bool makesScheme;
    /// What --help shows in its column of options.
    std::string_view label;
    /// Its lines in --help, one '\n' between two.
    std::string_view help;
};

constexpr Option kOptions[] = {
    {"export", OptionKind::Value, false, "--export FILE",
     "the file to write; its extension picks the format:\n"
     ".css (CSS custom properties), .oklch.css (CSS Color 4 oklch()),\n"
     ".scss (SCSS variables), .tokens.json (design tokens: the\n"
     "colors as color-1 .., their ramps in the group \"ramp\"), .gpl\n"
     "(GIMP/Inkscape palette), .ase (Adobe Swatch Exchange),\n"
     ".tailwind.css (Tailwind CSS 4 theme of the ramps), .ramps.css\n"
     "(colors and ramps for light and dark mode); .png, .svg or\n"
     ".pdf write the scheme sheet: one page (A4 landscape in a PDF,\n"
     "1600 x 1131 pixels in a PNG) with the scheme's name and the\n"
     "date, each color with its hex, rgb(), hsl(), oklch() and\n"
     "nearest CSS name, the tonal ramps, the contrast of each color\n"
     "on the others, white and black, the preview as four\n"
     "color-vision deficiencies see it, and the rule, wheel and\n"
     "lightness; .html (or .htm) writes the starter page: one\n"
     "self-contained page in the scheme's color roles (--bg,\n"
     "--surface, --text, --text-muted, --border, --primary,\n"
     "--on-primary, --secondary, --on-secondary, --accent,\n"
     "--on-accent, --link, --focus-ring) for light and dark"},
    {"scale", OptionKind::Value, false, "--scale N",
     "a PNG sheet at 1 (the default) or 2 pixels a unit: 3200 x 2262"},
    {"rule", OptionKind::Value, true, "--rule NAME",
     "complementary, analogous (the default), split-complementary,\n"
     "triad or monochromatic"},
    {"base", OptionKind::Value, true, "--base COLOR",
     "the base color: #RRGGBB, #RGB (quote the # in a shell, or leave\n"
     "it out) or any CSS color, e.g. 'oklch(55% 0.15 250)'; the\n"
     "classic wheels take their pixel nearest to it, the perceptual\n"
     "wheel the color itself, at its own lightness"},
    {"at", OptionKind::Value, true, "--at X,Y",
     "the base color at this wheel position (0-259 each, as the\n"
     "pointer gives it; the centre is 130,130)\n"
     "With neither, the base is #FF0000 (on the perceptual wheel\n"
     "the rim at its hue)."},
    {"raster", OptionKind::Value, true, "--raster NAME",
     "default, websafe or perceptual (the OKLCH wheel); left out,\n"
     "the wheel the window starts with. A classic wheel (default,\n"
     "websafe) is a disc in a grey frame: a color a rule places\n"
     "beyond its rim is the frame's grey, as in the window; the\n"
     "perceptual wheel keeps every color of a scheme on its disc"},
    {"lightness", OptionKind::Value, true, "--lightness N",
     "the perceptual wheel's lightness, 0-100 percent (default 65);\n"
     "only with --raster perceptual, and --base sets its own"},
    {"ramps", OptionKind::Flag, false, "--ramps",
     "add the tonal ramps 50-950 of each color and of the neutral\n"
     "(color-1-50 .. neutral-950) to a .css, .oklch.css, .scss, .gpl\n"
     "or .ase file; the other formats always hold them"},
    {"dark", OptionKind::Flag, false, "--dark",
     "add each color's dark twin for a dark background (color-1-dark\n"
     "..; in design tokens the group \"dark\"); .ramps.css always\n"
     "holds them"},
    {"from", OptionKind::Value, false, "--from SCHEME",
     "write the scheme saved in SCHEME (File, Save Scheme As, or a\n"
     ".tokens.json export) instead of --rule, --base, --at, --raster\n"
     "and --lightness; or the colors and names of any palette file\n"
     "the window opens, converting it to FILE's format"},
    {"help", OptionKind::Help, false, "-h, --help", "show this text"},
    {"version", OptionKind::Version, false, "--version", "show the version"},
    {"", OptionKind::EndOfOptions, false, "--",
     "ends the options: a scheme named \"-x.tokens.json\" follows it"},
};

/// The table's entry of an option named without its dashes ("h" is help), or nullptr.
const Option* findOption(std::string_view name) {
    if (name == "h")
        name = "help";
    for (const Option& o : kOptions) {
        if (o.kind != OptionKind::EndOfOptions && o.name == name)
            return &o;
    }
    return nullptr;
}

bool isKind(std::string_view name, OptionKind kind) {
    const Option* o = findOption(name);
    return o != nullptr && o->kind == kind;
}

/// An option Qt's application object reads itself, taken with one leading dash or two.
struct ToolkitOption {
    std::string_view name;
    bool takesValue;
    bool takesEquals; ///< Qt also reads "-name=value"
};
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true, false},
    {"platformpluginpath", true, false},
    {"platformtheme", true, false},
    {"plugin", true, false},
    {"qwindowgeometry", true, false},
    {"geometry", true, false},
    {"qwindowtitle", true, false},
    {"title", true, false},
    {"qwindowicon", true, false},
    {"icon", true, false},
    {"display", true, false},
    {"name", true, false},
    {"visual", true, false},
    {"session", true, true},
    {"style", true, true},
    {"stylesheet", true, true},
    {"qmljsdebugger", false, true},
    {"reverse", false, false},
    {"widgetcount", false, false},
    {"nograb", false, false},
    {"dograb", false, false},
    {"sync", false, false},
    {"testability", false, false},
};

// With neither --base nor --at the base is the wheel's pixel nearest to pure red: a
// full-strength scheme. The centre would give three whites, and the window's resting
// position (0, 0) the grey around the wheel.
constexpr core::Color kDefaultBase = core::rgbValue(255, 0, 0);

/// "use a, b or c" over the words of a table's entries from first on.
template <typename Table> std::string wordsHint(const Table& table, size_t first = 0) {
    std::string text = "use";
    for (size_t i = first; i < table.size(); ++i) {
        text += i == first ? " " : i + 1 == table.size() ? " or " : ", ";
        text += table[i].word;
    }
    return text;
}

/// "chromalune: what (option)", then "; hint" when there is one.
std::string fail(std::string_view what, std::string_view option, std::string_view hint = {}) {
    std::string text = "chromalune: " + std::string(what) + " (" + std::string(option) + ")";
    if (!hint.empty())
        text += "; " + std::string(hint);
    return text;
}

/// The text the CSS reader takes for a --base value: bare hex digits, three or six, are a
/// code whose '#' was left out, since a shell takes an unquoted word starting with it for a
/// comment.
std::string baseColorText(std::string_view value) {
    const bool bareHex =
        (value.size() == 3 || value.size() == 6) &&
        value.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
    return bareHex ? "#" + std::string(value) : std::string(value);
}

std::optional<float> parseNumber(std::string_view text) {
    float v = 0;
    const auto r =
        std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() ||
        !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<std::array<float, 2>> parsePosition(std::string_view text) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const auto x = parseNumber(text.substr(0, comma));
    const auto y = parseNumber(text.substr(comma + 1));
    if (!x || !y)
        return std::nullopt;
    return std::array<float, 2>{*x, *y};
}

/// Reads one option's value into the request; an error text when the value is bad.
std::string applyOption(ExportRequest& request, std::string_view name, std::string_view value) {
    if (name == "--export") {
        if (value.empty())
            return fail("empty file name", name);
        if (!formats::formatForFileName(value) && !sheet::sheetFormatForFileName(value) &&
            !isStarterPageName(value))
            return fail("unknown file type " + core::quotedText(value), name,
                        "use " + formats::supportedExtensionsText() +
                            "; .png, .svg or .pdf for a sheet; .html for a starter page");
        // the writer takes names as text: a name that does not read back as the same bytes
        // would be written under another one
        const QByteArray bytes(value.data(), static_cast<qsizetype>(value.size()));
        if (QFile::encodeName(QFile::decodeName(bytes)) != bytes)
            return fail("the file name is not valid UTF-8", name, "rename it or pick another");
        request.file = std::string(value);
    } else if (name == "--rule") {
        if (const std::optional<core::SchemeType> rule =
                core::schemeTypeFromWord(core::lower(value))) {
            request.rule = *rule;
            return {};
        }
        return fail("unknown rule " + core::quotedText(value), name, wordsHint(core::kSchemeRules));
    } else if (name == "--raster") {
        // the start wheel is where the window begins, no choice
        if (const std::optional<scheme::WheelRaster> raster =
                scheme::chosenWheelFromWord(core::lower(value))) {
            request.raster = *raster;
            return {};
        }
        return fail("unknown raster " + core::quotedText(value), name,
                    wordsHint(scheme::kWheelNames, 1));
    } else if (name == "--lightness") {
        const std::optional<float> percent = parseNumber(value);
        if (!percent || *percent < 0 || *percent > 100)
            return fail("bad lightness " + core::quotedText(value), name,
                        "use a percentage from 0 to 100");
        request.lightness = *percent / 100.0;
    } else if (name == "--base") {
        // read as the window's dialog reads the same code
        const core::CssParseResult css = core::parseCssColor(baseColorText(value));
        if (!css.color)
            return fail("bad color " + core::quotedText(value), name,
                        "use #RRGGBB or a CSS color such as 'oklch(55% 0.15 250)': " +
                            core::printableText(css.error));
        const core::BaseColor chosen = core::baseColorOf(*css.color);
        request.base = core::rgbValue(chosen.rgb8.r, chosen.rgb8.g, chosen.rgb8.b);
        request.baseExact = chosen.exact;
    } else if (name == "--from") {
        if (value.empty())
            return fail("empty file name", name);
        request.from = std::string(value);
    } else if (name == "--scale") {
        if (value != "1" && value != "2")
            return fail("bad scale " + core::quotedText(value), name, "use 1 or 2");
        request.scale = value == "1" ? 1 : 2;
    } else if (name == "--at") {
        request.at = parsePosition(value);
        if (!request.at)
            return fail("bad position " + core::quotedText(value), name, "use X,Y");
    }
    return {};
}

/// Arguments as the parser's text, one character a byte, so that a value that is not UTF-8
/// comes back byte for byte and a message can show it escaped.
QStringList parserArguments(const std::vector<std::string>& args) {
    QStringList list{QStringLiteral("chromalune")};
    for (const std::string& arg : args)
        list << QString::fromLatin1(arg.data(), static_cast<qsizetype>(arg.size()));
    return list;
}

std::string bytesOf(const QString& text) {
    return text.toLatin1().toStdString();
}

QString nameText(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

/// The option an argument names: without its one or two dashes and its "=value".
std::string_view optionName(std::string_view arg) {
    if (arg.size() < 2 || arg[0] != '-')
        return {};
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    return arg.substr(0, arg.find('='));
}

/// The arguments the parser may read as options: those before a "--".
std::vector<std::string_view> optionArguments(const std::vector<std::string>& args) {
    std::vector<std::string_view> before;
    for (const std::string& arg : args) {
        if (arg == "--")
            break;
        before.emplace_back(arg);
    }
    return before;
}

/// The first argument that names the option the parser did not know.
std::string argumentNaming(const std::vector<std::string>& args, const QString& name) {
    for (std::string_view arg : optionArguments(args)) {
        if (nameText(optionName(arg)) == name)
            return std::string(arg);
    }
    return bytesOf(name);
}

/// A parser of every option in the table.
void addExportOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const Option& o : kOptions) {
        switch (o.kind) {
        case OptionKind::Value:
            parser.addOption(QCommandLineOption(nameText(o.name), {}, QStringLiteral("value")));
            break;
        case OptionKind::Flag:
        case OptionKind::Version:
            parser.addOption(QCommandLineOption(nameText(o.name)));
            break;
        case OptionKind::Help:
            parser.addOption(
                QCommandLineOption(QStringList{QStringLiteral("h"), nameText(o.name)}));
            break;
        case OptionKind::EndOfOptions:
            break;
        }
    }
}

std::string unknownArgument(std::string_view arg) {
    return "chromalune: unknown argument " + core::quotedText(arg) + "; see chromalune --help";
}

/// The first argument the export's options cannot take, or empty: an unknown option, a value
/// given to a flag, a word left over, an option without its value or one given twice.
std::string missingValue(std::string_view name) {
    const std::string option = "--" + std::string(name);
    return fail("missing value", option,
                name == "base" ? "quote the # in a shell, or leave it out" : "");
}

/// The first argument the export's options cannot take, or empty: an unknown option, a value
/// given to a flag, an option without its value, a word left over or an option given twice.
std::string exportArgumentsError(const std::vector<std::string>& args,
                                 const QCommandLineParser& parser, bool parsed) {
    if (!parser.unknownOptionNames().isEmpty())
        return unknownArgument(argumentNaming(args, parser.unknownOptionNames().front()));
    const std::vector<std::string_view> options = optionArguments(args);
    for (size_t i = 0; i < options.size(); ++i) {
        const std::string_view name = optionName(options[i]);
        if (!isKind(name, OptionKind::Flag))
            continue;
        // a word after the flag is a value meant for it too: no other argument stands alone
        if (options[i].find('=') != std::string_view::npos ||
            (i + 1 < options.size() && options[i + 1].substr(0, 1) != "-"))
            return fail("takes no value", "--" + std::string(name));
    }
    const QStringList found = parser.optionNames();
    // the parser stops short only at an option that still wants its value
    if (!parsed)
        return missingValue(bytesOf(found.back()));
    for (const Option& o : kOptions) {
        const std::string_view name = o.name;
        if (o.kind != OptionKind::Value)
            continue;
        const std::string value = bytesOf(parser.value(nameText(name)));
        if (!parser.isSet(nameText(name)) || value.rfind("--", 0) != 0)
            continue;
        // an option in the value's place means the value was left out, unless it came
        // after '='
        const bool withEquals = std::any_of(options.begin(), options.end(), [&](auto arg) {
            return optionName(arg) == name && arg.find('=') != std::string_view::npos;
        });
        if (!withEquals)
            return missingValue(name);
    }
    if (!parser.positionalArguments().isEmpty())
        return unknownArgument(bytesOf(parser.positionalArguments().front()));
    for (qsizetype i = 0; i < found.size(); ++i) {
        if (found.indexOf(found[i]) != i)
            return fail("given twice", "--" + bytesOf(found[i]));
    }
    return {};
}

} // namespace

bool wantsCommandLine(const std::vector<std::string>& args) {
    for (std::string_view arg : optionArguments(args)) {
        const std::string_view name = optionName(arg);
        if (findOption(name) != nullptr)
            return true;
    }
    return false;
}

namespace {

/// Walks a window run's arguments: the toolkit's options with their values, and the others,
/// which documents collects. The message names the first argument that is neither.
std::string walkWindowArguments(const std::vector<std::string>& args,
                                std::vector<std::string>* documents) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const ToolkitOption& o : kToolkitOptions) {
        parser.addOption(o.takesValue || o.takesEquals
                             ? QCommandLineOption(nameText(o.name), {}, QStringLiteral("value"))
                             : QCommandLineOption(nameText(o.name)));
    }
    const bool parsed = parser.parse(parserArguments(args));
    const auto refuse = [](std::string_view what, std::string_view arg) {
        return "chromalune: " + std::string(what) + " " + core::quotedText(arg) +
               "; see chromalune --help";
    };
    if (!parser.unknownOptionNames().isEmpty())
        return refuse("unknown option", argumentNaming(args, parser.unknownOptionNames().front()));
    // the application object reads some options only as "-name value", others only as
    // "-name=value": the other form would be left for it to ignore
    for (std::string_view arg : optionArguments(args)) {
        const std::string_view name = optionName(arg);
        const bool withEquals = arg.find('=') != std::string_view::npos;
        for (const ToolkitOption& o : kToolkitOptions) {
            if (o.name == name &&
                ((withEquals && !o.takesEquals) || (!withEquals && !o.takesValue && o.takesEquals)))
                return refuse("unknown option", arg);
        }
    }
    if (!parsed)
        return refuse("missing value for", args.back());
    for (const QString& word : parser.positionalArguments()) {
        // a document named "-" would be the standard input, which a window does not read
        if (!documents->empty() || word == QStringLiteral("-"))
            return refuse("unexpected argument", bytesOf(word));
        documents->push_back(bytesOf(word));
    }
    return {};
}

} // namespace

std::string windowArgumentsError(const std::vector<std::string>& args) {
    std::vector<std::string> documents;
    return walkWindowArguments(args, &documents);
}

std::optional<std::string> documentArgument(const std::vector<std::string>& args) {
    std::vector<std::string> documents;
    if (!walkWindowArguments(args, &documents).empty() || documents.empty())
        return std::nullopt;
    return documents.front();
}

bool displayNamed(const std::vector<std::string>& args,
                  const std::function<std::string(const char*)>& environment) {
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!environment(variable).empty())
            return true;
    }
    for (const std::string& arg : args) {
        if (arg == "-platform" || arg == "--platform")
            return true;
    }
    return false;
}

ParsedArguments parseArguments(const std::vector<std::string>& args) {
    ExportRequest request;
    QCommandLineParser parser;
    addExportOptions(parser);
    const bool parsed = parser.parse(parserArguments(args));
    for (std::string_view arg : optionArguments(args)) {
        const std::string_view name = optionName(arg);
        if ((isKind(name, OptionKind::Help) || isKind(name, OptionKind::Version)) &&
            arg.find('=') != std::string_view::npos)
            return {std::nullopt, fail("takes no value", "--" + std::string(name))};
    }
    // help and the version are shown whatever else the line holds
    request.help = parser.isSet(QStringLiteral("help"));
    request.version = !request.help && parser.isSet(QStringLiteral("version"));
    if (request.help || request.version)
        return {request, {}};
    if (std::string error = exportArgumentsError(args, parser, parsed); !error.empty())
        return {std::nullopt, error};
    request.options.ramps = parser.isSet(QStringLiteral("ramps"));
    request.options.dark = parser.isSet(QStringLiteral("dark"));
    for (const QString& name : parser.optionNames()) {
        std::string error = applyOption(request, "--" + bytesOf(name), bytesOf(parser.value(name)));
        if (!error.empty())
            return {std::nullopt, error};
    }
    for (const Option& o : kOptions) {
        const std::string option = "--" + std::string(o.name);
        if (o.makesScheme && !request.from.empty() && parser.isSet(nameText(o.name)))
            return {std::nullopt,
                    fail("a scheme read --from holds its own", option, "leave out " + option)};
    }
    if (request.base && request.at)
        return {std::nullopt, fail("give either --base or --at, not both", "--at")};
    if (request.lightness && request.raster != scheme::WheelRaster::Perceptual)
        return {std::nullopt, fail("a lightness needs the perceptual wheel", "--lightness",
                                   "add --raster perceptual")};
    if (request.file.empty())
        return {std::nullopt, fail("no file to write", "--export", "give --export FILE")};
    const std::optional<sheet::SheetFormat> sheetFormat =
        sheet::sheetFormatForFileName(request.file);
    if (request.scale && sheetFormat != sheet::SheetFormat::Png)
        return {std::nullopt, fail("a scale is for a PNG sheet", "--scale", "export to FILE.png")};
    if (isStarterPageName(request.file) && (request.options.ramps || request.options.dark))
        return {std::nullopt, fail("a starter page always holds both themes and no ramps",
                                   request.options.ramps ? "--ramps" : "--dark")};
    if (sheetFormat && (request.options.ramps || request.options.dark))
        return {std::nullopt, fail("a sheet always shows the ramps and no dark twins",
                                   request.options.ramps ? "--ramps" : "--dark")};
    return {request, {}};
}

namespace {

/// Makes the request's scheme in model as the window would: the scheme read --from, or the one
/// the options give. A palette read --from is put in palette instead, the message then noting
/// its skipped entries; else the message says why there is neither.
std::string buildScheme(const ExportRequest& request, scheme::SchemeModel& model,
                        std::optional<core::Palette>& palette) {
    if (!request.from.empty()) {
        const document::OpenedFile opened =
            document::openFileNamed(QByteArray::fromStdString(request.from));
        palette = opened.palette;
        // the note the window shows too: the palette is still written
        if (opened.palette && opened.skipped > 0)
            return fail(std::to_string(opened.skipped) +
                            (opened.skipped == 1 ? " entry skipped" : " entries skipped"),
                        "--from", core::printableText(opened.firstSkipped.toStdString(), 200));
        if (opened.palette)
            return {};
        if (!opened.scheme)
            return "chromalune: cannot open " + core::quotedText(request.from) +
                   " (--from): " + core::printableText(opened.error.toStdString());
        model.restore(*opened.scheme);
        return {};
    }
    model.setRaster(request.raster);
    model.setRule(request.rule);
    model.setLightness(request.lightness.value_or(scheme::SchemeModel::kDefaultLightness));
    if (request.base || (!request.at && !model.isPerceptual())) {
        // as Set Base Color does: exactly the colour on the perceptual wheel (its lightness
        // with it), the nearest pixel on the classic ones
        const core::Color color = request.base.value_or(kDefaultBase);
        const core::Oklch exact =
            request.baseExact.value_or(core::toOklch(core::oklabOf(core::splitColor(color))));
        model.setBaseColor(core::splitColor(color), exact);
        return {};
    }
    // on the disc the default is the rim at pure red's hue, at the lightness asked for
    const core::Oklch red = core::toOklch(core::oklabOf(core::splitColor(kDefaultBase)));
    const core::SamplePoint rim =
        core::pointAt(red.h, scheme::SchemeModel::geometry().rmax, scheme::SchemeModel::geometry());
    const std::array<float, 2> pointer =
        request.at ? *request.at
                   : std::array<float, 2>{core::toSingle(rim.x), core::toSingle(rim.y)};
    if (!model.trackPointer(pointer[0], pointer[1]))
        return fail("the position is outside the wheel", "--at", "use 0-259 for X and Y");
    return {};
}

/// Writes the request's scheme as a sheet: 0 written, 1 not written, 2 no scheme to show.
int exportSheet(const ExportRequest& request, sheet::SheetFormat format, std::ostream& err) {
    // text needs the toolkit's fonts, which an application object brings; an export shows no
    // window, so it needs no display either. Made once and kept for the rest of the run.
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 3;
        static char arg0[] = "chromalune", arg1[] = "-platform", arg2[] = "offscreen";
        static char* argv[] = {arg0, arg1, arg2, nullptr};
        // the toolkit's notes on the session it starts in (no runtime folder, say) are not
        // the export's to print: a script reads one line on failure and none on success
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type == QtFatalMsg)
                    std::fprintf(stderr, "chromalune: %s\n", qPrintable(text));
            });
        new QGuiApplication(argc, argv);
        qInstallMessageHandler(previous);
    }
    scheme::SchemeModel model;
    std::optional<core::Palette> palette;
    if (const std::string error = buildScheme(request, model, palette);
        !error.empty() && !palette) {
        err << error << '\n';
        return 2;
    }
    if (palette) {
        err << fail("a palette read --from has no scheme to show on a sheet", "--from",
                    "give a scheme saved by File, Save Scheme As")
            << '\n';
        return 2;
    }
    const std::array<core::Color, 3> colors = model.swatchColors();
    const QImage preview =
        preview::paintedStyle(model.previewStyle(), {ui::toQRgb(colors[0]), ui::toQRgb(colors[1]),
                                                     ui::toQRgb(colors[2])});
    const sheet::SheetContent content = sheet::sheetOf(
        model,
        request.from.empty()
            ? sheet::kUntitled
            : sheet::titleOf(QFile::decodeName(QByteArray::fromStdString(request.from))),
        QDate::currentDate(), preview);
    QString reason;
    if (!sheet::writeSheet(QFile::decodeName(QByteArray::fromStdString(request.file)), format,
                           content, request.scale.value_or(1), &reason)) {
        err << "chromalune: cannot write " << core::quotedText(request.file) << ": "
            << core::printableText(reason.toStdString()) << '\n';
        return 1;
    }
    return 0;
}

} // namespace

SchemeResult schemeColors(const ExportRequest& request) {
    // the window's own scheme, so the file holds what its swatches would show
    scheme::SchemeModel model;
    std::optional<core::Palette> palette;
    std::string error = buildScheme(request, model, palette);
    if (palette || !error.empty())
        return {std::nullopt, std::move(error), {}, palette, {}};
    return {model.schemeColors(),
            {},
            document::schemeStateText(model.snapshot()),
            std::nullopt,
            model.exactColors(),
            model.roles(),
            model.roleOverrides()};
}

namespace {

/// The options' column of --help: each label, then its lines beside it.
std::string optionsHelpText() {
    constexpr size_t kLabelWidth = 16;
    const std::string indent(2 + kLabelWidth, ' ');
    std::string text;
    for (const Option& o : kOptions) {
        text += "  " + std::string(o.label);
        text += std::string(kLabelWidth - std::min(kLabelWidth, o.label.size()), ' ');
        for (size_t start = 0;;) {
            const size_t end = o.help.find('\n', start);
            text += std::string(o.help.substr(start, end - start)) + "\n";
            if (end == std::string_view::npos)
                break;
            start = end + 1;
            text += indent;
        }
    }
    return text;
}

/// The paragraph of --help on the colour roles, their names from the role table, wrapped
/// within 80 columns.
std::string rolesHelpText() {
    std::string text = "A scheme's export (not a palette's) also holds the page's color roles in"
                       "\nlight and dark, with the ones set in the scheme:";
    size_t column = text.size() - text.rfind('\n') - 1;
    const auto& roles = colorscience::roleTable();
    for (size_t k = 0; k < roles.size(); ++k) {
        const std::string word = std::string(k + 1 == roles.size() ? " and --" : " --") +
                                 roles[k].cssName + (k + 1 == roles.size() ? "" : ",");
        if (column + word.size() > 79) {
            text += "\n";
            column = 0;
        }
        text += column == 0 ? word.substr(1) : word;
        column += column == 0 ? word.size() - 1 : word.size();
    }
    return text + " in .css,\n"
                  ".oklch.css and .ramps.css (light on :root, dark under @media\n"
                  "(prefers-color-scheme: dark) and [data-theme=\"dark\"], light again under\n"
                  "[data-theme=\"light\"]); --color-bg .. in .tailwind.css; the groups\n"
                  "roles.light and roles.dark in .tokens.json; $bg .. and $bg-dark .. in .scss.\n";
}

} // namespace

std::string usageText() {
    return std::string(
               "Usage: chromalune [SCHEME.tokens.json | PALETTE]\n"
               "       chromalune --export FILE [--from SCHEME | --from PALETTE | [--rule NAME]\n"
               "                  [--base COLOR | --at X,Y]\n"
               "                  [--raster default|websafe|perceptual] [--lightness N]\n"
               "                  [--ramps] [--dark]]\n"
               "       chromalune --export SHEET.png|.svg|.pdf [--scale 1|2] [--from SCHEME |\n"
               "                  [--rule NAME] [--base COLOR | --at X,Y] [--raster NAME]\n"
               "                  [--lightness N]]\n"
               "       chromalune --export PAGE.html [--from SCHEME | [--rule NAME]\n"
               "                  [--base COLOR | --at X,Y] [--raster NAME] [--lightness N]]\n"
               "\n"
               "Without arguments ChromaLune opens its window; with a scheme saved by File, Save\n"
               "Scheme As (or a .tokens.json export) it opens that scheme; with a palette file\n"
               "(.gpl, .ase, CSS or SCSS properties, a Tailwind theme, design tokens, a text list\n"
               "of CSS colors) it shows the palette. With --export it writes the scheme colors to\n"
               "FILE without opening a window and exits. The window\n"
               "also takes the toolkit's own options (-platform NAME, -style NAME, -reverse, "
               "...).\n"
               "\n") +
           optionsHelpText() + "\n" + rolesHelpText() +
           "\n"
           "Every option also takes one dash, and its value after '=' (--rule=triad).\n"
           "\n"
           "Exit status: 0 written, 1 the file could not be written, 2 a bad argument.\n";
}

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedArguments parsed = parseArguments(args);
    if (!parsed.request) {
        err << parsed.error << '\n';
        return 2;
    }
    const ExportRequest& request = *parsed.request;
    if (request.help || request.version) {
        out << (request.help ? usageText() : "chromalune " CHROMALUNE_VERSION "\n") << std::flush;
        // a reader that has gone (help piped into a program that quit) is a failed write
        if (!out) {
            err << "chromalune: cannot write the " << (request.help ? "help text" : "version")
                << " to the standard output\n";
            return 1;
        }
        return 0;
    }
    if (isStarterPageName(request.file))
        return exportStarterPage(request, err);
    if (const auto sheetFormat = sheet::sheetFormatForFileName(request.file))
        return exportSheet(request, *sheetFormat, err);
    const SchemeResult scheme = schemeColors(request);
    if (scheme.palette && (request.options.ramps || request.options.dark)) {
        err << fail("a palette read --from has no ramps or dark twins",
                    request.options.ramps ? "--ramps" : "--dark")
            << '\n';
        return 2;
    }
    if (!scheme.colors && !scheme.palette) {
        err << scheme.error << '\n';
        return 2;
    }
    if (!scheme.error.empty())
        err << scheme.error << '\n';
    const QString path = QFile::decodeName(QByteArray::fromStdString(request.file));
    const formats::Format format = *formats::formatForFileName(request.file);
    formats::ExportOptions options = request.options;
    options.exact = scheme.exact;
    options.roleOverrides = scheme.roleOverrides;
    std::string reason;
    if (!(scheme.palette
              ? document::writeBytesFile(path, formats::fileBytes(format, *scheme.palette), &reason)
              : document::writePaletteFile(path, format, *scheme.colors, &reason, options,
                                           scheme.state))) {
        err << "chromalune: cannot write " << core::quotedText(request.file) << ": "
            << core::printableText(reason) << '\n';
        return 1;
    }
    return 0;
}

} // namespace app
