#include "palette/SchemeDocument.h"

#include "core/CssColor.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using palette::readSchemeDocument;
using Snapshot = scheme::SchemeModel::Snapshot;

namespace {

constexpr int kStyles = 6;

/// A model after count random deliberate changes and pointer moves of every kind.
Snapshot randomState(quint32 seed, int count) {
    QRandomGenerator random(seed);
    scheme::SchemeModel model;
    const auto any = [&random](int n) { return int(random.bounded(n)); };
    for (int i = 0; i < count; ++i) {
        switch (any(8)) {
        case 0:
            model.trackPointer(float(random.bounded(280.0) - 10),
                               float(random.bounded(280.0) - 10));
            break;
        case 1:
            model.click();
            break;
        case 2:
            model.setRule(static_cast<core::SchemeType>(any(5)));
            break;
        case 3:
            model.setRaster(static_cast<scheme::WheelRaster>(1 + any(3)));
            break;
        case 4:
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
            model.setSwatchColor(1 + any(3), core::Color(random.bounded(0x1000000)));
            break;
        default:
            model.setPreviewStyle(any(kStyles + 1) - 1);
            model.setFollowPreview(any(2) == 1);
            model.setText(1 + any(3), scheme::Field::Blue, "typed \"\\\n\xC3\xA9");
            break;
        }
    }
    return model.snapshot();
}

QByteArray documentOf(const Snapshot& s) {
    const std::string text =
        palette::designTokensText({0x123456, 0xABCDEF}, {}, palette::schemeStateText(s));
    return QByteArray::fromStdString(text);
}

} // namespace

// Whatever the scheme, its document gives it back exactly, and the tokens stay what a token
// pipeline reads: the colours where they were, the state under the program's own key.
TEST(SchemeDocument, EveryStateReadsBackExactly) {
    for (quint32 seed = 1; seed <= 200; ++seed) {
        const Snapshot s = randomState(seed, int(seed % 40));
        const QByteArray text = documentOf(s);
        const palette::DocumentRead read = readSchemeDocument(text, kStyles);
        ASSERT_TRUE(read.snapshot) << seed << ": " << read.error.toStdString();
        EXPECT_TRUE(*read.snapshot == s) << seed;
        const QJsonObject root = QJsonDocument::fromJson(text).object();
        EXPECT_EQ(root["color-1"]["$value"]["hex"].toString(), "#563412") << seed;
    }
}

// A document that is broken, hostile or someone else's is refused with a sentence naming what
// is wrong; a tokens file without the state is a palette.
TEST(SchemeDocument, RefusesWhatIsNoSchemeAndSaysWhy) {
    const QByteArray good = documentOf(randomState(7, 20));
    const auto edited = [&good](const char* key, const char* value) {
        QJsonObject root = QJsonDocument::fromJson(good).object();
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
    };
    const struct {
        QByteArray text;
        const char* says;
        bool palette;
    } cases[] = {
        {good.left(good.size() / 2), "not a design-tokens file", false},
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
    };
    for (const auto& c : cases) {
        const palette::DocumentRead read = readSchemeDocument(c.text, kStyles);
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
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(palette::kMaxDocumentBytes + 1));
    big.close();
    const std::pair<QString, const char*> cases[] = {{dir.filePath("none"), "no such file"},
                                                     {dir.path(), "not a file"},
                                                     {fifo, "not a file"},
                                                     {huge, "too large"}};
    for (const auto& [path, says] : cases) {
        const palette::DocumentRead read = palette::readSchemeDocumentFile(path, kStyles);
        EXPECT_TRUE(!read.snapshot && read.error.contains(QLatin1String(says)))
            << read.error.toStdString();
    }
    QFile doc(dir.filePath("s.tokens.json"));
    ASSERT_TRUE(doc.open(QIODevice::WriteOnly) && doc.write(documentOf(randomState(3, 9))) > 0);
    doc.close();
    EXPECT_TRUE(palette::readSchemeDocumentFile(doc.fileName(), kStyles).snapshot);
}
