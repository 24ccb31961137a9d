#include "document/SchemeDocument.h"

#include "app/CommandLine.h"
#include "core/CssColor.h"
#include "document/OpenFile.h"
#include "formats/Tokens.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

using document::readSchemeDocument;
using Snapshot = scheme::SchemeModel::Snapshot;

namespace {

constexpr int kStyles = 6;

/// A model after count random deliberate changes and pointer moves of every kind.
Snapshot randomState(quint32 seed, int count) {
    QRandomGenerator random(seed);
    scheme::SchemeModel model;
    const auto any = [&random](int n) { return int(random.bounded(n)); };
    for (int i = 0; i < count; ++i) {
        switch (any(9)) {
        case 0:
            model.trackPointer(float(random.bounded(280.0) - 10),
                               float(random.bounded(280.0) - 10));
            break;
        case 1:
            model.toggleFreeze();
            break;
        case 2:
            model.setRule(static_cast<core::SchemeType>(any(5)));
            break;
        case 3:
            model.setRaster(static_cast<scheme::WheelRaster>(1 + any(3)));
            break;
        case 4:
            // the slider is there only on the perceptual wheel
            if (model.isPerceptual())
                model.setLightness(random.generateDouble());
            break;
        case 5: {
            const core::CssColor c =
                *core::parseCssColor("oklch(" + std::to_string(random.generateDouble()) + " " +
                                     std::to_string(random.bounded(0.4)) + " " +
                                     std::to_string(random.bounded(360.0)) + ")")
                     .color;
            const core::BaseColor base = core::baseColorOf(c);
            model.setBaseColor(base.rgb8, base.exact);
            break;
        }
        case 6:
            // a fix is offered for the scheme's colours, once there is a scheme
            if (model.hasScheme())
                model.setSwatchColor(1 + any(int(model.colorCount())),
                                     core::Color(random.bounded(0x1000000)));
            break;
        case 7: {
            // a role set to a step, a typed colour (wide ones too) or back to the search
            const auto theme = static_cast<colorscience::Theme>(any(2));
            const auto role = static_cast<colorscience::Role>(any(colorscience::kRoleCount));
            std::optional<colorscience::RoleOverride> value;
            if (any(3) == 0)
                value = colorscience::RoleOverride{any(colorscience::kChoiceCount), {}, {}};
            else if (any(2) == 0)
                value = colorscience::parseRoleColor("oklch(0.7 " +
                                                     std::to_string(random.bounded(0.4)) + " " +
                                                     std::to_string(random.bounded(360.0)) + ")")
                            .value;
            model.setRole(theme, role, value);
            break;
        }
        default:
            model.setPreviewStyle(any(kStyles + 1) - 1);
            model.setFollowPreview(any(2) == 1);
            break;
        }
    }
    return model.snapshot();
}

QByteArray documentOf(const Snapshot& s) {
    const std::string text =
        formats::designTokensText({0x123456, 0xABCDEF}, {}, document::schemeStateText(s));
    return QByteArray::fromStdString(text);
}

/// The document with part of its scheme state replaced by JSON value (removed when null).
QByteArray edited(const QByteArray& document, const char* key, const char* value) {
    QJsonObject root = QJsonDocument::fromJson(document).object();
    QJsonObject ext = root["$extensions"].toObject();
    QJsonObject own = ext["io.github.moonquill.chromalune"].toObject();
    QJsonObject state = own["scheme"].toObject();
    if (value == nullptr)
        state.remove(key);
    else
        state[key] = QJsonDocument::fromJson(QByteArray("[") + value + "]").array().at(0);
    own["scheme"] = state;
    ext["io.github.moonquill.chromalune"] = own;
    root["$extensions"] = ext;
    return QJsonDocument(root).toJson();
}

void writeTo(const QByteArray& nativePath, const QByteArray& bytes) {
    QFile file;
    ASSERT_TRUE(file.open(std::fopen(nativePath.constData(), "wb"), QIODevice::WriteOnly,
                          QFileDevice::AutoCloseHandle) &&
                file.write(bytes) == bytes.size());
}

/// What the command line answers: its status and the file it wrote, if any.
std::pair<int, QByteArray> exported(const QString& target, const QByteArray& from) {
    std::ostringstream out, err;
    const int status = app::runCommandLine(
        {"--export", target.toStdString(), "--from", from.toStdString()}, out, err);
    QFile written(target);
    return {status, written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray()};
}

} // namespace

