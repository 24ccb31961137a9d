#include "preview/PixelList.h"
#include "preview/PreviewStyles.h"
#include "preview/TemplateScan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

using preview::PixelList;
using preview::PixelPoint;
using preview::PixelRun;

namespace {

struct LineCase {
    const char* line;
    bool valid;
    int x;
    int y;
};

const LineCase kLineCases[] = {
    {"12,207", true, 12, 207},
    {"0,0", true, 0, 0},
    {" 3 , 4 ", true, 3, 4},
    {"-1,5", true, -1, 5},
    {"32767,-32768", true, 32767, -32768},
    {"2.5,3.5", true, 2, 4},
    {"12", false, 0, 0},
    {"", false, 0, 0},
    {",5", false, 0, 0},
    {"5,", false, 0, 0},
    {"a,1", false, 0, 0},
    {"1,b", false, 0, 0},
    {"1,2,3", false, 0, 0},
    {"32768,0", false, 0, 0},
    {"0,-32769", false, 0, 0},
    {"1;2", false, 0, 0},
};

TEST(PixelLine, ReadsXBeforeFirstCommaAndYAfterIt) {
    for (const LineCase& c : kLineCases) {
        SCOPED_TRACE(c.line);
        const auto point = preview::parsePixelLine(c.line);
        ASSERT_EQ(point.has_value(), c.valid);
        if (c.valid) {
            EXPECT_EQ(point->x, c.x);
            EXPECT_EQ(point->y, c.y);
        }
    }
}

TEST(PixelLine, IsWrittenPlainWithCrLf) {
    EXPECT_EQ(preview::pixelLine(12, 207), "12,207\r\n");
    EXPECT_EQ(preview::pixelLine(0, 0), "0,0\r\n");
}

TEST(PixelText, ReadsEveryLineEndAndALastLineWithoutOne) {
    struct Case {
        std::string text;
        PixelList points;
        int skipped;
    };
    const Case cases[] = {
        {"", {}, 0},
        {"1,2\r\n3,4\r\n", {{1, 2}, {3, 4}}, 0},
        {"1,2\r\n3,4", {{1, 2}, {3, 4}}, 0},
        {"1,2\n3,4\n", {{1, 2}, {3, 4}}, 0},
        {"1,2\r3,4\r", {{1, 2}, {3, 4}}, 0},
        {"1,2\r\n\r\n3,4\r\n", {{1, 2}, {3, 4}}, 1},
        {"1,2\r\nabc\r\n3\r\n,4\r\n5,\r\n6,x\r\n40000,1\r\n1,-40000\r\n7,8", {{1, 2}, {7, 8}}, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PixelList list;
        EXPECT_EQ(preview::appendPixelText(c.text, list), c.skipped);
        EXPECT_EQ(list, c.points);
    }
}

TEST(PixelText, AppendsToWhatTheListHolds) {
    PixelList list{{9, 9}};
    preview::appendPixelText("1,2\r\n", list);
    EXPECT_EQ(list, (PixelList{{9, 9}, {1, 2}}));
}

TEST(PixelRuns, DropPointsOutsideTheArea) {
    const PixelList list{{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {32767, 32767}, {3, 2}};
    EXPECT_EQ(preview::prepareRuns(list, 4, 3, 4), (std::vector<PixelRun>{{11, 1}}));
}

TEST(PixelRuns, MergeNeighboursAndRepeatsWhateverTheOrder) {
    // column by column, as the authoring scan writes them, with a repeat
    const PixelList list{{1, 0}, {1, 1}, {2, 0}, {2, 1}, {3, 0}, {2, 0}};
    EXPECT_EQ(preview::prepareRuns(list, 5, 2, 5), (std::vector<PixelRun>{{1, 3}, {6, 2}}));
}

TEST(PixelRuns, FollowTheStrideAndJoinRowsOnlyWhereMemoryIsContiguous) {
    const PixelList list{{2, 0}, {0, 1}};
    EXPECT_EQ(preview::prepareRuns(list, 3, 2, 3), (std::vector<PixelRun>{{2, 2}}));
    EXPECT_EQ(preview::prepareRuns(list, 3, 2, 4), (std::vector<PixelRun>{{2, 1}, {4, 1}}));
}

TEST(PixelRuns, PaintExactlyTheirPixels) {
    std::vector<uint32_t> image(12, 7u);
    preview::paintRuns(image.data(), {{1, 2}, {8, 1}}, 42u);
    const std::vector<uint32_t> expected{7, 42, 42, 7, 7, 7, 7, 7, 42, 7, 7, 7};
    EXPECT_EQ(image, expected);
}

TEST(PixelLists, AppendAccumulatesAndClearEmptiesAllThree) {
    preview::PixelLists lists(10, 10, 10);
    lists.append(1, {{1, 1}});
    lists.append(1, {{2, 1}, {2, 1}, {20, 1}});
    lists.append(3, {{0, 0}});
    EXPECT_EQ(lists.points(1), (PixelList{{1, 1}, {2, 1}, {2, 1}, {20, 1}}));
    EXPECT_EQ(lists.runs(1), (std::vector<PixelRun>{{11, 2}}));
    EXPECT_EQ(lists.paintedPixels(1), 2u);
    EXPECT_TRUE(lists.points(2).empty());
    EXPECT_EQ(lists.paintedPixels(3), 1u);
    lists.clear();
    for (int k = 1; k <= 3; ++k) {
        EXPECT_TRUE(lists.points(k).empty());
        EXPECT_TRUE(lists.runs(k).empty());
    }
}

TEST(PreviewStyles, ListTheSixStylesInOrderWithTheirFiles) {
    const auto& styles = preview::previewStyles();
    const char* const entries[] = {"Logos Style", "Webpage Style", "Table Style",
                                   "Links Style", "Links2 Style",  "Scrollbar Style"};
    const char* const keys[] = {"Logos", "Webpage", "Table2", "Links", "Links2", "Scrollbar"};
    for (size_t i = 0; i < styles.size(); ++i) {
        EXPECT_EQ(styles[i].entry, entries[i]);
        EXPECT_EQ(styles[i].mockupKey, keys[i]);
    }
    // the two styles whose files do not come in the mple, gri, galazio order
    EXPECT_EQ(styles[2].files[0], "gri_table.txt");
    EXPECT_EQ(styles[2].files[1], "mple_table.txt");
    EXPECT_EQ(styles[4].files[1], "galazio_links2.txt");
    EXPECT_EQ(styles[4].files[2], "gri_links2.txt");
    EXPECT_EQ(styles[1].files[0], "mple.txt");
}

TEST(PreviewStyles, AreFoundByTheExactEntryText) {
    ASSERT_NE(preview::findPreviewStyle("Links2 Style"), nullptr);
    EXPECT_EQ(preview::findPreviewStyle("Links2 Style")->mockupKey, "Links2");
    EXPECT_EQ(preview::findPreviewStyle("links2 style"), nullptr);
    EXPECT_EQ(preview::findPreviewStyle("Links2 Style "), nullptr);
    EXPECT_EQ(preview::findPreviewStyle(""), nullptr);
}

TEST(TemplateScan, ListsExactMatchesColumnByColumnAndRepaintsThem) {
    const QRgb blue = qRgb(0, 0, 255), grey = qRgb(192, 192, 192), cyan = qRgb(0, 255, 255);
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 1, blue);
    image.setPixel(2, 0, blue);
    image.setPixel(1, 0, grey);
    image.setPixel(1, 1, cyan);
    image.setPixel(0, 0, qRgb(49, 49, 255)); // near blue: not a template pixel
    const QRgb c1 = qRgb(10, 20, 30), c2 = qRgb(40, 50, 60), c3 = qRgb(70, 80, 90);
    const auto texts = preview::scanTemplates(image, {{{blue, c1}, {grey, c3}, {cyan, c2}}});
    EXPECT_EQ(texts[0], "0,1\r\n2,0\r\n");
    EXPECT_EQ(texts[1], "1,0\r\n");
    EXPECT_EQ(texts[2], "1,1\r\n");
    EXPECT_EQ(image.pixel(0, 1), c1);
    EXPECT_EQ(image.pixel(2, 0), c1);
    EXPECT_EQ(image.pixel(1, 0), c3);
    EXPECT_EQ(image.pixel(1, 1), c2);
    EXPECT_EQ(image.pixel(0, 0), qRgb(49, 49, 255));

    // everything was repainted, so a second scan finds nothing
    const auto again = preview::scanTemplates(image, {{{blue, c1}, {grey, c3}, {cyan, c2}}});
    for (const std::string& text : again)
        EXPECT_TRUE(text.empty());
}

TEST(TemplateScan, WithoutRepaintLeavesThePicture) {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 255));
    const QImage before = image.copy();
    const auto texts = preview::scanTemplates(
        image, {{{qRgb(0, 0, 255), std::nullopt}, {qRgb(1, 1, 1), {}}, {qRgb(2, 2, 2), {}}}});
    EXPECT_EQ(texts[0], "0,0\r\n0,1\r\n1,0\r\n1,1\r\n");
    EXPECT_EQ(image, before);
}

TEST(ListFile, IsWrittenAnewAndFailureIsReported) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("mple_table1.txt"));
    ASSERT_TRUE(preview::writeListFile(path, "1,2\r\n3,4\r\n"));
    ASSERT_TRUE(preview::writeListFile(path, "5,6\r\n"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("5,6\r\n"));

    QString error;
    EXPECT_FALSE(preview::writeListFile(dir.filePath(QStringLiteral("missing/x.txt")), "", &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
