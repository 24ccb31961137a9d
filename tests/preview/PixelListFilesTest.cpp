// The committed mock-ups and pixel lists: the lists are exactly what the authoring scan
// makes of the mock-ups, and the mock-ups are what the preview expects of them.

#include "preview/Mockups.h"
#include "preview/PreviewSurface.h"
#include "preview/TemplateScan.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kAssets = QStringLiteral(CHROMALUNE_PREVIEW_ASSETS);
const QRgb kBlue = qRgb(0, 0, 255), kGrey = qRgb(192, 192, 192), kCyan = qRgb(0, 255, 255);
const QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0), k3d = qRgb(212, 208, 200);

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString listPath(const QString& name) {
    return kAssets + QStringLiteral("/lists/") + name;
}

QImage committedMockup(const char* key) {
    return QImage(kAssets + QStringLiteral("/mockups/") + QLatin1String(key) + ".png")
        .convertToFormat(QImage::Format_RGB32);
}

/// Each mock-up: its size, the suffix of its "mple", "gri" and "galazio" list files, their
/// template colours, and the colours the scheme leaves alone.
const struct {
    const char* key;
    QSize size;
    const char* suffix;
    QRgb templates[3];
    QSet<QRgb> others;
} kStyles[] = {
    {"Logos", {404, 333}, "_logos", {kBlue, kGrey, kCyan}, {kWhite}},
    {"Webpage",
     {365, 269},
     "",
     {qRgb(81, 205, 255), qRgb(108, 102, 254), qRgb(86, 144, 254)},
     {kWhite, kBlack}},
    {"Table2", {374, 218}, "_table", {kBlue, kGrey, kCyan}, {kWhite, k3d, qRgb(128, 128, 128)}},
    {"Links", {419, 305}, "_links", {kBlue, kGrey, kCyan}, {kWhite, qRgb(64, 64, 64)}},
    {"Links2", {414, 253}, "_links2", {kBlue, kGrey, kCyan}, {kBlack, kWhite, qRgb(63, 63, 63)}},
    {"Scrollbar",
     {251, 251},
     "_scrollbar",
     {qRgb(49, 49, 255), qRgb(49, 255, 255), qRgb(255, 153, 51)},
     {kWhite, k3d, qRgb(64, 64, 64)}},
};

TEST(PixelListFiles, RegenerateByteForByteFromTheCommittedMockups) {
    for (const auto& style : kStyles) {
        QImage area = preview::PreviewSurface::composeDrawingArea(committedMockup(style.key));
        std::array<preview::ScanTarget, 3> targets{};
        for (size_t i = 0; i < 3; ++i)
            targets[i] = {style.templates[i], std::nullopt};
        const auto texts = preview::scanTemplates(area, targets);
        for (size_t i = 0; i < 3; ++i) {
            const QString file = QStringList{"mple", "gri", "galazio"}[i] + style.suffix + ".txt";
            EXPECT_TRUE(readAll(listPath(file)) == QByteArray::fromStdString(texts[i]))
                << file.toStdString();
            // the tables hold no blue; the grey page of Links2 fills most of the area
            const auto lines = std::count(texts[i].begin(), texts[i].end(), '\n');
            if (file == "mple_table.txt")
                EXPECT_EQ(lines, 0);
            else if (file == "gri_links2.txt")
                EXPECT_TRUE(lines > 85000 && lines < 93000) << lines;
            else
                EXPECT_GT(lines, 500) << file.toStdString();
        }
    }
}

TEST(PixelListFiles, TheAuthoringProgramWritesAStyleFromItsArguments) {
    QTemporaryDir dir;
    auto run = [&](const QStringList& lists) {
        QProcess tool;
        tool.start(QStringLiteral(CHROMALUNE_PIXELLISTS_TOOL),
                   QStringList{kAssets + "/mockups/Scrollbar.png", dir.path()} + lists);
        EXPECT_TRUE(tool.waitForFinished(30000));
        return tool.exitCode();
    };
    ASSERT_EQ(run({"mple_scrollbar.txt=49,49,255", "gri_scrollbar.txt=49,255,255",
                   "galazio_scrollbar.txt=255,153,51"}),
              0);
    for (const char* name : {"mple_scrollbar.txt", "gri_scrollbar.txt", "galazio_scrollbar.txt"})
        EXPECT_TRUE(readAll(dir.filePath(name)) == readAll(listPath(name))) << name;
    EXPECT_NE(run({"a.txt=1,2"}), 0);
}

TEST(Mockups, HaveTheirSizesAndOnlyTheirOwnColoursAndAreCompiledIn) {
    for (const auto& style : kStyles) {
        SCOPED_TRACE(style.key);
        const QImage picture = committedMockup(style.key);
        ASSERT_EQ(picture.size(), style.size);
        QSet<QRgb> allowed = style.others;
        for (QRgb colour : style.templates)
            allowed.insert(colour);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (!allowed.contains(picture.pixel(x, y)))
                    FAIL() << "unexpected colour at " << x << "," << y;
        EXPECT_EQ(preview::mockupPicture(style.key).convertToFormat(QImage::Format_RGB32), picture);
    }
}

TEST(Mockups, AreShownClippedToTheDrawingAreaOverTheSurfaceColour) {
    const QImage webpage = committedMockup("Webpage"), logos = committedMockup("Logos");
    QImage expected(373, 269, QImage::Format_RGB32);
    expected.fill(preview::PreviewSurface::backgroundColor());
    QPainter(&expected).drawImage(0, 0, webpage);
    EXPECT_EQ(preview::PreviewSurface::composeDrawingArea(webpage), expected);
    EXPECT_EQ(preview::PreviewSurface::composeDrawingArea(logos), logos.copy(0, 0, 373, 269));
}

} // namespace
