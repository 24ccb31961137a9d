// The committed mock-ups and pixel lists: the lists are exactly what the authoring scan
// makes of the mock-ups, and the mock-ups are what the preview expects of them.

#include "preview/Mockups.h"
#include "preview/PixelList.h"
#include "preview/PreviewStyles.h"
#include "preview/PreviewSurface.h"
#include "preview/TemplateScan.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kAssets = QStringLiteral(CHROMALUNE_PREVIEW_ASSETS);

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

QString listPath(const char* name) {
    return kAssets + QStringLiteral("/lists/") + QLatin1String(name);
}

/// What each list file of a style holds: the file and its template colour.
struct ListSource {
    const char* file;
    QRgb colour;
};
struct StyleSource {
    const char* key;
    int width;
    int height;
    ListSource lists[3];
};

const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kGrey = qRgb(192, 192, 192);
const QRgb kLightBlue = qRgb(0, 255, 255);

const StyleSource kStyles[] = {
    {"Logos",
     404,
     333,
     {{"mple_logos.txt", kBlue}, {"gri_logos.txt", kGrey}, {"galazio_logos.txt", kLightBlue}}},
    {"Webpage",
     365,
     269,
     {{"mple.txt", qRgb(81, 205, 255)},
      {"gri.txt", qRgb(108, 102, 254)},
      {"galazio.txt", qRgb(86, 144, 254)}}},
    {"Table2",
     374,
     218,
     {{"mple_table.txt", kBlue}, {"gri_table.txt", kGrey}, {"galazio_table.txt", kLightBlue}}},
    {"Links",
     419,
     305,
     {{"mple_links.txt", kBlue}, {"gri_links.txt", kGrey}, {"galazio_links.txt", kLightBlue}}},
    {"Links2",
     414,
     253,
     {{"mple_links2.txt", kBlue}, {"gri_links2.txt", kGrey}, {"galazio_links2.txt", kLightBlue}}},
    {"Scrollbar",
     251,
     251,
     {{"mple_scrollbar.txt", qRgb(49, 49, 255)},
      {"gri_scrollbar.txt", qRgb(49, 255, 255)},
      {"galazio_scrollbar.txt", qRgb(255, 153, 51)}}},
};

QImage committedMockup(const char* key) {
    return QImage(kAssets + QStringLiteral("/mockups/") + QLatin1String(key) +
                  QStringLiteral(".png"))
        .convertToFormat(QImage::Format_RGB32);
}

TEST(PixelListFiles, RegenerateByteForByteFromTheCommittedMockups) {
    for (const StyleSource& style : kStyles) {
        SCOPED_TRACE(style.key);
        QImage area = preview::PreviewSurface::composeDrawingArea(committedMockup(style.key));
        std::array<preview::ScanTarget, 3> targets{};
        for (size_t i = 0; i < 3; ++i)
            targets[i] = {style.lists[i].colour, std::nullopt};
        const auto texts = preview::scanTemplates(area, targets);
        for (size_t i = 0; i < 3; ++i) {
            SCOPED_TRACE(style.lists[i].file);
            const QByteArray committed = readAll(listPath(style.lists[i].file));
            EXPECT_TRUE(committed ==
                        QByteArray(texts[i].data(), static_cast<qsizetype>(texts[i].size())));
        }
    }
}

