#include "app/CommandLine.h"
#include "document/SchemeDocument.h"
#include "formats/Ase.h"
#include "formats/Css.h"
#include "formats/Gpl.h"
#include "formats/StarterPage.h"
#include "formats/Tailwind.h"
#include "formats/Tokens.h"
#include "scheme/SchemeModel.h"
#include "support/TestFiles.h"

#include "core/CssColor.h"
#include "core/PerceptualWheel.h"
#include "core/Wheel.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using formats::Format;

namespace {

struct Outcome {
    int status; ///< the exit status, or 128 + the signal that ended the program
    std::string out, err;
};

Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = app::runCommandLine(args, out, err);
    return {status, out.str(), err.str()};
}

/// Expects a refusal with status in one line that names says, and nothing on the output.
void expectRefused(const Outcome& r, int status, const std::string& says) {
    EXPECT_EQ(r.status, status) << says;
    EXPECT_EQ(r.err.rfind("chromalune: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty() && std::count(r.err.begin(), r.err.end(), '\n') == 1) << r.err;
}

app::SchemeResult schemeFor(std::vector<std::string> args) {
    args.insert(args.begin(), {"--export", "x.css"});
    const app::ParsedArguments p = app::parseArguments(args);
    app::SchemeResult s = app::schemeColors(p.request.value());
    EXPECT_TRUE(s.colors) << s.error;
    return s;
}

formats::SchemeColors colorsFor(const std::vector<std::string>& args) {
    return schemeFor(args).colors.value_or(formats::SchemeColors{});
}

/// A copy of the program, with the files it reads beside it, in a folder anyone may enter:
/// the test, run as root, starts the program as user nobody, who may not enter the checkout
/// when it lies in a private folder. Empty when the copy cannot be made.
const QString& programForNobody() {
    static QTemporaryDir dir;
    static const QString kCopy = [] {
        const auto copied = [](const QString& from, const QString& to, mode_t mode) {
            return QFile::copy(from, to) && ::chmod(QFile::encodeName(to).constData(), mode) == 0;
        };
        const QFileInfo program(QStringLiteral(CHROMALUNE_PROGRAM));
        QString to = dir.filePath(program.fileName());
        if (!dir.isValid() || ::chmod(QFile::encodeName(dir.path()).constData(), 0755) != 0 ||
            !copied(program.filePath(), to, 0755))
            return QString();
        for (const QFileInfo& file :
             QDir(program.path()).entryInfoList({"*.txt", "*.html"}, QDir::Files)) {
            if (!copied(file.filePath(), dir.filePath(file.fileName()), 0644))
                return QString();
        }
        return to;
    }();
    return kCopy;
}

/// Runs the program as a shell leaves it (every signal at its default, none blocked) with no
/// display named, files limited to limit bytes, and a standard output whose reader has gone;
/// asUser runs it as user nobody (programForNobody) when the test runs as root.
Outcome runProgram(const std::vector<std::string>& args, rlim_t limit = RLIM_INFINITY,
                   bool asUser = false) {
    asUser = asUser && ::geteuid() == 0;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(var);
    program.setProcessEnvironment(env);
    program.setChildProcessModifier([limit, asUser] {
        constexpr uid_t kNobody = 65534;
        if (asUser && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(99);
        for (int sig = 1; sig < NSIG; ++sig)
            std::signal(sig, SIG_DFL);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        const rlimit small{limit, limit};
        setrlimit(RLIMIT_FSIZE, &small);
        int out[2];
        if (::pipe(out) == 0 && ::close(out[0]) == 0)
            ::dup2(out[1], 1);
    });
    QStringList list;
    for (const std::string& a : args)
        list << QString::fromStdString(a);
    program.start(asUser ? programForNobody() : QStringLiteral(CHROMALUNE_PROGRAM), list);
    program.waitForFinished(-1);
    return {program.exitCode() + (program.exitStatus() == QProcess::CrashExit ? 128 : 0),
            {},
            program.readAllStandardError().toStdString()};
}

/// Three with a black (its ramp pinned at 950), a perceptual complementary pair, a triad.
std::vector<formats::SchemeColors> someSchemes() {
    return {{core::rgbValue(255, 128, 0), core::rgbValue(18, 52, 86), core::rgbValue(0, 0, 0)},
            colorsFor({"--rule=complementary", "--raster=perceptual", "--base=#2a7f62"}),
            colorsFor({"--rule=triad", "--at=60,200"})};
}

/// An entry of a file: its name and colour, and the colour light-dark() pairs it with.
struct Entry {
    std::string name;
    core::ColorRGB color, dark;
};

std::vector<Entry> operator+(std::vector<Entry> a, const std::vector<Entry>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

/// The scheme's colours paired with their twins, the steps "color-1-50" .. "neutral-950" each
/// paired with the mirrored step of its ramp, and the twins "color-1-dark" ...
std::array<std::vector<Entry>, 3> entriesOf(const formats::SchemeColors& scheme) {
    const colorscience::DesignSystem system = formats::designSystemOf(scheme);
    std::array<std::vector<Entry>, 3> e;
    for (size_t i = 0; i < scheme.size(); ++i) {
        e[0].push_back({formats::colorName(i), core::splitColor(scheme[i]), system.twins[i].color});
        e[2].push_back({formats::colorName(i) + "-dark", system.twins[i].color, {}});
    }
    for (size_t r = 0; r < system.ramps.size(); ++r) {
        const auto& s = system.ramps[r].steps;
        for (size_t k = 0; k < s.size(); ++k)
            e[1].push_back({(r < scheme.size() ? "color-" + std::to_string(r + 1) : "neutral") +
                                "-" + std::to_string(s[k].step),
                            s[k].color, s[s.size() - 1 - k].color});
    }
    return e;
}

/// The "name: value" declarations, in order, of CSS made of comments and one block opened by
/// head; a failure when it has any other shape.
std::vector<std::pair<std::string, std::string>> blockDeclarations(const std::string& css,
                                                                   const QString& head) {
    const QString text = QString::fromStdString(css).remove(
        QRegularExpression(R"(/\*.*?\*/)", QRegularExpression::DotMatchesEverythingOption));
    const QRegularExpressionMatch block =
        QRegularExpression(R"(^\s*)" + head + R"(\s*\{((\s*[-\w]+:[^;{}]+;)*)\s*\}\s*$)")
            .match(text);
    EXPECT_TRUE(block.hasMatch()) << css;
    std::vector<std::pair<std::string, std::string>> found;
    for (auto it = QRegularExpression(R"(([-\w]+):\s*([^;]+);)").globalMatch(block.captured(1));
         it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        found.emplace_back(m.captured(1).toStdString(), m.captured(2).trimmed().toStdString());
    }
    return found;
}

/// A scheme's file without its roles, which the role export tests check: the colours' part.
formats::FilePalette withoutRoles(formats::FilePalette file) {
    file.roles.clear();
    return file;
}

/// Largest difference of a channel between the 8-bit colour a CSS colour text reads back as
/// and want; 256 when it does not read.
int offBy(const std::string& value, core::ColorRGB want) {
    const core::CssParseResult css = core::parseCssColor(value);
    const core::ColorRGB c = css.color ? core::rgb8Of(*css.color) : core::ColorRGB{};
    return css.color
               ? std::max({std::abs(c.r - want.r), std::abs(c.g - want.g), std::abs(c.b - want.b)})
               : 256;
}

} // namespace

// The files in expected/ were checked by hand and read by other programs' readers.
TEST(PaletteFormats, EveryFormatMatchesItsCheckedFileAndFollowsTheExtension) {
    const formats::SchemeColors scheme = {core::rgbValue(255, 128, 0), core::rgbValue(18, 52, 86),
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
    // exact colours inside sRGB change no byte: their 8-bit colours hold them
    formats::ExportOptions exact;
    for (const core::Color c : scheme)
        exact.exact.emplace_back(core::toOklch(core::oklabOf(core::splitColor(c))));
    for (const auto& [fileName, format, expected] : cases) {
        EXPECT_EQ(formats::formatForFileName(fileName), format) << fileName;
        const std::string want =
            readAll(QStringLiteral(CHROMALUNE_PALETTE_EXPECTED "/") + expected).toStdString();
        for (const formats::ExportOptions& options : {formats::ExportOptions{}, exact}) {
            const std::vector<uint8_t> bytes = formats::fileBytes(format, scheme, options);
            EXPECT_EQ(std::string(bytes.begin(), bytes.end()), want) << fileName;
        }
    }
}

// A colour beyond sRGB adds its display-p3 value: the CSS files in an @media rule at their end,
// the tokens under "$extensions", the SCSS after its variable. Its ramp is made once, from the
// exact colour: each step beyond sRGB is written both ways, and its plain value is its display-p3
// value as an sRGB screen shows it. Colours inside sRGB or without an exact one add nothing.
TEST(PaletteFormats, ColoursBeyondSrgbAddTheirDisplayP3ValueForWideScreens) {
    const core::Oklch p3Red =
        core::toOklch(core::oklabOf(core::linearP3Of(core::DisplayP3{1, 0, 0})));
    const core::ColorRGB red = core::mapToRgb8(p3Red);
    formats::ExportOptions redOptions{true, true};
    redOptions.exact = {p3Red, core::toOklch(core::oklabOf(core::ColorRGB{18, 52, 86})),
                        std::nullopt};
    // a scheme whose colours 1 and 3 lie beyond display-p3 as well
    const app::SchemeResult beyond = schemeFor(
        {"--raster=perceptual", "--lightness=58", "--rule=split-complementary", "--at=192,113"});
    formats::ExportOptions beyondOptions{true, true};
    beyondOptions.exact = beyond.exact;
    const std::pair<formats::SchemeColors, formats::ExportOptions> schemes[] = {
        {{core::rgbValue(red.r, red.g, red.b), core::rgbValue(18, 52, 86), 0}, redOptions},
        {*beyond.colors, beyondOptions}};
    for (const auto& [scheme, options] : schemes) {
        const colorscience::DesignSystem system = formats::designSystemOf(scheme, options.exact);
        const colorscience::DesignSystem classic = formats::designSystemOf(scheme);
        // the wide lines the files must hold: the colours', then the steps'
        std::vector<std::pair<std::string, std::string>> wide;
        for (size_t i = 0; i < scheme.size(); ++i) {
            if (const std::string p3 = formats::wideGamutText(options.exact.at(i)); !p3.empty())
                wide.emplace_back(formats::colorName(i), p3);
        }
        const size_t colourLines = wide.size();
        for (size_t r = 0; r < system.ramps.size(); ++r) {
            for (size_t s = 0; s < colorscience::kRampSize; ++s) {
                const colorscience::RampStep& step = system.ramps[r].steps[s];
                if (step.exact)
                    wide.emplace_back(colorscience::rampName(r, scheme.size()) + "-" +
                                          std::to_string(step.step),
                                      formats::wideGamutText(step.exact));
                // a ramp of a colour inside sRGB is the one made before
                if (r >= scheme.size() || formats::wideGamutText(options.exact[r]).empty()) {
                    EXPECT_TRUE(!step.exact && step.color == classic.ramps[r].steps[s].color);
                }
            }
        }
        ASSERT_GT(wide.size(), colourLines + 2);
        const auto checkFile = [&](const std::string& text, const QString& head,
                                   const std::string& prefix, bool colours, bool lightDark) {
            const size_t media = text.find("@media (color-gamut: p3) {");
            ASSERT_NE(media, std::string::npos) << text;
            const auto plain = blockDeclarations(text.substr(0, media), head);
            const auto p3 =
                blockDeclarations(text.substr(media + 26, text.size() - media - 28), ":root");
            const auto lightOf = [lightDark](const std::string& v) {
                return lightDark ? v.substr(11, v.find(", ") - 11) : v;
            };
            // the ramps file pairs a step with its mirror: either side may bring the line
            std::vector<std::pair<std::string, std::string>> found;
            for (const auto& [name, value] : p3) {
                if (lightOf(value).rfind("color(", 0) == 0)
                    found.emplace_back(name, lightOf(value));
            }
            ASSERT_EQ(found.size(), wide.size() - (colours ? 0 : colourLines)) << text;
            for (size_t k = 0; k < found.size(); ++k) {
                const auto& [name, value] = wide[k + (colours ? 0 : colourLines)];
                EXPECT_EQ(found[k].first, prefix + name);
                EXPECT_EQ(found[k].second, value);
                if (colours && k < colourLines)
                    continue;
                // the step's plain value is what its display-p3 value shows on an sRGB screen
                const auto it = std::find_if(plain.begin(), plain.end(), [&](const auto& d) {
                    return d.first == found[k].first;
                });
                ASSERT_NE(it, plain.end()) << found[k].first;
                const core::ColorRGB shown = core::rgb8Of(*core::parseCssColor(value).color);
                const std::string written = lightOf(it->second);
                EXPECT_TRUE(written.rfind("oklch(", 0) == 0 ? written == core::oklchText(shown)
                                                            : offBy(written, shown) == 0)
                    << found[k].first << ": " << it->second << " against " << value;
            }
        };
        checkFile(formats::cssText(formats::schemeEntries(scheme, options)), ":root", "--", true,
                  false);
        checkFile(formats::oklchCssText(formats::schemeEntries(scheme, options)), ":root", "--",
                  true, false);
        checkFile(formats::tailwindThemeText(withoutRoles(formats::schemeTheme(scheme, options))),
                  "@theme", "--color-", false, false);
        checkFile(formats::cssRampsText(withoutRoles(formats::schemeRamps(scheme, options))),
                  ":root", "--", true, true);

        const std::string tokens = formats::designTokensText(scheme, options);
        const QJsonObject root =
            QJsonDocument::fromJson(QByteArray::fromStdString(tokens)).object();
        const auto p3Of = [](const QJsonValue& token) {
            return token["$extensions"][QString::fromLatin1(formats::kTokenExtensionKey)]
                        ["display-p3"]
                            .toString()
                            .toStdString();
        };
        for (size_t i = 0; i < scheme.size(); ++i)
            EXPECT_EQ(p3Of(root[QString::fromStdString(formats::colorName(i))]),
                      formats::wideGamutText(options.exact[i]));
        for (size_t s = 0; s < colorscience::kRampSize; ++s) {
            const colorscience::RampStep& step = system.ramps[0].steps[s];
            const QJsonValue token = root["ramp"]["color-1"][QString::number(step.step)];
            EXPECT_EQ(p3Of(token), formats::wideGamutText(step.exact));
            EXPECT_EQ(token["$value"]["hex"].toString().toUpper().toStdString(),
                      core::hexText(step.color));
        }
        const std::string scss = formats::scssText(scheme, options);
        EXPECT_NE(scss.find("$color-1: " + core::hexText(core::splitColor(scheme[0])) + "; // " +
                            wide.front().second + "\n"),
                  std::string::npos)
            << scss;
    }
    // display-p3 red is its own pinned step, exactly
    EXPECT_EQ(formats::cssText(schemes[0].first, redOptions)
                      .find("    --color-1-500: color(display-p3 1 0 0);\n") != std::string::npos,
              true);
}

// Two colours (a complementary scheme) give two entries in every format, and nothing else
// changes: the first two of the three colours' file, with the count where a format has one.
TEST(PaletteFormats, TwoColorsGiveTwoEntries) {
    const formats::SchemeColors two = {core::rgbValue(255, 128, 0), core::rgbValue(18, 52, 86)};
    for (Format format : formats::kFormats) {
        const std::vector<uint8_t> bytes = formats::fileBytes(format, two);
        const std::string text(bytes.begin(), bytes.end());
        const std::string name2 = format == Format::AdobeSwatchExchange ? std::string("\0-\0002", 4)
                                                                        : formats::colorName(1);
        EXPECT_NE(text.find(name2), std::string::npos) << text;
        EXPECT_EQ(text.find(name2.substr(0, name2.size() - 1) + '3'), std::string::npos) << text;
    }
    EXPECT_EQ(formats::aseBytes(two).at(11), 2); // the entry count
    EXPECT_NE(formats::gimpPaletteText(two, "x").find("Columns: 2\n"), std::string::npos);
}

// Tokens show each level as exactly level / 255 and the ASE file as the float nearest it, so
// any reader's scale-and-round gives every level back. The ASE layout is the checked file's for
// any colours, and a colour's flag bit is not written.
TEST(PaletteFormats, TokensAndAseGiveEveryLevelBack) {
    for (int level = 0; level < 256; ++level) {
        ASSERT_EQ(std::strtod(formats::tokenComponent(level).c_str(), nullptr), level / 255.0)
            << formats::tokenComponent(level);
        const std::vector<uint8_t> b =
            formats::aseBytes({core::rgbValue(0, 0, level) | INT32_MIN, 0, 0});
        // the first colour's blue: after the header, the entry's type, length, name, "RGB ",
        // red and green
        const uint32_t bits = uint32_t(b.at(48)) << 24 | b.at(49) << 16 | b.at(50) << 8 | b.at(51);
        float v = 0;
        std::memcpy(&v, &bits, sizeof v);
        ASSERT_EQ(std::lround(v * 255.0f), level) << v;
    }
}

// Tailwind takes comments and one @theme block, CSS one :root rule. Each file holds its entries
// by name in order, each value reading back as the entry's 8-bit colour (oklch() within 1 per
// channel, hex exactly); light-dark() pairs a colour with its twin, a step with its mirror.
TEST(PaletteFormats, CssLikeFilesHoldEveryEntryByNameWithItsColour) {
    for (const formats::SchemeColors& scheme : someSchemes()) {
        const auto [colors, steps, twins] = entriesOf(scheme);
        const struct {
            std::string text;
            QString head;
            std::string prefix, start;
            std::vector<Entry> wanted;
        } cases[] = {
            {formats::tailwindThemeText(withoutRoles(formats::schemeTheme(scheme, {}))), "@theme",
             "--color-", "oklch(", steps},
            {formats::tailwindThemeText(withoutRoles(formats::schemeTheme(scheme, {true, true}))),
             "@theme", "--color-", "oklch(", steps + twins},
            {formats::cssText(formats::schemeEntries(scheme, {true, true})), ":root", "--", "#",
             colors + steps + twins},
            {formats::cssRampsText(withoutRoles(formats::schemeRamps(scheme, {}))), ":root", "--",
             "light-dark(#", colors + steps},
        };
        for (const auto& c : cases) {
            auto found = blockDeclarations(c.text, c.head);
            const bool lightDark = c.start == "light-dark(#";
            if (lightDark && !found.empty() && found.front().first == "color-scheme") {
                EXPECT_EQ(found.front().second, "light dark");
                found.erase(found.begin());
            }
            ASSERT_EQ(found.size(), c.wanted.size()) << c.text;
            for (size_t k = 0; k < found.size(); ++k) {
                const auto& [name, value] = found[k];
                const size_t comma = value.find(", ");
                EXPECT_EQ(name, c.prefix + c.wanted[k].name);
                EXPECT_EQ(value.rfind(c.start, 0), 0u) << value;
                const std::string light = lightDark ? value.substr(11, comma - 11) : value;
                EXPECT_LE(offBy(light, c.wanted[k].color), c.start == "oklch(" ? 1 : 0) << value;
                EXPECT_TRUE(!lightDark || (value.back() == ')' && offBy(value.substr(comma + 2, 7),
                                                                        c.wanted[k].dark) == 0))
                    << name << ": " << value;
            }
        }
    }
}

// The tokens hold the colours as top-level tokens, the ramps as groups ramp.<ramp>.<step> and,
// asked for, the twins as dark.<colour>; every value reads back exactly. A reader of the files
// written before the ramps finds each colour where it was, the token color-N (so a build tool
// still names it --color-N), beside no other top-level name but "ramp" and "dark".
TEST(PaletteFormats, TokensHoldTheRampsAsGroupsAndTheTwinsWhenAskedFor) {
    for (const formats::SchemeColors& scheme : someSchemes()) {
        const auto [colors, steps, twins] = entriesOf(scheme);
        std::vector<std::pair<QString, core::ColorRGB>> wanted;
        for (size_t i = 0; i < scheme.size(); ++i) {
            wanted.emplace_back(QString::fromStdString(colors[i].name), colors[i].color);
            wanted.emplace_back("dark." + QString::fromStdString(colors[i].name), colors[i].dark);
        }
        for (const Entry& s : steps)
            wanted.emplace_back("ramp." + QString::fromStdString(s.name).replace(
                                              QRegularExpression("-(\\d+)$"), ".\\1"),
                                s.color);
        QJsonParseError error{};
        const QJsonObject root =
            QJsonDocument::fromJson(
                QByteArray::fromStdString(formats::designTokensText(scheme, {false, true})), &error)
                .object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        QStringList names{"dark", "ramp", "roles"};
        for (size_t i = 0; i < scheme.size(); ++i)
            names << QString::fromStdString(colors[i].name);
        names.sort();
        EXPECT_EQ(root.keys(), names);
        EXPECT_FALSE(QJsonDocument::fromJson(
                         QByteArray::fromStdString(formats::designTokensText(scheme, {})))
                         .object()
                         .contains("dark"));
        EXPECT_EQ(root["ramp"].toObject().size(), qsizetype(scheme.size()) + 2); // + "$description"
        EXPECT_EQ(root["ramp"]["neutral"].toObject().size(), 11);
        for (const auto& [path, want] : wanted) {
            QJsonValue token = root;
            for (const QString& key : path.split('.'))
                token = token[key];
            const QJsonArray parts = token["$value"]["components"].toArray();
            EXPECT_TRUE(token["$type"] == "color" &&
                        token["$value"]["hex"] ==
                            QString::asprintf("#%02x%02x%02x", want.r, want.g, want.b) &&
                        parts.size() == 3 && std::lround(parts[0].toDouble() * 255) == want.r &&
                        std::lround(parts[1].toDouble() * 255) == want.g &&
                        std::lround(parts[2].toDouble() * 255) == want.b)
                << path.toStdString();
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
        // the wheel the window starts with is no choice
        {{"--export", file, "--raster", "Start"},
         "unknown raster 'Start' (--raster); use default, websafe or perceptual"},
        {{"--export", file, "--base", "#12345G"}, "bad color '#12345G' (--base)"},
        {{"--export", file, "--base", "#F0"}, "bad color '#F0' (--base)"},
        {{"--export", file, "--base", "oklch(55% 0.15)"}, "bad color 'oklch(55% 0.15)' (--base)"},
        {{"--export", file, "--raster=perceptual", "--lightness", "100.1"},
         "bad lightness '100.1' (--lightness)"},
        {{"--export", file, "--raster=perceptual", "--lightness", "50%"}, "(--lightness)"},
        {{"--export", file, "--lightness", "50"}, "needs the perceptual wheel (--lightness)"},
        {{"--export", dir.filePath("b").toStdString() + "\xE9.css"}, "not valid UTF-8 (--export)"},
        {{"--export", file, "--at", "inf,3"}, "bad position 'inf,3' (--at)"},
        {{"--export", file, "--at", ",3"}, "bad position ',3' (--at)"},
        {{"--export", file, "--at", "259.6,0"}, "outside the wheel (--at)"},
        {{"--export", file, "--base", "#FF0000", "--at", "5,5"}, "not both (--at)"},
        {{"--export", file, "--base"}, "missing value (--base); quote the #"},
        {{"--export", "--rule=triad"}, "missing value (--export)"},
        {{"--rule", "triad"}, "no file to write (--export)"},
        {{"--export", file, "--rule", "triad", "--rule=triad"}, "given twice (--rule)"},
        {{"--export", file, "extra"}, "unknown argument 'extra'"},
        {{"--export", "a.json"},
         "(--export); use .css, .scss, .tokens.json, .gpl, .ase, .oklch.css, .tailwind.css or "
         ".ramps.css"},
        {{"--export", file, "--ramps=yes"}, "takes no value (--ramps)"},
        {{"--export", file, "--dark", "--ramps", "--dark"}, "given twice (--dark)"},
        {{"--export="}, "empty file name (--export)"},
        {{"--export", file, "--rule", "--at", "1,1"}, "missing value (--rule)"},
        {{"--export", file, "-rule", "triad", "--rule=triad"}, "given twice (--rule)"},
        {{"--export", file, "--bogus=1"}, "unknown argument '--bogus=1'"},
        {{"--export", file, "--", "--ramps"}, "unknown argument '--ramps'"},
        {{"--export", file, "--scale", "2"}, "a scale is for a PNG sheet (--scale)"},
        {{"--export", dir.filePath("s.svg").toStdString(), "--scale=1"}, "PNG sheet (--scale)"},
        {{"--export", dir.filePath("s.png").toStdString(), "--scale", "3"},
         "bad scale '3' (--scale); use 1 or 2"},
        {{"--export", dir.filePath("s.pdf").toStdString(), "--dark"}, "no dark twins (--dark)"},
        {{"--export", dir.filePath("p.html").toStdString(), "--ramps"}, "no ramps (--ramps)"},
        {{"--export", dir.filePath("p.HTM").toStdString(), "--at", "300,3"}, "(--at)"},
    };
    for (const auto& c : cases)
        expectRefused(run(c.args), 2, c.named);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    const Outcome help = run({"--export", "x.txt", "-h"});
    EXPECT_TRUE(help.status == 0 && help.err.empty()) << help.err;
    const Outcome version = run({"--bogus", "--version"});
    EXPECT_TRUE(version.status == 0 && version.out.rfind("chromalune 1.", 0) == 0) << version.err;
    // a "--" ends the options: what follows is never taken for one
    EXPECT_TRUE(app::wantsCommandLine({"-style", "s", "--ramps"}));
    EXPECT_TRUE(app::wantsCommandLine({"-export=x.css"}));
    EXPECT_FALSE(app::wantsCommandLine({"--", "--export"}));
    EXPECT_NE(help.out.find("[--rule NAME]"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("[--ramps] [--dark]"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--bg, --surface, --text,"), std::string::npos) << help.out;
}

// An argument a message echoes is quoted shortened, with control characters (C0, DEL, C1) and
// bytes that are not UTF-8 shown escaped: every message stays one printable line.
TEST(CommandLine, EchoesArgumentsShortenedWithControlCharactersEscaped) {
    const std::string huge(size_t{120} * 1024, 'a');
    const auto window = [](const std::vector<std::string>& args) {
        return Outcome{2, {}, app::windowArgumentsError(args) + '\n'};
    };
    const struct {
        Outcome outcome;
        int status;
        std::string says;
    } cases[] = {
        {run({"--export=x.css", "--base", huge}), 2, "'" + std::string(60, 'a') + "...' (--base)"},
        {run({"--export=x.css", "--base", "#12\n45"}), 2, "bad color '#12\\n45'"},
        {run({"--export=x.css", "--base", "rgb(\x1b]0;T\a 1 2)"}), 2, "\"\\e]0;t\\x07\" is not"},
        {run({"--export=x.css", "--rule", "\x1b]0;TITLE\a"}), 2, "rule '\\e]0;TITLE\\x07'"},
        {run({"--export=x.css", "--raster", "d\xE9\tx\x7F"}), 2, "raster 'd\\xE9\\tx\\x7F'"},
        {run({"--export=x.css", "--lightness=\xC2\x9B"
                                "5\xC3\xA9"}),
         2, "'\\u009B5\xC3\xA9'"},
        {run({"--export=x.css", "--at", "1,\xF0\x9F\x8E\xA8\xED\xA0\x80"}), 2,
         "'1,\xF0\x9F\x8E\xA8\\xED\\xA0\\x80'"},
        {run({"--export=x.css", "\x1b[31m\r"}), 2, "unknown argument '\\e[31m\\r'"},
        {run({"--export", "no\r\nne/a.css"}), 1, "'no\\r\\nne/a.css': No such file"},
        {run({"--export", huge + ".css"}), 1, "cannot write '" + std::string(60, 'a') + "...'"},
        {run({"--export", "x." + huge}), 2, "type 'x." + std::string(58, 'a') + "...'"},
        {window({"-style", "s", "-\x1b[2J" + huge}), 2,
         "option '-\\e[2J" + std::string(54, 'a') + "...'"},
    };
    for (const auto& c : cases) {
        const std::string& err = c.outcome.err;
        expectRefused(c.outcome, c.status, c.says);
        EXPECT_LT(err.size(), 300u) << err.substr(0, 300);
        const QString text = QString::fromUtf8(err);
        EXPECT_EQ(text.toUtf8().toStdString(), err);
        EXPECT_FALSE(
            text.chopped(1).contains(QRegularExpression("[\\x{0}-\\x{1F}\\x{7F}-\\x{9F}]")))
            << err;
    }
}

TEST(CommandLine, WritesTheSchemeOfTheRuleRasterAndPositionOrOfTheBaseColorsPixelOrSaysWhy) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("s.SCSS").toStdString();
    const Outcome r = run({"--export=" + file, "--rule", "Triad", "--at", "250,130.4"});
    EXPECT_TRUE(r.status == 0 && r.err.empty() && r.out.empty()) << r.err;
    const formats::SchemeColors c = colorsFor({"--rule=triad", "--at=250,130.4"});
    EXPECT_EQ(readAll(QString::fromStdString(file)).toStdString(), formats::scssText(c));
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
    // bare digits are a code whose '#' a shell would eat, short ones too
    EXPECT_EQ(colorsFor({"--base", "f80"}), colorsFor({"--base", "#FF8800"}));
    // the perceptual wheel builds the scheme exactly around a CSS colour, at its lightness
    const auto valueOf = [](core::ColorRGB v) { return core::rgbValue(v.r, v.g, v.b); };
    const auto mapped = [&](double hue) { return valueOf(core::mapToRgb8({0.55, 0.15, hue})); };
    const core::CssColor typed = *core::parseCssColor("oklch(55% 0.15 250)").color;
    EXPECT_EQ(
        colorsFor({"--raster", "perceptual", "--lightness", "65", "--base", "oklch(55% 0.15 250)"}),
        (formats::SchemeColors{mapped(227.5), valueOf(core::rgb8Of(typed)), mapped(272.5)}));
    // without a base the lightness asked for holds, here at a pointer position
    EXPECT_EQ(colorsFor({"--raster=perceptual", "--lightness=40", "--at=200,60"})[1],
              valueOf(core::perceptualColorAt(200, 60, 0.4)));

    // a place that takes no file exits 1 naming it and the reason (the file writer keeps what
    // a target held)
    const std::string missing = dir.filePath("missing/a.css").toStdString();
    expectRefused(run({"--export", missing}), 1, "'" + missing + "': No such file");
}

// On the perceptual wheel a typed base beyond sRGB stays the designer's colour: the scheme keeps
// its exact OKLCH, derives the complement from it, and writes it in the display-p3 rule; the
// swatch shows it gamut-mapped. A classic wheel takes the nearest pixel, as it always has.
TEST(CommandLine, AWideBaseKeepsItsExactColour) {
    const struct {
        const char* base;
        const char* p3;
    } cases[] = {{"color(display-p3 1 0 0)", "color(display-p3 1 0 0)"},
                 {"oklch(0.7 0.3 150)", ""},
                 {"oklch(64.86% 0.2995 28.96)", ""},
                 {"oklch(0.7 0.45 150)", ""}};
    for (const auto& c : cases) {
        const core::CssColor typed = *core::parseCssColor(c.base).color;
        const core::Oklch own = core::toOklch(typed.oklab);
        const app::SchemeResult made = schemeFor(
            {"--raster=perceptual", "--rule=complementary", std::string("--base=") + c.base});
        ASSERT_EQ(made.exact.size(), 2u) << c.base;
        ASSERT_TRUE(made.exact[0] && made.exact[1]) << c.base;
        const core::ColorRGB shown = core::rgb8Of(typed);
        EXPECT_EQ(made.colors->at(1), core::rgbValue(shown.r, shown.g, shown.b)) << c.base;
        EXPECT_NEAR(made.exact[1]->L, own.L, 1e-12) << c.base;
        EXPECT_NEAR(made.exact[1]->C, own.C, 1e-12) << c.base;
        EXPECT_NEAR(made.exact[1]->h, own.h, 1e-9) << c.base;
        // the complement at the same lightness and chroma, half a turn away
        EXPECT_NEAR(made.exact[0]->L, own.L, 1e-12) << c.base;
        EXPECT_NEAR(made.exact[0]->C, own.C, 1e-12) << c.base;
        EXPECT_NEAR(std::fmod(made.exact[0]->h - own.h + 360, 360), 180, 1e-9) << c.base;
        const std::string p3 = *c.p3 ? c.p3 : formats::wideGamutText(own);
        ASSERT_FALSE(p3.empty());
        EXPECT_NE(formats::cssText(*made.colors, {false, false, made.exact})
                      .find("    --color-2: " + p3 + ";\n"),
                  std::string::npos)
            << c.base;
    }
    EXPECT_EQ(colorsFor({"--rule=complementary", "--base=color(display-p3 1 0 0)"}),
              colorsFor({"--rule=complementary", "--base=#FF0B0C"}));
}

// The roles the designer set travel with a saved scheme: --from it writes them.
TEST(CommandLine, WritesTheRolesASavedSchemeHolds) {
    QTemporaryDir dir;
    scheme::SchemeModel model;
    model.setRole(colorscience::Theme::Light, colorscience::Role::Text,
                  colorscience::RoleOverride{colorscience::kBlackChoice, {}, std::nullopt});
    const QString saved = dir.filePath("s.tokens.json");
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(formats::designTokensText(
        model.schemeColors(), {}, document::schemeStateText(model.snapshot()))));
    file.close();
    const std::string out = dir.filePath("o.css").toStdString();
    ASSERT_EQ(run({"--export", out, "--from", saved.toStdString()}).status, 0);
    const std::string css = readAll(QString::fromStdString(out)).toStdString();
    const size_t text = css.find("  --text: #000000;\n");
    EXPECT_LT(text, css.find("@media (prefers-color-scheme: dark)")) << css;
}

// A scheme saved as tokens is written again in any format --from it, exactly as it was made,
// and a palette file converts to any format; --from beside the options that make a scheme, or
// a file of no colours, is refused.
TEST(CommandLine, WritesAnyFormatFromASavedScheme) {
    QTemporaryDir dir;
    const std::string saved = dir.filePath("s.tokens.json").toStdString();
    const std::string out = dir.filePath("o.css").toStdString();
    ASSERT_EQ(run({"--export", saved, "--rule=triad", "--raster=perceptual", "--at=60,200"}).status,
              0);
    ASSERT_EQ(run({"--export", out, "--from", saved}).status, 0);
    // with the exact colours, which the saved state gives back
    const app::SchemeResult made =
        schemeFor({"--rule=triad", "--raster=perceptual", "--at=60,200"});
    ASSERT_EQ(made.exact.size(), 3u);
    EXPECT_EQ(readAll(QString::fromStdString(out)).toStdString(),
              formats::cssText(*made.colors, {false, false, made.exact}));
    EXPECT_NE(readAll(QString::fromStdString(out)).indexOf("@media (color-gamut: p3)"), -1);
    expectRefused(run({"--export", out, "--from", saved, "--at=1,1"}), 2, "holds its own (--at)");
    // any palette file converts to any format, its names kept; a file of no colours is refused
    // (SCSS here, which holds the 8-bit colours only)
    const std::string scss = dir.filePath("o.scss").toStdString();
    ASSERT_EQ(run({"--export", scss, "--from", saved}).status, 0);
    const std::string gpl = dir.filePath("o.gpl").toStdString();
    ASSERT_EQ(run({"--export", gpl, "--from", scss}).status, 0);
    const formats::SchemeColors want =
        colorsFor({"--rule=triad", "--raster=perceptual", "--at=60,200"});
    std::string lines;
    for (size_t i = 0; i < want.size(); ++i) {
        const core::ColorRGB c = core::splitColor(want[i]);
        lines += QString::asprintf("%3d %3d %3d\tcolor-%zu\n", c.r, c.g, c.b, i + 1).toStdString();
    }
    EXPECT_NE(readAll(QString::fromStdString(gpl)).toStdString().find(lines), std::string::npos);
    // a palette read in part is written, with the window's note on one line
    const std::string partial = dir.filePath("p.css").toStdString();
    std::ofstream(partial) << ":root { --a: #123456; --color-b: #12345; }";
    const Outcome noted = run({"--export", gpl, "--from", partial});
    EXPECT_EQ(noted.status, 0);
    EXPECT_EQ(noted.err, "chromalune: 1 entry skipped (--from); line 1: --color-b: a hex colour "
                         "has 3, 4, 6 or 8 digits, not 5\n");
    EXPECT_NE(readAll(QString::fromStdString(gpl)).indexOf("\ta\n"), -1);
    expectRefused(run({"--export", out, "--from", gpl, "--dark"}), 2,
                  "no ramps or dark twins (--dark)");
    const std::string empty = dir.filePath("empty.txt").toStdString();
    QFile(QString::fromStdString(empty)).open(QIODevice::WriteOnly);
    expectRefused(run({"--export", out, "--from", empty}), 2, "(--from): It holds no colour");
    // bytes named as a picture are no palette, whatever they hold
    for (const char* name : {"x.png", "x.webp"}) {
        QFile bytes(dir.filePath(name));
        ASSERT_TRUE(bytes.open(QIODevice::WriteOnly) && bytes.write("#336699\n\x01\xFE") > 0);
        bytes.close();
        expectRefused(run({"--export", out, "--from", bytes.fileName().toStdString()}), 2,
                      "it is not a picture ChromaLune can read");
    }
    // a sheet and a starter page show a scheme, which a palette is not
    const std::string pdf = dir.filePath("o.pdf").toStdString();
    expectRefused(run({"--export", pdf, "--from", gpl}), 2,
                  "no scheme to show on a sheet (--from)");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
    const std::string page = dir.filePath("o.html").toStdString();
    expectRefused(run({"--export", page, "--from", gpl}), 2, "no color roles for a page (--from)");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(page)));
    // the page holds the saved scheme's roles, under its name
    ASSERT_EQ(run({"--export", page, "--from", saved}).status, 0);
    EXPECT_EQ(readAll(QString::fromStdString(page)).toStdString(),
              formats::starterPageText(formats::starterPageOf(*made.roles, "s")));
}

// A working folder whose name is not UTF-8 takes a relative name as any other: a new file, a
// file replaced (keeping its mode) and a file reached through a link.
TEST(CommandLine, WritesARelativeNameInAFolderWhoseNameIsNotUtf8) {
    QTemporaryDir dir;
    const std::string folder = QFile::encodeName(dir.path()).toStdString() + "/d\xE9";
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    char* earlier = ::getcwd(nullptr, 0);
    ASSERT_EQ(::chdir(folder.c_str()), 0);
    const auto content = [&folder](const char* name) {
        std::ifstream in(folder + "/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const Outcome made = run({"--export", "x.css", "--at=60,200"});
    const std::string first = content("x.css");
    EXPECT_EQ(::chmod("x.css", 0640), 0);
    const Outcome replaced = run({"--export", "x.css", "--at=60,200", "--rule=triad"});
    const std::string second = content("x.css");
    EXPECT_EQ(::symlink("x.css", "l.css"), 0);
    const Outcome linked = run({"--export", "l.css", "--at=60,200", "--rule=complementary"});
    struct stat x {};
    struct stat l {};
    ::stat("x.css", &x);
    ::lstat("l.css", &l);
    EXPECT_EQ(::chdir(earlier), 0);
    std::free(earlier);
    const std::string written = content("x.css");
    // the toolkit cannot name the folder, so it cannot remove it either
    for (const char* name : {"/l.css", "/x.css", ""})
        ::remove((folder + name).c_str());
    EXPECT_TRUE(made.status == 0 && replaced.status == 0 && linked.status == 0)
        << made.err << replaced.err << linked.err;
    EXPECT_EQ(first, formats::cssText(colorsFor({"--at=60,200"})));
    EXPECT_EQ(second, formats::cssText(colorsFor({"--at=60,200", "--rule=triad"})));
    EXPECT_EQ(written, formats::cssText(colorsFor({"--at=60,200", "--rule=complementary"})));
    EXPECT_TRUE((x.st_mode & 07777) == 0640 && S_ISLNK(l.st_mode));
}

// --ramps and --dark reach the file in every format (their entries are checked above); without
// them the file is the window's. GIMP and ASE count the steps and twins as entries.
TEST(CommandLine, RampsAndDarkReachEveryFormat) {
    QTemporaryDir dir;
    const formats::SchemeColors colors = colorsFor({"--rule=triad", "--at=60,200"});
    for (Format format : formats::kFormats) {
        const std::string file = dir.filePath("s").toStdString() + std::string(extension(format));
        for (const formats::ExportOptions& o :
             {formats::ExportOptions{false, false}, {true, false}, {false, true}, {true, true}}) {
            std::vector<std::string> args = {"--export", file, "--rule=triad", "--at=60,200"};
            for (const auto& [on, flag] : {std::pair(o.ramps, "--ramps"), {o.dark, "--dark"}})
                args.insert(args.end(), on ? 1 : 0, flag);
            ASSERT_EQ(run(args).status, 0);
            const std::vector<uint8_t> bytes = formats::fileBytes(format, colors, o);
            // a tokens file holds the scheme's state too, which its own test reads
            std::string written = readAll(QString::fromStdString(file)).toStdString();
            const size_t state = written.find(",\n  \"$extensions\"");
            if (format == Format::DesignTokens && state != std::string::npos)
                written = written.substr(0, state) + "\n}\n";
            EXPECT_EQ(written, std::string(bytes.begin(), bytes.end()));
        }
    }
    const std::string gimp = formats::gimpPaletteText(colors, "x", {true, true});
    EXPECT_EQ(std::count(gimp.begin(), gimp.end(), '\n'), 4 + 3 + 44 + 3);
    EXPECT_LT(gimp.find("\tneutral-950\n"), gimp.find("\tcolor-3-dark\n"));
    EXPECT_EQ(formats::aseBytes(colors, {true, false}).at(11), 3 + 44);
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
        {{"--help=1"}, RLIM_INFINITY, 2, "takes no value (--help)"},
        {{"-reverse", "x.css"}, RLIM_INFINITY, 2, "cannot open 'x.css': There is no such file."},
        {{"a.tokens.json", "b"}, RLIM_INFINITY, 2, "unexpected argument 'b'"},
        {{}, RLIM_INFINITY, 1, "no display"},
        {{"--export", big}, 10, 1, "'" + big + "': File too large"},
        {{"--export", gone}, RLIM_INFINITY, 1, "'" + gone + "': Broken pipe"},
        {{"--help"}, RLIM_INFINITY, 1, "cannot write the help text"},
    };
    for (const auto& c : cases)
        expectRefused(runProgram(c.args, c.limit), c.status, c.says);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(big)));
}

// A sheet or a starter page written where the other exports cannot write fails the same way: exit 1
// with the reason in one line, and an earlier file there keeps its content. In a folder nobody may
// write, an earlier file of one's own is written in place.
TEST(Program, ASheetGoesWhereTheOtherExportsGoOrSaysWhy) {
    enum Target { SizeLimit, FullDisk, UnreadPipe, ReadOnlyFile, ReadOnlyFolder, NewInReadOnly };
    const struct {
        Target target;
        int status;
        std::string says;
    } cases[] = {
        {SizeLimit, 1, "File too large"},
        {FullDisk, 1, "No space left on device"},
        {UnreadPipe, 1, "Nothing reads from it"},
        {ReadOnlyFile, 1, "The file is read-only"},
        {ReadOnlyFolder, 0, ""},
        {NewInReadOnly, 1, "Permission denied"},
    };
    if (::geteuid() == 0) {
        QTemporaryDir probe;
        ::chmod(QFile::encodeName(probe.path()).constData(), 0777);
        const Outcome r = runProgram({"--export", probe.filePath("probe.css").toStdString()},
                                     RLIM_INFINITY, true);
        if (r.status != 0)
            GTEST_SKIP() << "run as root, the test starts the program as user nobody, who "
                            "cannot run the copy '"
                         << programForNobody().toStdString() << "' (exit status " << r.status
                         << "; is the temporary folder " << QDir::tempPath().toStdString()
                         << " private?)";
    }
    const QByteArray earlier = "an earlier file";
    for (const char* extension : {".png", ".svg", ".pdf", ".html"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(extension) + " " + std::to_string(int(c.target)));
            QTemporaryDir dir;
            const QString folder = dir.filePath("f");
            ASSERT_TRUE(QDir().mkdir(folder));
            const QString path = folder + "/sheet" + extension;
            const QByteArray native = QFile::encodeName(path);
            if (c.target == FullDisk)
                ASSERT_EQ(::symlink("/dev/full", native.constData()), 0);
            else if (c.target == UnreadPipe)
                ASSERT_EQ(::mkfifo(native.constData(), 0644), 0);
            else if (c.target != NewInReadOnly) {
                QFile file(path);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(earlier) > 0);
            }
            const bool inReadOnly = c.target == ReadOnlyFolder || c.target == NewInReadOnly;
            ::chmod(native.constData(), c.target == ReadOnlyFile ? 0444 : 0666);
            ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
            ::chmod(QFile::encodeName(folder).constData(), inReadOnly ? 0555 : 0777);
            const Outcome r = runProgram({"--export", path.toStdString(), "--rule=triad"},
                                         c.target == SizeLimit ? 100 : RLIM_INFINITY, true);
            ::chmod(QFile::encodeName(folder).constData(), 0755);
            if (c.status == 0) {
                EXPECT_EQ(r.status, 0) << r.err;
                EXPECT_NE(readAll(path), earlier);
            } else {
                expectRefused(r, c.status, "'" + path.toStdString() + "': " + c.says);
                if (c.target == SizeLimit || c.target == ReadOnlyFile) {
                    EXPECT_EQ(readAll(path), earlier);
                }
                EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::System).size(),
                          c.target == NewInReadOnly ? 0 : 1);
            }
        }
    }
}

