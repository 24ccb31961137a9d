#include "io/ColorsFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writePlain(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

TEST(ColorsFileText, LaysOutEveryNotationWithItsUnevenSpacingInThreeLines) {
    EXPECT_EQ(io::colorsFileText({{{"86", "52", "18", "1193046", "#563412", "#663300"},
                                   {"255", "255", "255", "16777215", "#FFFFFF", "#FFFFFF"},
                                   {"0", "128", "7", "491520", "#008007", "#009900"}}}),
              "Color1 R:86 G: 52 B:18 RGB: 1193046 HTML: #563412 Websafe: #663300\r\n"
              "Color2 R:255 G: 255 B:255 RGB: 16777215 HTML: #FFFFFF Websafe: #FFFFFF\r\n"
              "Color3 R:0 G: 128 B:7 RGB: 491520 HTML: #008007 Websafe: #009900\r\n");
    // empty fields leave empty pieces, so the labels run into each other
    EXPECT_EQ(io::colorsFileText({}), "Color1 R: G:  B: RGB:  HTML:  Websafe: \r\n"
                                      "Color2 R: G:  B: RGB:  HTML:  Websafe: \r\n"
                                      "Color3 R: G:  B: RGB:  HTML:  Websafe: \r\n");
}

TEST(ReplaceFileContents, FailsWhereNoFileCanBeMade) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    ASSERT_TRUE(writePlain(dir.filePath(QStringLiteral("plain")), "keep"));
    const QString targets[] = {
        QString(),                                     // no name at all
        dir.filePath(QStringLiteral("folder")),        // the name of a folder
        dir.filePath(QStringLiteral("missing/c.txt")), // a folder that does not exist
        dir.filePath(QStringLiteral("plain/c.txt")),   // a file used as a folder
        QStringLiteral("/proc/chromalune-colors.txt"), // a folder nobody may write into
    };
    for (const QString& target : targets)
        EXPECT_FALSE(io::replaceFileContents(target, "data\r\n")) << target.toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());
    EXPECT_EQ(readAll(dir.filePath(QStringLiteral("plain"))), QByteArray("keep"));
}

TEST(ReplaceFileContents, WriteFailingPartWayKeepsTheEarlierFileAndASuccessReplacesItWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("colors.txt"));
    const QByteArray earlier(500, 'z');
    ASSERT_TRUE(writePlain(path, earlier));
    const QByteArray text = QByteArray::fromStdString(io::colorsFileText({}));

    // a file-size limit below the text makes the disk refuse the write half-way
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 40;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = io::replaceFileContents(path, text);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(readAll(path), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("colors.txt")});
    // once the disk allows it the shorter text replaces the file whole, nothing appended or left
    EXPECT_TRUE(io::replaceFileContents(path, text));
    EXPECT_EQ(readAll(path), text);
}