// Whatever the scheme, its document gives it back exactly, and the tokens stay what a token
// pipeline reads: the colours where they were, the state under the program's own key.
TEST(SchemeDocument, EveryStateReadsBackExactly) {
    for (quint32 seed = 1; seed <= 200; ++seed) {
        const Snapshot s = randomState(seed, int(seed % 40));
        const QByteArray text = documentOf(s);
        const document::DocumentRead read = readSchemeDocument(text);
        ASSERT_TRUE(read.snapshot) << seed << ": " << read.error.toStdString();
        Snapshot expected = s;
        // a rule's read off the wheel's surface shows "-1" in a column whose colour it left
        // as it was; reopened, the column shows the codes of that colour
        for (size_t i = 0; i < 3; ++i) {
            if (s.state.texts[i].decimal == "-1")
                expected.state.texts[i] = read.snapshot->state.texts[i];
        }
        EXPECT_TRUE(*read.snapshot == expected) << seed;
        // a scheme without roles writes the state it wrote before there were any (the
        // tokens' own "roles" group is every export's)
        EXPECT_EQ(QByteArray::fromStdString(document::schemeStateText(s)).contains("\"roles\""),
                  !s.roles.empty())
            << seed;
        const QJsonObject root = QJsonDocument::fromJson(text).object();
        EXPECT_EQ(root["color-1"]["$value"]["hex"].toString(), "#563412") << seed;
    }
    // before the first scheme a swatch holds the caption text colour's reference, written as
    // its entry with bit 31 set
    const QJsonObject fresh =
        QJsonDocument::fromJson(documentOf(scheme::SchemeModel().snapshot())).object();
    EXPECT_EQ(
        fresh["$extensions"]["io.github.moonquill.chromalune"]["scheme"]["swatches"][2].toInteger(),
        INT32_MIN + 9);
}