// What the window takes: the toolkit's own options with their values, nothing else.
TEST(CommandLine, TheWindowTakesTheToolkitsOptionsOnly) {
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{}, true},
        {{"-platform", "xcb", "-style", "Fusion", "-reverse", "--style=Fusion"}, true},
        {{"-geometry", "300x200+0+0", "-display", ":1", "-qwindowgeometry", "1x1"}, true},
        {{"-stylesheet", "a.qss", "--platformtheme", "gtk3", "-qmljsdebugger=port:1"}, true},
        {{"-platformpluginpath", "p", "-plugin", "p", "-qwindowtitle", "t", "-title", "t",
          "-qwindowicon", "i", "-icon", "i", "-name", "n", "-visual", "v", "-session", "s"},
         true},
        {{"-widgetcount", "-nograb", "-dograb", "-sync"}, true},
        {{"-platform"}, false},
        {{"-reverse=1"}, false},
        {{"-session=x", "-style=Fusion"}, true},
        {{"-qmljsdebugger"}, false},
        {{"-"}, false},
    };
    for (const auto& [args, taken] : cases)
        EXPECT_EQ(app::windowArgumentsError(args).empty(), taken)
            << (args.empty() ? std::string() : args.front());
    // Qt reads these only as "-name value": written "-name=value" they are a mistake
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "geometry", "qwindowtitle", "title", "qwindowicon", "icon", "display", "name", "visual"})
        EXPECT_FALSE(app::windowArgumentsError({std::string("-") + name + "=x"}).empty()) << name;
    // one more argument is the scheme document to open, never an option's value
    EXPECT_EQ(app::documentArgument({"-style", "s", "doc.tokens.json", "-reverse"}),
              "doc.tokens.json");
    EXPECT_EQ(app::documentArgument({"-style", "s"}), std::nullopt);
    EXPECT_EQ(app::documentArgument({"-reverse", "--", "-dash.tokens.json"}), "-dash.tokens.json");
    EXPECT_FALSE(app::windowArgumentsError({"a", "b"}).empty());
    const auto env = [](const std::string& set) {
        return [set](const char* name) { return std::string(name == set ? ":0" : ""); };
    };
    EXPECT_TRUE(app::displayNamed({}, env("WAYLAND_DISPLAY")));
    EXPECT_TRUE(app::displayNamed({"-platform", "offscreen"}, env("HOME")));
}
