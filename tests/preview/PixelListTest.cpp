#include "preview/PixelList.h"
#include "preview/PixelListFile.h"
#include "preview/TemplateScan.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace preview;

TEST(PixelText, ReadsXBeforeTheFirstCommaAndYAfterItOnEveryKindOfLine) {
    const struct {
        std::string text;
        PixelList points;
        int skipped;
    } cases[] = {
        {"", {}, 0},
        {"12,207\r\n 3 , 4 ", {{12, 207}, {3, 4}}, 0},
        {"32767,-32768\n-1,5\n", {{32767, -32768}, {-1, 5}}, 0},
        {"2.5,3.5\r1,2\r", {{2, 4}, {1, 2}}, 0},
        {"12\r\n\r\n,5\r\n5,\r\na,1\r\n1,b\r\n1,2,3\r\n32768,0\r\n0,-32769\r\n1;2\r\n3,4",
         {{3, 4}},
         10},
    };
    for (const auto& c : cases) {
        PixelList list;
        EXPECT_EQ(appendPixelText(c.text, list), c.skipped) << c.text;
        EXPECT_EQ(list, c.points) << c.text;
    }
}

TEST(PixelRuns, KeepOnlyTheAreaMergeNeighboursAndFollowTheStride) {
    const struct {
        PixelList points;
        int width, height, stride;
        std::vector<PixelRun> runs;
    } cases[] = {
        {{{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {32767, 32767}, {3, 2}}, 4, 3, 4, {{11, 1}}},
        // column by column, as the authoring scan writes them, with a repeat
        {{{1, 0}, {1, 1}, {2, 0}, {2, 1}, {3, 0}, {2, 0}}, 5, 2, 5, {{1, 3}, {6, 2}}},
        {{{2, 0}, {0, 1}}, 3, 2, 3, {{2, 2}}},
        {{{2, 0}, {0, 1}}, 3, 2, 4, {{2, 1}, {4, 1}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(prepareRuns(c.points, c.width, c.height, c.stride), c.runs);
}

TEST(TemplateScan, ListsExactMatchesColumnByColumnAndRepaintsEachPixelOnce) {
    const QRgb blue = qRgb(0, 0, 255), grey = qRgb(192, 192, 192), nearBlue = qRgb(49, 49, 255);
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(nearBlue);
    image.setPixel(0, 1, blue);
    image.setPixel(2, 0, blue);
    image.setPixel(1, 0, grey);
    // blue turns grey, which the second target must not then take
    const auto texts =
        scanTemplates(image, {{{blue, grey}, {grey, qRgb(1, 2, 3)}, {nearBlue, std::nullopt}}});
    EXPECT_EQ(texts,
              (std::array<std::string, 3>{"0,1\r\n2,0\r\n", "1,0\r\n", "0,0\r\n1,1\r\n2,1\r\n"}));
    const QRgb after[] = {nearBlue, qRgb(1, 2, 3), grey, grey, nearBlue, nearBlue};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(image.pixel(i % 3, i / 3), after[i]) << i;
}

// A list file up to the bound is read whole, skipped lines counted; a pipe, a file larger than
// the bound, a folder or a missing file is refused without waiting and keeps the points.
TEST(ListFile, ReadsARegularFileUpToTheBoundAndRefusesAnythingElse) {
    QTemporaryDir dir;
    const QString path = dir.filePath("list.txt"), sparse = dir.filePath("sparse.txt");
    // a line of 8 M digits, and NULs up to the largest size a list may have
    ASSERT_TRUE(writeListFile(path, "1,2\r\n" + std::string(8 << 20, '7') + ",1\r\n5,5\r\n"));
    ASSERT_TRUE(QFile::resize(path, kMaxListFileBytes));
    PixelList read;
    const PixelListFileRead r = readPixelListFile(path, read);
    EXPECT_TRUE(r.read && r.skippedLines == 2) << r.skippedLines;
    EXPECT_EQ(read, (PixelList{{1, 2}, {5, 5}}));

    const QString pipe = dir.filePath("pipe.txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0); // nobody writes into it
    // larger than the bound on paper only
    ASSERT_TRUE(writeListFile(sparse, "1,1\r\n") && QFile::resize(sparse, kMaxListFileBytes + 1));
    for (const QString& refused : {pipe, sparse, dir.path(), dir.filePath("none")}) {
        PixelList points = {{1, 2}};
        const PixelListFileRead refusal = readPixelListFile(refused, points);
        EXPECT_TRUE(!refusal.read && !refusal.error.isEmpty()) << refused.toStdString();
        EXPECT_TRUE(points == (PixelList{{1, 2}}));
    }
}