// A document that is broken, hostile or someone else's is refused with a sentence naming what
// is wrong; a tokens file without the state is a palette.
TEST(SchemeDocument, RefusesWhatIsNoSchemeAndSaysWhy) {
    QByteArray good = documentOf(randomState(7, 20));
    const auto edited = [&good](const char* key, const char* value) {
        return ::edited(good, key, value);
    };
    QByteArray damaged = good;
    damaged.replace("\"frozen\"", "\"fr\xF6zen\"");
    const struct {
        QByteArray text;
        const char* says;
        bool palette;
    } cases[] = {
        {good.left(good.size() / 2), "a damaged ChromaLune scheme", false},
        {"{\"color-1\": {\"$value\": \"#fff\"", "not a design-tokens file", false},
        {"[1, 2]", "holds no group", false},
        {"{\"color-1\": {\"$type\": \"color\", \"$value\": \"#fff\"}}", "a palette", true},
        {edited("version", "2"), "newer ChromaLune (version 2)", false},
        {edited("version", nullptr), "no version", false},
        {edited("rule", "3"), "\"rule\" names none", false},
        {edited("lightness", "1e308"), "\"lightness\" is not a number from 0 to 1", false},
        {edited("x", "-1e300"), "\"x\" is not a number", false},
        {edited("style", "6"), "\"style\" is not a number from -1 to 5", false},
        {edited("style", "1.5"), "\"style\" is not a whole number", false},
        {edited("swatches", "[1, 2]"), "\"swatches\" is not a list of 3", false},
        {edited("swatches", "[1, 2, 16777216]"), "\"swatches\" is not a colour", false},
        {edited("texts", nullptr), "\"texts\" is not a list of 3", false},
        {edited("frozen", "\"yes\""), "\"frozen\" is not true or false", false},
        {edited("base", "{\"color\": 1, \"L\": 0.5, \"C\": 2, \"h\": 0}"), "\"base.C\"", false},
        {damaged, "at byte ", false},
        {edited("roles", "[]"), "\"roles\" is not a group of themes", false},
        {edited("roles", "{\"dim\": {}}"), "\"roles.dim\" names no theme", false},
        {edited("roles", "{\"dark\": 1}"), "\"roles.dark\" is not a group", false},
        {edited("roles", "{\"light\": {\"txt\u0007\": {\"step\": \"900\"}}}"),
         "\"roles.light.txt\\x07\" names no colour role", false},
        {edited("roles", "{\"light\": {\"text\": {\"step\": \"975\"}}}"),
         "\"roles.light.text.step\" names no step", false},
        {edited("roles", "{\"light\": {\"text\": {\"step\": 900}}}"),
         "\"roles.light.text.step\" names no step", false},
        {edited("roles", "{\"dark\": {\"link\": {\"color\": 16777216}}}"),
         "\"roles.dark.link.color\" is not a colour", false},
        {edited("roles", "{\"dark\": {\"link\": {\"color\": -5}}}"),
         "\"roles.dark.link.color\" is not a colour", false},
        {edited("roles", "{\"dark\": {\"link\": {\"color\": 1, \"L\": 2, \"C\": 0, \"h\": 0}}}"),
         "\"roles.dark.link.L\" is not a number from 0 to 1", false},
        {edited("roles", "{\"dark\": {\"link\": {\"color\": 1, \"step\": \"50\"}}}"),
         "\"roles.dark.link\" is not a step or a colour", false},
        {edited("roles", "{\"dark\": {\"link\": \"#fff\"}}"),
         "\"roles.dark.link\" is not a step or a colour", false},
    };
    for (const auto& c : cases) {
        const document::DocumentRead read = readSchemeDocument(c.text);
        EXPECT_FALSE(read.snapshot) << c.says;
        EXPECT_EQ(read.palette, c.palette) << c.says;
        EXPECT_TRUE(read.error.contains(QLatin1String(c.says)) && !read.error.contains('\n'))
            << c.says << " said: " << read.error.toStdString();
    }
}

// Files are read only when they are regular and small: a missing file, a folder, a pipe that
// nobody writes and a huge file are refused at once.
TEST(SchemeDocument, ReadsOnlySmallRegularFiles) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe"), huge = dir.filePath("huge.tokens.json");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QFile big(huge);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(document::kMaxDocumentBytes + 1));
    big.close();
    const QString loop = dir.filePath("loop.tokens.json");
    ASSERT_TRUE(QFile::link(loop + ".2", loop) && QFile::link(loop, loop + ".2"));
    const std::pair<QString, const char*> cases[] = {{dir.filePath("none"), "no such file"},
                                                     {loop, "loop of symbolic links"},
                                                     {dir.path(), "not a file"},
                                                     {fifo, "not a file"},
                                                     {huge, "too large"}};
    for (const auto& [path, says] : cases) {
        const document::DocumentRead read = document::readSchemeDocumentFile(path);
        EXPECT_TRUE(!read.snapshot && read.error.contains(QLatin1String(says)))
            << read.error.toStdString();
    }
    QFile doc(dir.filePath("s.tokens.json"));
    ASSERT_TRUE(doc.open(QIODevice::WriteOnly) && doc.write(documentOf(randomState(3, 9))) > 0);
    doc.close();
    EXPECT_TRUE(document::readSchemeDocumentFile(doc.fileName()).snapshot);
}

