#include "io/ColorsFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using io::ColorFields;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll();
}

bool writePlain(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

const std::array<ColorFields, 3> kScheme = {{
    {"86", "52", "18", "1193046", "#563412", "#663300"},
    {"255", "255", "255", "16777215", "#FFFFFF", "#FFFFFF"},
    {"0", "128", "7", "491520", "#008007", "#009900"},
}};

} // namespace

TEST(ColorsFileLine, LaysOutEveryNotationWithItsUnevenSpacing) {
    struct Case {
        int k;
        ColorFields fields;
        const char* expected;
    };
    const Case cases[] = {
        {1, kScheme[0], "Color1 R:86 G: 52 B:18 RGB: 1193046 HTML: #563412 Websafe: #663300\r\n"},
        {2, kScheme[1],
         "Color2 R:255 G: 255 B:255 RGB: 16777215 HTML: #FFFFFF Websafe: #FFFFFF\r\n"},
        {3, kScheme[2], "Color3 R:0 G: 128 B:7 RGB: 491520 HTML: #008007 Websafe: #009900\r\n"},
        // empty fields leave empty pieces, so the labels run into each other
        {1, ColorFields{}, "Color1 R: G:  B: RGB:  HTML:  Websafe: \r\n"},
        // typed texts are written as typed
        {3,
         {"x y", "", "-4", "12.5", "abc", " "},
         "Color3 R:x y G:  B:-4 RGB: 12.5 HTML: abc Websafe:  \r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(io::colorsFileLine(c.k, c.fields), c.expected) << c.expected;
}

TEST(ColorsFileText, IsExactlyThreeLinesInColourOrderAndNothingAfter) {
    const std::string text = io::colorsFileText(kScheme);
    EXPECT_EQ(text, io::colorsFileLine(1, kScheme[0]) + io::colorsFileLine(2, kScheme[1]) +
                        io::colorsFileLine(3, kScheme[2]));
    size_t lineBreaks = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i)
        lineBreaks += (text[i] == '\r' && text[i + 1] == '\n') ? 1 : 0;
    EXPECT_EQ(lineBreaks, 3u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
}

TEST(ColorsFileText, EmptyPanelStillGivesThreeLabelledLines) {
    EXPECT_EQ(io::colorsFileText({}), "Color1 R: G:  B: RGB:  HTML:  Websafe: \r\n"
                                      "Color2 R: G:  B: RGB:  HTML:  Websafe: \r\n"
                                      "Color3 R: G:  B: RGB:  HTML:  Websafe: \r\n");
}

TEST(ReplaceFileContents, CreatesANewFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("colors.txt"));
    ASSERT_TRUE(io::replaceFileContents(path, "abc\r\n"));
    EXPECT_EQ(readAll(path), QByteArray("abc\r\n"));
}

TEST(ReplaceFileContents, ReplacesALongerFileWholeNeverAppends) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("colors.txt"));
    ASSERT_TRUE(writePlain(path, QByteArray(500, 'z')));
    ASSERT_TRUE(io::replaceFileContents(path, "first\r\n"));
    ASSERT_TRUE(io::replaceFileContents(path, "2nd\r\n"));
    EXPECT_EQ(readAll(path), QByteArray("2nd\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("colors.txt")});
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

TEST(ReplaceFileContents, UnwritableFolderKeepsTheEarlierFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser; the failed write case "
                        "below covers the same promise";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("colors.txt"));
    ASSERT_TRUE(writePlain(path, "earlier\r\n"));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const bool written = io::replaceFileContents(path, "later\r\n");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(written);
    EXPECT_EQ(readAll(path), QByteArray("earlier\r\n"));
}

TEST(ReplaceFileContents, WriteFailingPartWayKeepsTheEarlierFileAndLeavesNoPartialOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("colors.txt"));
    ASSERT_TRUE(writePlain(path, "earlier\r\n"));
    const QByteArray text = QByteArray::fromStdString(io::colorsFileText(kScheme));

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
    EXPECT_EQ(readAll(path), QByteArray("earlier\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("colors.txt")});
    // and the same file takes the full text once the disk allows it
    EXPECT_TRUE(io::replaceFileContents(path, text));
    EXPECT_EQ(readAll(path), text);
}
