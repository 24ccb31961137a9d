#include "preview/PixelList.h"
#include "preview/PixelListFile.h"
#include "preview/TemplateScan.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using preview::PixelList;
using preview::PixelRun;

namespace {

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
        EXPECT_EQ(preview::appendPixelText(c.text, list), c.skipped) << c.text;
        EXPECT_EQ(list, c.points) << c.text;
    }
    EXPECT_EQ(preview::pixelLine(12, 207), "12,207\r\n");
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
        EXPECT_EQ(preview::prepareRuns(c.points, c.width, c.height, c.stride), c.runs);

    std::vector<uint32_t> image(12, 7u);
    preview::paintRuns(image.data(), {{1, 2}, {8, 1}}, 42u);
    EXPECT_EQ(image, (std::vector<uint32_t>{7, 42, 42, 7, 7, 7, 7, 7, 42, 7, 7, 7}));
}

TEST(PixelLists, AppendAccumulatesAndClearEmptiesThem) {
    preview::PixelLists lists(10, 10, 10);
    lists.append(1, {{1, 1}});
    lists.append(1, {{2, 1}, {2, 1}, {20, 1}});
    EXPECT_EQ(lists.points(1), (PixelList{{1, 1}, {2, 1}, {2, 1}, {20, 1}}));
    EXPECT_EQ(lists.runs(1), (std::vector<PixelRun>{{11, 2}}));
    EXPECT_EQ(lists.paintedPixels(1), 2u);
    lists.clear();
    EXPECT_TRUE(lists.points(1).empty() && lists.runs(1).empty() && lists.paintedPixels(1) == 0);
}

TEST(TemplateScan, ListsExactMatchesColumnByColumnAndRepaintsEachPixelOnce) {
    const QRgb blue = qRgb(0, 0, 255), grey = qRgb(192, 192, 192), nearBlue = qRgb(49, 49, 255);
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(nearBlue);
    image.setPixel(0, 1, blue);
    image.setPixel(2, 0, blue);
    image.setPixel(1, 0, grey);
    // blue turns grey, which the second target must not then take
    const auto texts = preview::scanTemplates(
        image, {{{blue, grey}, {grey, qRgb(1, 2, 3)}, {nearBlue, std::nullopt}}});
    EXPECT_EQ(texts,
              (std::array<std::string, 3>{"0,1\r\n2,0\r\n", "1,0\r\n", "0,0\r\n1,1\r\n2,1\r\n"}));
    const QRgb after[] = {nearBlue, qRgb(1, 2, 3), grey, grey, nearBlue, nearBlue};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(image.pixel(i % 3, i / 3), after[i]) << i;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TEST(ListFile, ReadsAFileUpToTheBoundWholeAndCountsTheSkippedLines) {
    QTemporaryDir dir;
    const QString path = dir.filePath("list.txt");
    // a line of 8 M digits, and NULs up to the largest size a list may have
    ASSERT_TRUE(writeBytes(path, "1,2\r\n" + QByteArray(8 * 1024 * 1024, '7') + ",1\r\n5,5\r\n"));
    ASSERT_TRUE(QFile::resize(path, preview::kMaxListFileBytes));
    PixelList read;
    const preview::PixelListFileRead r = preview::readPixelListFile(path, read);
    EXPECT_TRUE(r.read);
    EXPECT_EQ(r.skippedLines, 2);
    EXPECT_EQ(read, (PixelList{{1, 2}, {5, 5}}));
}

TEST(ListFile, RefusesWhatIsNoListWithoutWaitingAndKeepsThePoints) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe.txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0); // nobody writes into it
    const QString sparse = dir.filePath("sparse.txt");
    ASSERT_TRUE(writeBytes(sparse, "1,1\r\n"));
    ASSERT_TRUE(QFile::resize(sparse, preview::kMaxListFileBytes + 1)); // large on paper only
    for (const QString& path : {pipe, sparse, dir.path(), dir.filePath("none")}) {
        PixelList points = {{1, 2}};
        const preview::PixelListFileRead r = preview::readPixelListFile(path, points);
        EXPECT_FALSE(r.read) << path.toStdString();
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_TRUE(points == (PixelList{{1, 2}}));
    }
}

TEST(ListFile, ReportsAFailedWrite) {
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(preview::writeListFile(dir.filePath("missing/x.txt"), "", &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