// What a document's other parts determine is derived from them, never read: texts that
// contradict the colours, and colours that contradict the rule where no fix set them.
TEST(SchemeDocument, DerivesWhatItsPartsDetermine) {
    scheme::SchemeModel model;
    model.setRule(core::SchemeType::Monochromatic);
    model.trackPointer(200, 60);
    const Snapshot made = model.snapshot();
    const QByteArray good = documentOf(made);
    const struct {
        const char* key;
        const char* value;
        bool frozen;
    } cases[] = {
        {"texts",
         R"([["999","-1","x","0","#GGGGGG","<b>"], ["", "", "", "", "", ""],
             ["1", "2", "3", "4", "#000004", "#000000"]])",
         false},
        {"swatches", "[255, 65280, 16711680]", false},
        {"swatches", "[255, 65280, 16711680]", true},
    };
    for (const auto& c : cases) {
        const QByteArray text =
            edited(edited(good, c.key, c.value), "frozen", c.frozen ? "true" : "false");
        const document::DocumentRead read = readSchemeDocument(text);
        ASSERT_TRUE(read.snapshot) << read.error.toStdString();
        Snapshot expected = made;
        expected.frozen = c.frozen;
        // a frozen scheme holds the colours an applied fix gave it, with their codes
        if (c.frozen) {
            scheme::SchemeModel fixed;
            fixed.restore(made);
            for (int k = 1; k <= 3; ++k)
                fixed.setSwatchColor(k, 0xFF << (8 * (k - 1)));
            expected.state.swatch = fixed.snapshot().state.swatch;
            expected.state.texts = fixed.snapshot().state.texts;
        }
        EXPECT_TRUE(read.snapshot->state.swatch == expected.state.swatch) << c.value;
        EXPECT_TRUE(*read.snapshot == expected) << c.value;
    }
}

// Every way of reading a document checks it alike: the command line refuses what the window
// refuses, takes a name that is no UTF-8, and never reads a damaged document as a palette.
TEST(SchemeDocument, TheCommandLineReadsDocumentsAsTheWindowDoes) {
    QTemporaryDir dir;
    const QByteArray good = documentOf(randomState(11, 12));
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    QByteArray damaged = good;
    damaged.replace("\"frozen\"", "\"fr\xF6zen\"");
    const struct {
        QByteArray name;
        QByteArray text;
        int status;
    } cases[] = {
        {"good.tokens.json", good, 0},
        {"sch\xE9ma.tokens.json", good, 0},
        {"style.tokens.json", edited(good, "style", "99"), 2},
        {"damaged.tokens.json", damaged, 2},
    };
    const QString reference = dir.filePath("reference.tokens.json");
    ASSERT_EQ(exported(reference, folder + "none").first, 2);
    writeTo(folder + cases[0].name, cases[0].text);
    ASSERT_EQ(exported(reference, folder + cases[0].name).first, 0);
    for (const auto& c : cases) {
        writeTo(folder + c.name, c.text);
        const auto [status, written] = exported(dir.filePath("out.tokens.json"), folder + c.name);
        EXPECT_EQ(status, c.status) << c.name.toStdString();
        if (c.status == 0) {
            QFile same(reference);
            ASSERT_TRUE(same.open(QIODevice::ReadOnly));
            EXPECT_EQ(written, same.readAll()) << c.name.toStdString();
        }
        QFile::remove(dir.filePath("out.tokens.json"));
    }
    // a palette of such a name opens too
    writeTo(folder + "sch\xE9ma.gpl", "GIMP Palette\n255 0 0 red\n");
    const document::OpenedFile gpl = document::openFileNamed(folder + "sch\xE9ma.gpl");
    ASSERT_TRUE(gpl.palette) << gpl.error.toStdString();
    EXPECT_EQ(gpl.palette->colors.size(), 1U);
    const document::OpenedFile opened = document::openFile(dir.filePath("damaged.tokens.json"));
    EXPECT_TRUE(!opened.palette && !opened.scheme &&
                opened.error.startsWith("It is a damaged ChromaLune scheme") &&
                opened.error.contains("at byte "))
        << opened.error.toStdString();
    // names the folder's removal cannot spell
    for (const char* name : {"sch\xE9ma.tokens.json", "sch\xE9ma.gpl"})
        ::unlink((folder + name).constData());
}
