#include "io/FileWriter.h"
#include "support/FileSizeLimit.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;
const QByteArray kEarlier = "my earlier colours\r\n";
const QByteArray kText = "Color1 R:1\r\nColor2 R:2\r\nColor3 R:3\r\n";

bool writePlain(const QString& path, const QByteArray& bytes, mode_t mode = 0644) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() &&
           ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

struct stat statOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}
bool chownTo(const QString& path, uid_t uid) {
    return ::chown(QFile::encodeName(path).constData(), uid, uid) == 0;
}

/// Writes as an ordinary user: for root, in a child process that has become nobody.
bool writeAsUser(const QString& path, const QByteArray& bytes) {
    if (geteuid() != 0)
        return io::writeFile(path, bytes);
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = setgid(kNobody) == 0 && setuid(kNobody) == 0;
        _exit(dropped && io::writeFile(path, bytes) ? 0 : 1);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

// Each case makes an existing target (a file holding kEarlier unless it says otherwise) and
// says whether the save goes through. A target written in place keeps its kind, inode,
// owner, group and mode; a refused one keeps its content; no temporary file is left.
TEST(WriteFile, KeepsWhatTheTargetIsAndReportsEveryFailure) {
    struct Case {
        const char* name;
        std::function<bool(const QString& dir, const QString& path)> make; // false: skip
        bool asUser;
        bool written;
        bool inPlace;
    };
    const bool root = geteuid() == 0;
    const Case cases[] = {
        {"own file, mode 0640", [](auto, auto p) { return writePlain(p, kEarlier, 0640); }, false,
         true, false},
        {"hard link",
         [](const QString& d, auto p) {
             return writePlain(p, kEarlier) &&
                    ::link(QFile::encodeName(p), QFile::encodeName(d + "/twin")) == 0;
         },
         false, true, true},
        {"another user's file",
         [root](auto, auto p) {
             return root && writePlain(p, kEarlier, 0640) && chownTo(p, kNobody);
         },
         false, true, true},
        {"writable file in a read-only folder",
         [root](const QString& d, auto p) {
             return writePlain(p, kEarlier) &&
                    (!root || (chownTo(p, kNobody) && chownTo(d, kNobody))) &&
                    ::chmod(QFile::encodeName(d), 0555) == 0;
         },
         true, true, true},
        {"read-only file", [](auto, auto p) { return writePlain(p, kEarlier, 0444); }, false, false,
         true},
        {"device that takes anything",
         [root](auto, auto p) {
             return root && ::mknod(QFile::encodeName(p), S_IFCHR | 0666, makedev(1, 3)) == 0;
         },
         false, true, true},
        {"full device",
         [root](auto, auto p) {
             return root && ::mknod(QFile::encodeName(p), S_IFCHR | 0666, makedev(1, 7)) == 0;
         },
         false, false, true},
        {"pipe nobody reads",
         [](auto, auto p) { return ::mkfifo(QFile::encodeName(p), 0644) == 0; }, false, false,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir tmp;
        const QString dir = tmp.filePath("d");
        const QString path = dir + QStringLiteral("/colors.txt");
        ASSERT_TRUE(QDir().mkpath(dir) && ::chmod(QFile::encodeName(tmp.path()), 0755) == 0);
        if (!c.make(dir, path)) {
            std::printf("[ skipped ] %s: cannot be made here\n", c.name);
            continue;
        }
        const struct stat before = statOf(path);
        EXPECT_EQ(c.asUser ? writeAsUser(path, kText) : io::writeFile(path, kText), c.written);
        ::chmod(QFile::encodeName(dir), 0755);
        const struct stat after = statOf(path);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        if (c.inPlace)
            EXPECT_EQ(after.st_ino, before.st_ino);
        if (S_ISREG(before.st_mode)) {
            EXPECT_EQ(readAll(path), c.written ? kText : kEarlier);
            if (QFile::exists(dir + "/twin"))
                EXPECT_EQ(readAll(dir + "/twin"), kText);
        }
        EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::System | QDir::Hidden).size(),
                  1 + QFile::exists(dir + "/twin"));
    }
}

TEST(WriteFile, WritesIntoAPipeThatIsRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    QString error;
    EXPECT_TRUE(io::writeFile(path, kText, &error)) << error.toStdString();
    QByteArray got(1000, '\0');
    got.resize(std::max<ssize_t>(0, ::read(reader, got.data(), size_t(got.size()))));
    ::close(reader);
    EXPECT_EQ(got, kText);
    EXPECT_TRUE(S_ISFIFO(statOf(path).st_mode));
}

// no name, a folder, a missing folder, a file used as a folder, a folder nobody may write into
TEST(WriteFile, FailsWhereNoFileCanBeMadeAndSaysWhy) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder") && writePlain(dir.filePath("plain"), kEarlier));
    for (const QString& target : {QString(), dir.filePath("folder"), dir.filePath("missing/c.txt"),
                                  dir.filePath("plain/c.txt"), QString("/proc/chromalune.txt")}) {
        QString error;
        EXPECT_FALSE(io::writeFile(target, "data\r\n", &error)) << target.toStdString();
        EXPECT_FALSE(error.isEmpty()) << target.toStdString();
    }
    EXPECT_EQ(readAll(dir.filePath("plain")), kEarlier);
}

// The disk refuses the write half-way, for a file replaced whole and one written in place
// (it has a second name): the earlier content stays, nothing is left beside it, and once the
// disk allows it the text replaces the content whole.
TEST(WriteFile, AWriteFailingPartWayKeepsTheEarlierContent) {
    for (const bool linked : {false, true}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("colors.txt");
        const QByteArray earlier(25, 'z');
        ASSERT_TRUE(writePlain(path, earlier));
        if (linked)
            ASSERT_TRUE(::link(QFile::encodeName(path), QFile::encodeName(path + "2")) == 0);
        const bool written = withFileSizeLimit(30, [&] { return io::writeFile(path, kText); });

        EXPECT_FALSE(written) << linked;
        EXPECT_EQ(readAll(path), earlier) << linked;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), linked ? 2 : 1);
        EXPECT_TRUE(io::writeFile(path, kText));
        EXPECT_EQ(readAll(path), kText);
    }
}
