#include "preview/Mockups.h"
#include "preview/PreviewSurface.h"
#include "preview/TemplateScan.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

const QString kAssets = QStringLiteral(CHROMALUNE_PREVIEW_ASSETS);
const QRgb kBlue = qRgb(0, 0, 255), kGrey = qRgb(192, 192, 192), kCyan = qRgb(0, 255, 255);

const QString kLists = kAssets + QStringLiteral("/lists/");

/// Each mock-up: the suffix of its "mple", "gri" and "galazio" list files and their template
/// colours.
static const struct {
    const char* key;
    const char* suffix;
    QRgb templates[3];
} kStyles[] = {
    {"Logos", "_logos", {kBlue, kGrey, kCyan}},
    {"Webpage", "", {qRgb(81, 205, 255), qRgb(108, 102, 254), qRgb(86, 144, 254)}},
    {"Table2", "_table", {kBlue, kGrey, kCyan}},
    {"Links", "_links", {kBlue, kGrey, kCyan}},
    {"Links2", "_links2", {kBlue, kGrey, kCyan}},
    {"Scrollbar", "_scrollbar", {qRgb(49, 49, 255), qRgb(49, 255, 255), qRgb(255, 153, 51)}},
};

// The lists are what the authoring scan makes of the committed mock-ups, which are compiled in.
TEST(PixelListFiles, RegenerateByteForByteFromTheCommittedMockups) {
    for (const auto& style : kStyles) {
        const QImage committed = QImage(kAssets + "/mockups/" + style.key + ".png")
                                     .convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(preview::mockupPicture(style.key).convertToFormat(committed.format()), committed);
        QImage area = preview::composeDrawingArea(committed);
        const auto& t = style.templates;
        const auto texts = preview::scanTemplates(area, {{{t[0], {}}, {t[1], {}}, {t[2], {}}}});
        for (size_t i = 0; i < 3; ++i) {
            const QString file = QStringList{"mple", "gri", "galazio"}[i] + style.suffix + ".txt";
            EXPECT_TRUE(readAll(kLists + file) == QByteArray::fromStdString(texts[i]))
                << file.toStdString();
        }
    }
}
