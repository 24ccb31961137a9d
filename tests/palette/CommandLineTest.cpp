#include "palette/CommandLine.h"

#include "core/Wheel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

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

std::string readAll(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<unreadable>";
}

void writePlain(const std::string& path, const std::string& text) {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

palette::SchemeColors colorsFor(std::vector<std::string> args) {
    args.insert(args.begin(), {"--export", "x.css"});
    const palette::ParsedArguments p = palette::parseArguments(args);
    EXPECT_TRUE(p.request) << p.error;
    const palette::SchemeResult s = palette::schemeColors(*p.request);
    EXPECT_TRUE(s.colors) << s.error;
    return s.colors.value_or(palette::SchemeColors{});
}

} // namespace

TEST(CommandLine, BadArgumentsExitTwoWithOneLineNamingThem) {
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("out.css")).toStdString();
    const struct {
        std::vector<std::string> args;
        std::string named;
    } cases[] = {
        {{"--export", file, "--rule", "foo"}, "unknown rule 'foo' (--rule)"},
        {{"--export", file, "--raster", "huge"}, "(--raster)"},
        {{"--export", file, "--base", "#12345"}, "(--base)"},
        {{"--export", file, "--base", "#12345G"}, "(--base)"},
        {{"--export", file, "--at", "10"}, "(--at)"},
        {{"--export", file, "--at", "1,x"}, "(--at)"},
        {{"--export", file, "--at", "inf,3"}, "(--at)"},
        {{"--export", file, "--at", "300,10"}, "outside the wheel"},
        {{"--export", file, "--at", "259.6,0"}, "(--at)"},
        {{"--export", file, "--at", "-1,5"}, "(--at)"},
        {{"--export", file, "--base", "#FF0000", "--at", "5,5"}, "(--at)"},
        {{"--export", file, "--rule"}, "missing value (--rule)"},
        {{"--export", file, "--base"}, "missing value (--base); quote the #"},
        {{"--export", "--rule", "triad"}, "missing value (--export)"},
        {{"--rule", "triad"}, "(--export)"},
        {{"--export", file, "--rule", "triad", "--rule=triad"}, "given twice (--rule)"},
        {{"--export", file, "--colour", "red"}, "unknown argument '--colour'"},
        {{"--export", file, "extra"}, "unknown argument 'extra'"},
        {{"--export", dir.filePath(QStringLiteral("out.json")).toStdString()},
         ".css, .scss, .tokens.json, .gpl or .ase"},
        {{"--export="}, "empty file name (--export)"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.named;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(r.err.rfind("chromalune: ", 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    const Outcome help = run({"--export", "x.txt", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--export FILE"), std::string::npos);
    EXPECT_NE(help.out.find("split-complementary"), std::string::npos);
    EXPECT_TRUE(help.err.empty());
}

TEST(CommandLine, WritesTheSchemeOfTheGivenRuleRasterAndPosition) {
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("s.SCSS")).toStdString();
    const Outcome r =
        run({"--export=" + file, "--rule", "Triad", "--at", "250,130.4", "--raster", "default"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty() && r.out.empty());
    const palette::SchemeColors c =
        colorsFor({"--rule=triad", "--at=250,130.4", "--raster=default"});
    EXPECT_EQ(readAll(file), palette::scssText(c));
    // the rule and the raster change what is written; left out, the window's start ones
    EXPECT_NE(c, colorsFor({"--at=250,130.4", "--raster=default"}));
    EXPECT_NE(c, colorsFor({"--rule=triad", "--at=250,130.4"}));
    EXPECT_EQ(colorsFor({"--at=250,130"}), colorsFor({"--at=250,130", "--rule=analogous"}));
    // complementary leaves the third swatch as the window starts it, in the caption text colour
    EXPECT_EQ(colorsFor({"--rule=complementary", "--at=250,130"})[2], core::kWhite);
}

TEST(CommandLine, BaseColourLandsOnItsFirstPixelOrTheNearestOne) {
    const core::Raster start = core::makeStartRaster(core::GenerateWheel());
    const core::Color onWheel = start.at(200, 90);
    int fx = -1, fy = -1;
    for (int y = 0; y < start.height() && fx < 0; ++y)
        for (int x = 0; x < start.width() && fx < 0; ++x)
            if (start.at(x, y) == onWheel)
                fx = x, fy = y;
    const palette::SchemeColors c = colorsFor({"--base", core::HtmlCode(onWheel), "--rule=triad"});
    EXPECT_EQ(c[1], onWheel);
    EXPECT_EQ(c,
              colorsFor({"--at", std::to_string(fx) + "," + std::to_string(fy), "--rule=triad"}));

    // the start raster never holds a component 0xFE: white is the only colour one step away
    const core::Color offWheel = core::rgbValue(255, 255, 254);
    EXPECT_EQ(std::count(start.pixels().begin(), start.pixels().end(), offWheel), 0);
    EXPECT_EQ(colorsFor({"--base", "FFFFFE"})[1], core::kWhite);
    // on the web-safe raster a near-black lands on the black dividing lines
    EXPECT_EQ(colorsFor({"--base", "#0A0505", "--raster", "websafe"})[1], 0);
    // with no position the base is the wheel's pixel nearest to pure red
    EXPECT_EQ(colorsFor({}), colorsFor({"--base", "#ff0000"}));
}

TEST(CommandLine, FailedExportKeepsTheEarlierFileAndExitsOne) {
    QTemporaryDir dir;
    const std::string earlier = dir.filePath(QStringLiteral("earlier.gpl")).toStdString();
    writePlain(earlier, "keep");
    const std::string locked = dir.filePath(QStringLiteral("locked.ase")).toStdString();
    writePlain(locked, "keep");
    QFile::setPermissions(QString::fromStdString(locked), QFile::ReadOwner);
    struct Case {
        std::string file, reason;
    };
    std::vector<Case> cases = {
        {dir.filePath(QStringLiteral("missing/a.css")).toStdString(), "No such file"},
        {dir.filePath(QStringLiteral("earlier.gpl/a.css")).toStdString(), "Not a directory"},
        {"/proc/chromalune.css", ""}, // the reason depends on who asks
        {locked, "read-only"},
    };
    for (const Case& c : cases) {
        const Outcome r = run({"--export", c.file});
        EXPECT_EQ(r.status, 1) << c.file;
        EXPECT_NE(r.err.find("'" + c.file + "': "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
    }
    EXPECT_EQ(readAll(locked), "keep");

    // a disk that refuses the write half-way leaves the earlier file as it was
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Outcome full = run({"--export", earlier});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(readAll(earlier), "keep");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    // and once it may, the export replaces it
    EXPECT_EQ(run({"--export", earlier}).status, 0);
    EXPECT_EQ(readAll(earlier).rfind("GIMP Palette\nName: ChromaLune\n", 0), 0u);
}
