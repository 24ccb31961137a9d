#include "palette/CommandLine.h"
#include "support/TestFiles.h"

#include "core/CssColor.h"
#include "core/PerceptualWheel.h"
#include "core/Wheel.h"
#include "designsystem/DesignSystem.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using palette::Format;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = palette::runCommandLine(args, out, err);
    return {status, out.str(), err.str()};
}

palette::SchemeColors colorsFor(std::vector<std::string> args) {
    args.insert(args.begin(), {"--export", "x.css"});
    const palette::ParsedArguments p = palette::parseArguments(args);
    const palette::SchemeResult s = palette::schemeColors(p.request.value());
    EXPECT_TRUE(s.colors) << s.error;
    return s.colors.value_or(palette::SchemeColors{});
}

struct Ran {
    int status; ///< the exit status, or 128 + the signal that ended it
    std::string err;
};

/// Runs the program as a shell leaves it (every signal at its default, none blocked) with no
/// display named, files limited to limit bytes, and a standard output whose reader has gone.
Ran runProgram(const std::vector<std::string>& args, rlim_t limit = RLIM_INFINITY) {
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        ::unsetenv(var);
    std::vector<char*> argv = {const_cast<char*>(CHROMALUNE_PROGRAM)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int err[2], out[2];
    if (::pipe(err) != 0 || ::pipe(out) != 0)
        return {-1, "no pipe"};
    ::close(out[0]);
    const pid_t child = ::fork();
    if (child == 0) {
        for (int sig = 1; sig < NSIG; ++sig)
            std::signal(sig, SIG_DFL);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        const rlimit small{limit, limit};
        setrlimit(RLIMIT_FSIZE, &small);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::close(err[0]);
        ::execv(argv[0], argv.data());
        _exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(err[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    ::close(err[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), text};
}

designsystem::DesignSystem systemOf(const palette::SchemeColors& colors) {
    std::vector<core::ColorRGB> rgb;
    for (core::Color c : colors)
        rgb.push_back(core::splitColor(c));
    return designsystem::designSystemOf(rgb);
}

/// A scheme of three with a black (its ramp pinned at 950), a perceptual complementary pair
/// and a classic triad.
std::vector<palette::SchemeColors> someSchemes() {
    return {{core::rgbValue(255, 128, 0), core::rgbValue(18, 52, 86), core::rgbValue(0, 0, 0)},
            colorsFor({"--rule=complementary", "--raster=perceptual", "--base=#2a7f62"}),
            colorsFor({"--rule=triad", "--at=60,200"})};
}

/// Every ramp's name and step, as "color-1-50" .. "neutral-950", with its colour.
std::vector<std::pair<std::string, core::ColorRGB>>
rampSteps(const designsystem::DesignSystem& system) {
    static const int kSteps[] = {50, 100, 200, 300, 400, 500, 600, 700, 800, 900, 950};
    std::vector<std::pair<std::string, core::ColorRGB>> steps;
    for (size_t r = 0; r < system.ramps.size(); ++r) {
        const std::string ramp =
            r + 1 < system.ramps.size() ? "color-" + std::to_string(r + 1) : "neutral";
        for (size_t s = 0; s < 11; ++s)
            steps.emplace_back(ramp + "-" + std::to_string(kSteps[s]),
                               system.ramps[r].steps.at(s).color);
    }
    return steps;
}

std::string trimmed(const std::string& text) {
    const size_t a = text.find_first_not_of(" \n");
    return a == std::string::npos ? std::string()
                                  : text.substr(a, text.find_last_not_of(" \n") + 1 - a);
}

/// The "name: value" declarations, in order, of a CSS text made of comments and one block
/// opened by head; a failure when the text has any other shape.
std::vector<std::pair<std::string, std::string>> blockDeclarations(std::string text,
                                                                   const std::string& head) {
    for (size_t a; (a = text.find("/*")) != std::string::npos;) {
        const size_t b = text.find("*/", a + 2);
        if (b == std::string::npos) {
            ADD_FAILURE() << "an open comment";
            return {};
        }
        text.erase(a, b + 2 - a);
    }
    const size_t open = text.find('{');
    const size_t close = text.find('}');
    EXPECT_TRUE(open != std::string::npos && trimmed(text.substr(0, open)) == head &&
                text.find('{', open + 1) == std::string::npos && close != std::string::npos &&
                trimmed(text.substr(close + 1)).empty())
        << text;
    std::vector<std::pair<std::string, std::string>> found;
    const std::string body = text.substr(open + 1, close - open - 1);
    size_t at = 0;
    for (size_t end; (end = body.find(';', at)) != std::string::npos; at = end + 1) {
        const std::string declaration = body.substr(at, end - at);
        const size_t colon = declaration.find(':');
        found.emplace_back(trimmed(declaration.substr(0, colon)),
                           trimmed(declaration.substr(colon + 1)));
    }
    EXPECT_EQ(trimmed(body.substr(at)), "") << "a declaration without its ';'";
    return found;
}

/// Whether a CSS colour text reads back as want within tolerance per 8-bit channel.
::testing::AssertionResult readsAs(const std::string& value, core::ColorRGB want, int tolerance) {
    const core::CssParseResult css = core::parseCssColor(value);
    if (!css.color)
        return ::testing::AssertionFailure() << value << ": " << css.error;
    const core::ColorRGB got = core::rgb8Of(*css.color);
    if (std::abs(got.r - want.r) > tolerance || std::abs(got.g - want.g) > tolerance ||
        std::abs(got.b - want.b) > tolerance)
        return ::testing::AssertionFailure()
               << value << " is " << core::hexText(got) << ", not " << core::hexText(want);
    return ::testing::AssertionSuccess();
}

} // namespace

// The files in expected/ were checked by hand and read by other programs' readers.
TEST(PaletteFormats, EveryFormatMatchesItsCheckedFileAndFollowsTheExtension) {
    const palette::SchemeColors scheme = {core::rgbValue(255, 128, 0), core::rgbValue(18, 52, 86),
                                          core::rgbValue(0, 0, 0)};
    const std::tuple<const char*, Format, const char*> cases[] = {
        {"a.CSS", Format::Css, "scheme.css"},
        {"b.scss", Format::Scss, "scheme.scss"},
        {"dir.css/c.Tokens.JSON", Format::DesignTokens, "scheme.tokens.json"},
        {"p.gpl", Format::GimpPalette, "scheme.gpl"},
        {"s.ase", Format::AdobeSwatchExchange, "scheme.ase"},
        {"d.oklch/e.Oklch.CSS", Format::OklchCss, "scheme.oklch.css"},
        {"f.TAILWIND.css", Format::TailwindTheme, "scheme.tailwind.css"},
        {"g.ramps.css", Format::CssRamps, "scheme.ramps.css"}};
    for (const auto& [fileName, format, expected] : cases) {
        EXPECT_EQ(palette::formatForFileName(fileName), format) << fileName;
        const std::vector<uint8_t> bytes = palette::fileBytes(format, scheme);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
                  readAll(QStringLiteral(CHROMALUNE_PALETTE_EXPECTED "/") + expected).toStdString())
            << fileName;
    }
}

// Two colours (a complementary scheme) give two entries in every format, and nothing else
// changes: the first two of the three colours' file, with the count where a format has one.
TEST(PaletteFormats, TwoColorsGiveTwoEntries) {
    const palette::SchemeColors two = {core::rgbValue(255, 128, 0), core::rgbValue(18, 52, 86)};
    for (Format format : palette::kFormats) {
        const std::vector<uint8_t> bytes = palette::fileBytes(format, two);
        const std::string text(bytes.begin(), bytes.end());
        const std::string name2 = format == Format::AdobeSwatchExchange ? std::string("\0-\0002", 4)
                                                                        : palette::colorName(1);
        EXPECT_NE(text.find(name2), std::string::npos) << text;
        EXPECT_EQ(text.find(name2.substr(0, name2.size() - 1) + '3'), std::string::npos) << text;
    }
    EXPECT_EQ(palette::aseBytes(two).at(11), 2); // the entry count
    EXPECT_NE(palette::gimpPaletteText(two, "x").find("Columns: 2\n"), std::string::npos);
}

// Tokens show each level as exactly level / 255 and the ASE file as the float nearest it, so
// any reader's scale-and-round gives every level back. The ASE layout is the checked file's for
// any colours, and a colour's flag bit is not written.
TEST(PaletteFormats, TokensAndAseGiveEveryLevelBack) {
    for (int level = 0; level < 256; ++level) {
        ASSERT_EQ(std::strtod(palette::tokenComponent(level).c_str(), nullptr), level / 255.0)
            << palette::tokenComponent(level);
        const std::vector<uint8_t> b =
            palette::aseBytes({core::rgbValue(0, 0, level) | INT32_MIN, 0, 0});
        // the first colour's blue: after the header, the entry's type, length, name, "RGB ",
        // red and green
        const uint32_t bits = uint32_t(b.at(48)) << 24 | b.at(49) << 16 | b.at(50) << 8 | b.at(51);
        float v = 0;
        std::memcpy(&v, &bits, sizeof v);
        ASSERT_EQ(std::lround(v * 255.0f), level) << v;
    }
}

// Tailwind takes comments and one @theme block: every ramp step under its name, its oklch()
// reading back as the step's 8-bit colour; the twins only when asked for.
TEST(PaletteFormats, TailwindThemeHoldsEveryRampStepAsTheOklchOfItsColour) {
    for (const palette::SchemeColors& scheme : someSchemes()) {
        const designsystem::DesignSystem system = systemOf(scheme);
        for (const bool dark : {false, true}) {
            auto wanted = rampSteps(system);
            for (size_t i = 0; dark && i < scheme.size(); ++i)
                wanted.emplace_back(palette::colorName(i) + "-dark", system.twins.at(i).color);
            const auto found =
                blockDeclarations(palette::tailwindThemeText(scheme, {true, dark}), "@theme");
            ASSERT_EQ(found.size(), (scheme.size() + 1) * 11 + (dark ? scheme.size() : 0));
            for (size_t k = 0; k < found.size(); ++k) {
                EXPECT_EQ(found[k].first, "--color-" + wanted[k].first);
                EXPECT_EQ(found[k].second.rfind("oklch(", 0), 0u) << found[k].second;
                EXPECT_TRUE(readsAs(found[k].second, wanted[k].second, 1)) << found[k].first;
            }
        }
    }
}

// Light and dark: each colour with its dark twin, each ramp step with the mirrored step of its
// ramp (so --neutral-50 turns into the dark background), every value exact.
TEST(PaletteFormats, CssRampsPairEachColourWithItsTwinAndEachStepWithItsMirror) {
    for (const palette::SchemeColors& scheme : someSchemes()) {
        const designsystem::DesignSystem system = systemOf(scheme);
        const auto steps = rampSteps(system);
        std::vector<std::tuple<std::string, core::ColorRGB, core::ColorRGB>> wanted;
        for (size_t i = 0; i < scheme.size(); ++i)
            wanted.emplace_back(palette::colorName(i), core::splitColor(scheme[i]),
                                system.twins.at(i).color);
        for (size_t k = 0; k < steps.size(); ++k)
            wanted.emplace_back(steps[k].first, steps[k].second,
                                steps[k - k % 11 + 10 - k % 11].second);
        const auto found = blockDeclarations(palette::cssRampsText(scheme), ":root");
        ASSERT_EQ(found.size(), wanted.size() + 1);
        EXPECT_EQ(found[0], std::make_pair(std::string("color-scheme"), std::string("light dark")));
        for (size_t k = 0; k < wanted.size(); ++k) {
            const auto& [name, light, dark] = wanted[k];
            const std::string& value = found[k + 1].second;
            const size_t comma = value.find(", ");
            EXPECT_EQ(found[k + 1].first, "--" + name);
            ASSERT_TRUE(value.rfind("light-dark(", 0) == 0 && value.back() == ')' &&
                        comma != std::string::npos)
                << value;
            EXPECT_TRUE(readsAs(value.substr(11, comma - 11), light, 0)) << name;
            EXPECT_TRUE(readsAs(value.substr(comma + 2, value.size() - comma - 3), dark, 0))
                << name;
        }
        EXPECT_EQ(found.at(found.size() - 11).second.find(core::hexText(system.darkBackground())),
                  20u);
    }
}

// The tokens keep the colours as top-level tokens, hold the ramps as groups ramp.<ramp>.<step>
// and with dark the twins as dark.<colour>; every value reads back exactly.
TEST(PaletteFormats, TokensHoldTheRampsAsGroupsAndTheTwinsWhenAskedFor) {
    const auto expectToken = [](const QJsonValue& token, core::ColorRGB want, const QString& path) {
        const QJsonObject value = token[QLatin1String("$value")].toObject();
        const QJsonArray parts = value[QLatin1String("components")].toArray();
        EXPECT_EQ(token[QLatin1String("$type")], QLatin1String("color")) << path.toStdString();
        EXPECT_EQ(value[QLatin1String("colorSpace")], QLatin1String("srgb")) << path.toStdString();
        EXPECT_EQ(value[QLatin1String("hex")].toString().toStdString(),
                  QString::asprintf("#%02x%02x%02x", want.r, want.g, want.b).toStdString());
        ASSERT_EQ(parts.size(), 3) << path.toStdString();
        EXPECT_EQ(core::rgbValue(std::lround(parts[0].toDouble() * 255),
                                 std::lround(parts[1].toDouble() * 255),
                                 std::lround(parts[2].toDouble() * 255)),
                  core::rgbValue(want.r, want.g, want.b))
            << path.toStdString();
    };
    for (const palette::SchemeColors& scheme : someSchemes()) {
        const designsystem::DesignSystem system = systemOf(scheme);
        for (const bool dark : {false, true}) {
            QJsonParseError error{};
            const std::string text = palette::designTokensText(scheme, {false, dark});
            const QJsonObject root =
                QJsonDocument::fromJson(QByteArray::fromStdString(text), &error).object();
            ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
            QStringList keys = {"color-1", "color-2", "ramp"};
            if (scheme.size() == 3)
                keys.insert(2, "color-3");
            if (dark)
                keys.insert(keys.size() - 1, "dark");
            EXPECT_EQ(root.keys(), keys);
            for (size_t i = 0; i < scheme.size(); ++i) {
                const QString name = QString::fromStdString(palette::colorName(i));
                expectToken(root[name], core::splitColor(scheme[i]), name);
                if (dark)
                    expectToken(root["dark"][name], system.twins.at(i).color, "dark." + name);
            }
            const QJsonObject ramps = root["ramp"].toObject();
            EXPECT_EQ(ramps.size(), qsizetype(scheme.size()) + 2); // and the description
            for (const auto& [step, color] : rampSteps(system)) {
                const QString name = QString::fromStdString(step);
                const qsizetype dash = name.lastIndexOf('-');
                EXPECT_EQ(ramps[name.left(dash)].toObject().size(), 11);
                expectToken(ramps[name.left(dash)][name.mid(dash + 1)], color, "ramp." + name);
            }
        }
    }
}

TEST(CommandLine, BadArgumentsExitTwoWithOneLineNamingThem) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("out.css").toStdString();
    const struct {
        std::vector<std::string> args;
        std::string named;
    } cases[] = {
        {{"--export", file, "--rule", "foo"}, "unknown rule 'foo' (--rule)"},
        {{"--export", file, "--raster", "huge"}, "unknown raster 'huge' (--raster)"},
        {{"--export", file, "--base", "#12345G"}, "bad color '#12345G' (--base)"},
        {{"--export", file, "--base", "+0+0+0"}, "bad color '+0+0+0' (--base)"},
        {{"--export", file, "--base", "#F0"}, "bad color '#F0' (--base)"},
        {{"--export", file, "--base", "oklch(55% 0.15)"}, "bad color 'oklch(55% 0.15)' (--base)"},
        {{"--export", file, "--raster=perceptual", "--lightness", "100.1"},
         "bad lightness '100.1' (--lightness)"},
        {{"--export", file, "--raster=perceptual", "--lightness", "-1"}, "(--lightness)"},
        {{"--export", file, "--raster=perceptual", "--lightness", "50%"}, "(--lightness)"},
        {{"--export", file, "--lightness", "50"}, "needs the perceptual wheel (--lightness)"},
        {{"--export", dir.filePath("b").toStdString() + "\xE9.css"}, "not valid UTF-8 (--export)"},
        {{"--export", file, "--at", "inf,3"}, "bad position 'inf,3' (--at)"},
        {{"--export", file, "--at", "259.6,0"}, "outside the wheel (--at)"},
        {{"--export", file, "--base", "#FF0000", "--at", "5,5"}, "not both (--at)"},
        {{"--export", file, "--base"}, "missing value (--base); quote the #"},
        {{"--rule", "triad"}, "no file to write (--export)"},
        {{"--export", file, "--rule", "triad", "--rule=triad"}, "given twice (--rule)"},
        {{"--export", file, "extra"}, "unknown argument 'extra'"},
        {{"--export", "a.json"},
         "(--export); use .css, .scss, .tokens.json, .gpl, .ase, .oklch.css, .tailwind.css or "
         ".ramps.css"},
        {{"--export", file, "--ramps=yes"}, "takes no value (--ramps)"},
        {{"--export", file, "--dark", "yes"}, "takes no value (--dark)"},
        {{"--export", file, "--dark", "--ramps", "--dark"}, "given twice (--dark)"},
        {{"--export", file, "--ramp"}, "unknown argument '--ramp'"},
        {{"--dark"}, "no file to write (--export)"},
        {{"--export="}, "empty file name (--export)"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.named;
        EXPECT_EQ(r.err.rfind("chromalune: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty() && std::count(r.err.begin(), r.err.end(), '\n') == 1) << r.err;
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    const Outcome help = run({"--export", "x.txt", "--help"});
    EXPECT_TRUE(help.status == 0 && help.err.empty()) << help.err;
    EXPECT_NE(help.out.find("[--rule NAME]"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("[--ramps] [--dark]"), std::string::npos) << help.out;
}

TEST(CommandLine, WritesTheSchemeOfTheRuleRasterAndPositionOrOfTheBaseColorsPixelOrSaysWhy) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("s.SCSS").toStdString();
    const Outcome r = run({"--export=" + file, "--rule", "Triad", "--at", "250,130.4"});
    EXPECT_TRUE(r.status == 0 && r.err.empty() && r.out.empty()) << r.err;
    const palette::SchemeColors c = colorsFor({"--rule=triad", "--at=250,130.4"});
    EXPECT_EQ(readAll(QString::fromStdString(file)).toStdString(), palette::scssText(c));
    // left out, the rule and raster are the window's start ones
    EXPECT_EQ(colorsFor({"--at=250,130"}), colorsFor({"--at=250,130", "--rule=analogous"}));
    EXPECT_NE(c, colorsFor({"--rule=triad", "--at=250,130.4", "--raster=default"}));

    // a base color on the wheel lands on its first pixel in row order
    const core::Raster start = core::makeStartRaster(core::makeDefaultRaster());
    const core::Color onWheel = start.at(200, 90);
    const auto first =
        std::find(start.pixels().begin(), start.pixels().end(), onWheel) - start.pixels().begin();
    const std::string at =
        std::to_string(first % start.width()) + "," + std::to_string(first / start.width());
    EXPECT_EQ(colorsFor({"--base", core::htmlCode(onWheel), "--rule=triad"}),
              colorsFor({"--at", at, "--rule=triad"}));
    // off the wheel, the nearest: the start raster holds no 0xFE, so FFFFFE lands on white
    EXPECT_EQ(colorsFor({"--base", "FFFFFE"})[1], core::kWhite);
    EXPECT_EQ(colorsFor({"--base", "#f80"}), colorsFor({"--base", "FF8800"}));
    // the perceptual wheel builds the scheme exactly around a CSS colour, at its lightness
    const auto valueOf = [](core::ColorRGB v) { return core::rgbValue(v.r, v.g, v.b); };
    const auto mapped = [&](double hue) { return valueOf(core::mapToRgb8({0.55, 0.15, hue})); };
    const core::CssColor typed = *core::parseCssColor("oklch(55% 0.15 250)").color;
    EXPECT_EQ(
        colorsFor({"--raster", "perceptual", "--lightness", "65", "--base", "oklch(55% 0.15 250)"}),
        (palette::SchemeColors{mapped(227.5), valueOf(core::rgb8Of(typed)), mapped(272.5)}));
    // without a base the lightness asked for holds, here at a pointer position
    EXPECT_EQ(colorsFor({"--raster=perceptual", "--lightness=40", "--at=200,60"})[1],
              valueOf(core::perceptualColorAt(200, 60, 0.4)));
    // a complementary scheme has two colours, the others three
    EXPECT_EQ(colorsFor({"--rule=complementary"}).size(), 2u);
    EXPECT_EQ(colorsFor({"--rule=monochromatic"}).size(), 3u);

    // a place that takes no file exits 1 naming it and the reason (the file writer keeps what
    // a target held)
    const std::string missing = dir.filePath("missing/a.css").toStdString();
    const Outcome failed = run({"--export", missing});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("'" + missing + "': No such file"), std::string::npos) << failed.err;
}

// --ramps and --dark reach the file in every format. The formats of colours alone gain the steps
// and then the twins as named entries after the colours; the others hold the ramps anyway, and
// the ramps file the twins too.
TEST(CommandLine, RampsAndDarkAddNamedEntriesToTheFormatsOfColoursAlone) {
    QTemporaryDir dir;
    const std::vector<std::string> scheme = {"--rule=triad", "--at=60,200"};
    const designsystem::DesignSystem system = systemOf(colorsFor(scheme));
    const auto entry = [](Format format, const std::string& name, core::ColorRGB c) {
        char gimp[16];
        std::snprintf(gimp, sizeof gimp, "%3d %3d %3d\t", c.r, c.g, c.b);
        std::string ase = {'\0'};
        for (char ch : name + '\0')
            ase += std::string(1, ch) + '\0';
        return format == Format::GimpPalette ? gimp + name + "\n"
               : format == Format::Scss      ? "$" + name + ": " + core::hexText(c) + ";\n"
               : format == Format::AdobeSwatchExchange
                   ? ase.substr(0, ase.size() - 1) + "RGB "
                   : "  --" + name + ": " + core::hexText(c) + ";\n";
    };
    for (Format format : palette::kFormats) {
        const std::string file = dir.filePath("s").toStdString() + std::string(extension(format));
        const auto written = [&](const std::vector<std::string>& flags) {
            std::vector<std::string> args = {"--export", file};
            args.insert(args.end(), scheme.begin(), scheme.end());
            args.insert(args.end(), flags.begin(), flags.end());
            EXPECT_EQ(run(args).status, 0);
            return readAll(QString::fromStdString(file)).toStdString();
        };
        const std::string plain = written({}), ramps = written({"--ramps"}),
                          dark = written({"--dark"}), both = written({"--dark", "--ramps"});
        const std::vector<uint8_t> bytes = palette::fileBytes(format, colorsFor(scheme));
        EXPECT_EQ(plain, std::string(bytes.begin(), bytes.end()));
        if (format == Format::DesignTokens || format == Format::TailwindTheme ||
            format == Format::CssRamps) {
            EXPECT_TRUE(ramps == plain && both == dark) << file;
            EXPECT_EQ(dark == plain, format == Format::CssRamps) << file;
            continue;
        }
        size_t last = 0;
        for (const auto& [name, color] : rampSteps(system)) {
            const std::string shown = entry(format, name, color);
            EXPECT_EQ(plain.find(shown.substr(0, shown.size() - 1)), std::string::npos);
            EXPECT_NE(ramps.find(shown), std::string::npos) << file << " " << name;
            EXPECT_GT(both.find(shown), last) << file << " " << name;
            last = both.find(shown);
        }
        for (size_t i = 0; i < system.twins.size(); ++i) {
            const std::string shown =
                entry(format, palette::colorName(i) + "-dark", system.twins[i].color);
            EXPECT_TRUE(ramps.find(shown) == std::string::npos &&
                        dark.find(shown) != std::string::npos)
                << file << " " << shown;
            EXPECT_GT(both.find(shown), last) << file << " " << shown;
        }
    }
}

// Mistyped options, stray words and a missing display are refused in one line before any
// window is made; a write that fails by a size limit or a reader that has gone (signals at
// their defaults, as a shell leaves them) exits 1 with the reason instead of by the signal.
TEST(Program, RefusesWhatItCannotDoInOneLineWhateverTheSignals) {
    QTemporaryDir dir;
    const std::string big = dir.filePath("big.css").toStdString();
    const std::string gone = dir.filePath("gone.css").toStdString();
    ASSERT_EQ(::symlink("/dev/stdout", gone.c_str()), 0);
    const struct {
        std::vector<std::string> args;
        rlim_t limit;
        int status;
        std::string says;
    } cases[] = {
        {{"--exprot", "x.css"}, RLIM_INFINITY, 2, "unknown option '--exprot'"},
        {{"--help=1"}, RLIM_INFINITY, 2, "unknown option '--help=1'"},
        {{"-reverse", "x.css"}, RLIM_INFINITY, 2, "unexpected argument 'x.css'"},
        {{}, RLIM_INFINITY, 1, "no display"},
        {{"--export", big}, 10, 1, "'" + big + "': File too large"},
        {{"--export", gone}, RLIM_INFINITY, 1, "'" + gone + "': Broken pipe"},
        {{"--help"}, RLIM_INFINITY, 1, "cannot write the help text"},
    };
    for (const auto& c : cases) {
        const Ran r = runProgram(c.args, c.limit);
        EXPECT_EQ(r.status, c.status) << c.says;
        EXPECT_EQ(r.err.rfind("chromalune: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(big)));
}

// What the window takes: the toolkit's own options with their values, nothing else.
TEST(CommandLine, TheWindowTakesTheToolkitsOptionsOnly) {
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{}, true},
        {{"-platform", "xcb", "-style", "Fusion", "-reverse", "--style=Fusion"}, true},
        {{"-geometry", "300x200+0+0", "-display", ":1", "-qwindowgeometry", "1x1"}, true},
        {{"-stylesheet", "a.qss", "--platformtheme", "gtk3", "-qmljsdebugger=port:1"}, true},
        {{"-platform"}, false},
        {{"-reverse=1"}, false},
        {{"-qmljsdebugger"}, false},
        {{"--exprot", "x.css"}, false},
        {{"x.css"}, false},
        {{"-"}, false},
    };
    for (const auto& [args, taken] : cases)
        EXPECT_EQ(palette::windowArgumentsError(args).empty(), taken)
            << (args.empty() ? std::string() : args.front());
    const auto env = [](const char* set) {
        return
            [set](const char* name) { return std::string(name == std::string(set) ? ":0" : ""); };
    };
    EXPECT_TRUE(palette::displayNamed({}, env("WAYLAND_DISPLAY")));
    EXPECT_TRUE(palette::displayNamed({"-platform", "offscreen"}, env("HOME")));
    EXPECT_FALSE(palette::displayNamed({}, env("HOME")));
}
