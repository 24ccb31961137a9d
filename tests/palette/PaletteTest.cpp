#include "palette/CommandLine.h"
#include "support/TestFiles.h"

#include "core/Wheel.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>

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
        {"s.ase", Format::AdobeSwatchExchange, "scheme.ase"}};
    for (const auto& [fileName, format, expected] : cases) {
        EXPECT_EQ(palette::formatForFileName(fileName), format) << fileName;
        const std::vector<uint8_t> bytes = palette::fileBytes(format, scheme);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
                  readAll(QStringLiteral(CHROMALUNE_PALETTE_EXPECTED "/") + expected).toStdString())
            << fileName;
    }
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
        {{"--export", file, "--at", "inf,3"}, "bad position 'inf,3' (--at)"},
        {{"--export", file, "--at", "259.6,0"}, "outside the wheel (--at)"},
        {{"--export", file, "--base", "#FF0000", "--at", "5,5"}, "not both (--at)"},
        {{"--export", file, "--base"}, "missing value (--base); quote the #"},
        {{"--rule", "triad"}, "no file to write (--export)"},
        {{"--export", file, "--rule", "triad", "--rule=triad"}, "given twice (--rule)"},
        {{"--export", file, "extra"}, "unknown argument 'extra'"},
        {{"--export", "a.json"}, "(--export); use .css, .scss, .tokens.json, .gpl or .ase"},
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

    // a place that takes no file exits 1 naming it and the reason (the file writer keeps what
    // a target held)
    const std::string missing = dir.filePath("missing/a.css").toStdString();
    const Outcome failed = run({"--export", missing});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("'" + missing + "': No such file"), std::string::npos) << failed.err;
}
