#include "io/FileWriter.h"
#include "support/FileSizeLimit.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

constexpr uid_t kNobody = 65534;
const bool kRoot = geteuid() == 0;
const QByteArray kEarlier = "my earlier colours\r\n";
const QByteArray kText = "Color1 R:1\r\nColor2 R:2\r\nColor3 R:3\r\n";

static bool writePlain(const QString& path, const QByteArray& bytes, mode_t mode = 0644) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() &&
           ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

static bool chownTo(const QString& path, uid_t uid) {
    return ::chown(QFile::encodeName(path).constData(), uid, uid) == 0;
}

/// The kind and mode, owner, group and inode of the file at path.
static std::tuple<mode_t, uid_t, gid_t, ino_t> identity(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return {st.st_mode, st.st_uid, st.st_gid, st.st_ino};
}

/// Writes as an ordinary user: for root, in a child process that has become nobody.
static bool writeAsUser(const QString& path, const QByteArray& bytes) {
    if (!kRoot)
        return io::writeFile(path, bytes);
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = setgid(kNobody) == 0 && setuid(kNobody) == 0;
        _exit(dropped && io::writeFile(path, bytes) ? 0 : 1);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Each case makes an existing target in folder d that must be written in place, and says
// whether the save goes through. The target keeps its kind, inode, owner, group and mode; a
// refused one keeps its content; no temporary file is left. Cases that need root are left out
// for others. The pipe's reader is left open until the test ends.
TEST(WriteFile, KeepsWhatTheTargetIsAndReportsEveryFailure) {
    const struct {
        const char* name;
        bool (*make)(QString d, QString path);
        bool asUser, written;
    } cases[] = {
        {"hard link",
         [](auto d, auto p) {
             return writePlain(p, kEarlier) &&
                    ::link(QFile::encodeName(p), QFile::encodeName(d + "/twin")) == 0;
         },
         false, true},
        {"another user's file",
         [](auto, auto p) { return kRoot && writePlain(p, kEarlier, 0640) && chownTo(p, kNobody); },
         false, true},
        {"writable file in a read-only folder",
         [](auto d, auto p) {
             return writePlain(p, kEarlier) &&
                    (!kRoot || (chownTo(p, kNobody) && chownTo(d, kNobody))) &&
                    ::chmod(QFile::encodeName(d), 0555) == 0;
         },
         true, true},
        {"pipe being read",
         [](auto, auto p) {
             return ::mkfifo(QFile::encodeName(p), 0600) == 0 &&
                    ::open(QFile::encodeName(p), O_RDONLY | O_NONBLOCK) >= 0;
         },
         false, true},
        {"read-only file", [](auto, auto p) { return writePlain(p, kEarlier, 0444); }, false,
         false},
        {"pipe whose reader has gone", // the broken-pipe signal at its default, as a shell has it
         [](auto, auto p) {
             int ends[2];
             std::signal(SIGPIPE, SIG_DFL);
             return ::pipe(ends) == 0 && ::close(ends[0]) == 0 &&
                    ::symlink(("/proc/self/fd/" + std::to_string(ends[1])).c_str(),
                              QFile::encodeName(p)) == 0;
         },
         false, false},
        {"full device",
         [](auto, auto p) {
             return kRoot && ::mknod(QFile::encodeName(p), S_IFCHR | 0666, makedev(1, 7)) == 0;
         },
         false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir tmp;
        const QString dir = tmp.filePath("d"), path = dir + "/colors.txt";
        ASSERT_TRUE(QDir().mkpath(dir) && ::chmod(QFile::encodeName(tmp.path()), 0755) == 0);
        if (!c.make(dir, path))
            continue;
        const auto before = identity(path);
        EXPECT_EQ(c.asUser ? writeAsUser(path, kText) : io::writeFile(path, kText), c.written);
        ::chmod(QFile::encodeName(dir), 0755);
        EXPECT_EQ(identity(path), before);
        if (S_ISREG(std::get<0>(before))) { // a hard link's second name shares this inode
            EXPECT_EQ(readAll(path), c.written ? kText : kEarlier);
        }
        EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::System | QDir::Hidden).size(),
                  1 + QFile::exists(dir + "/twin"));
    }
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
// (it has a second name): the earlier content stays and nothing is left beside it.
TEST(WriteFile, AWriteFailingPartWayKeepsTheEarlierContent) {
    for (const bool linked : {false, true}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("colors.txt");
        ASSERT_TRUE(writePlain(path, kEarlier));
        ASSERT_TRUE(!linked || ::link(QFile::encodeName(path), QFile::encodeName(path + "2")) == 0);
        EXPECT_FALSE(withFileSizeLimit(30, [&] { return io::writeFile(path, kText); })) << linked;
        EXPECT_EQ(readAll(path), kEarlier) << linked;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), linked ? 2 : 1);
    }
}