TEST(PixelListFiles, TheAuthoringProgramWritesAStyleFromItsArguments) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess tool;
    tool.start(QStringLiteral(CHROMALUNE_PIXELLISTS_TOOL),
               {kAssets + QStringLiteral("/mockups/Scrollbar.png"), dir.path(),
                QStringLiteral("mple_scrollbar.txt=49,49,255"),
                QStringLiteral("gri_scrollbar.txt=49,255,255"),
                QStringLiteral("galazio_scrollbar.txt=255,153,51")});
    ASSERT_TRUE(tool.waitForFinished(30000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    for (const char* name : {"mple_scrollbar.txt", "gri_scrollbar.txt", "galazio_scrollbar.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(readAll(dir.filePath(QLatin1String(name))) == readAll(listPath(name)));
    }

    QProcess misused;
    misused.start(QStringLiteral(CHROMALUNE_PIXELLISTS_TOOL),
                  {kAssets + QStringLiteral("/mockups/Scrollbar.png"), dir.path(),
                   QStringLiteral("a.txt=1,2")});
    ASSERT_TRUE(misused.waitForFinished(30000));
    EXPECT_NE(misused.exitCode(), 0);
}

TEST(PixelListFiles, HoldTheAmountsThePreviewIsBuiltFor) {
    auto count = [](const char* name) {
        preview::PixelList list;
        EXPECT_EQ(preview::appendPixelText(readAll(listPath(name)).toStdString(), list), 0);
        return list.size();
    };
    // the grey page of Links2 fills most of the drawing area
    EXPECT_GT(count("gri_links2.txt"), 85000u);
    EXPECT_LT(count("gri_links2.txt"), 93000u);
    // the tables have no blue, so the table style's second list is empty
    EXPECT_EQ(count("mple_table.txt"), 0u);
    for (const StyleSource& style : kStyles) {
        for (const ListSource& list : style.lists) {
            if (QByteArray(list.file) != "mple_table.txt") {
                EXPECT_GT(count(list.file), 500u) << list.file;
            }
        }
    }
}

TEST(Mockups, HaveTheirSizesAndOnlyTheirOwnColours) {
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
    const QRgb light3d = qRgb(212, 208, 200);
    const QSet<QRgb> allowed[] = {
        {white, kBlue, kLightBlue, kGrey},
        {white, black, qRgb(108, 102, 254), qRgb(86, 144, 254), qRgb(81, 205, 255)},
        {white, light3d, qRgb(128, 128, 128), kLightBlue, kGrey},
        {white, qRgb(64, 64, 64), kBlue, kLightBlue, kGrey},
        {kGrey, kBlue, kLightBlue, black, white, qRgb(63, 63, 63)},
        {white, light3d, qRgb(64, 64, 64), qRgb(49, 49, 255), qRgb(49, 255, 255),
         qRgb(255, 153, 51)},
    };
    for (size_t s = 0; s < std::size(kStyles); ++s) {
        const StyleSource& style = kStyles[s];
        SCOPED_TRACE(style.key);
        const QImage picture = committedMockup(style.key);
        ASSERT_EQ(picture.width(), style.width);
        ASSERT_EQ(picture.height(), style.height);
        QSet<QRgb> seen;
        for (int y = 0; y < picture.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                seen.insert(line[x] & RGB_MASK);
        }
        for (QRgb c : seen)
            EXPECT_TRUE(allowed[s].contains(c | ~RGB_MASK))
                << "unexpected colour " << qRed(c) << "," << qGreen(c) << "," << qBlue(c);
        // every colour the style's lists stand for is there to be recoloured
        for (const ListSource& list : style.lists) {
            if (QByteArray(style.key) != "Table2" || list.colour != kBlue) {
                EXPECT_TRUE(seen.contains(list.colour & RGB_MASK)) << list.file;
            }
        }
    }
}

TEST(Mockups, CompiledInAreTheCommittedPictures) {
    for (const StyleSource& style : kStyles) {
        SCOPED_TRACE(style.key);
        const QImage compiled = preview::mockupPicture(style.key);
        ASSERT_FALSE(compiled.isNull());
        EXPECT_EQ(compiled.convertToFormat(QImage::Format_RGB32), committedMockup(style.key));
    }
    EXPECT_TRUE(preview::mockupPicture("Table").isNull());
}

TEST(Mockups, AreShownClippedToTheDrawingAreaOverTheSurfaceColour) {
    const QImage webpage = committedMockup("Webpage");
    const QImage area = preview::PreviewSurface::composeDrawingArea(webpage);
    ASSERT_EQ(area.size(), QSize(373, 269));
    EXPECT_EQ(area.pixel(0, 0), webpage.pixel(0, 0));
    EXPECT_EQ(area.pixel(364, 268), webpage.pixel(364, 268));
    // the page is 8 pixels narrower than the area
    for (int x = 365; x < 373; ++x)
        EXPECT_EQ(area.pixel(x, 100), preview::PreviewSurface::backgroundColour());
    const QImage logos = committedMockup("Logos");
    EXPECT_EQ(preview::PreviewSurface::composeDrawingArea(logos), logos.copy(0, 0, 373, 269));
}

} // namespace
