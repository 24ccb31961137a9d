#include "FileWriter.h"

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
#include <QString>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace io {

namespace {

// how long a pipe or device may take no byte at all before the write is given up, so a
// reader that stops reading cannot hold the program
constexpr int kStallMilliseconds = 5000;

bool fail(QString* error, const QString& reason) {
    if (error != nullptr)
        *error = reason;
    return false;
}

bool failWithErrno(QString* error, int code) {
    return fail(error, qt_error_string(code));
}

/// The folder of a path as the system names it: the part before the last '/', "." for a
/// bare name. The working folder stays the system's own: its name may not read as text.
QByteArray folderOf(const QByteArray& native) {
    const qsizetype slash = native.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : native.left(slash);
}

/// Whether replacing the file by a new one keeps everything the file has: it is the user's
/// own, has one name, gets the same group anew and lies in a folder the user may write.
bool replacingKeepsEverything(const QByteArray& native, const struct stat& file) {
    if (file.st_nlink != 1 || file.st_uid != geteuid())
        return false;
    // the special bits are not carried over to a new file
    if ((file.st_mode & (S_ISUID | S_ISGID | S_ISVTX)) != 0)
        return false;
    if (faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) != 0)
        return false;
    const QByteArray folder = folderOf(native);
    struct stat dir {};
    if (::stat(folder.constData(), &dir) != 0 ||
        faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return false;
    const gid_t newGroup = (dir.st_mode & S_ISGID) != 0 ? dir.st_gid : getegid();
    return file.st_gid == newGroup;
}

/// Writes all bytes to fd; a descriptor that takes nothing for a while is given up.
bool writeAll(int fd, const QByteArray& bytes, QString* error) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd waiting{fd, POLLOUT, 0};
            const int ready = ::poll(&waiting, 1, kStallMilliseconds);
            if (ready < 0 && errno != EINTR)
                return failWithErrno(error, errno);
            if (ready == 0)
                return fail(error, QStringLiteral("Nothing reads from it"));
            continue;
        }
        return failWithErrno(error, n < 0 ? errno : EIO);
    }
    return true;
}

/// Writes a new file beside native and renames it over native only when complete, so a
/// failure part-way never empties or truncates the file the user already has; the new file
/// takes the mode of the file it replaces (replaced), else the mode any new file gets. The
/// names stay the system's bytes throughout, so a relative name resolves in any working
/// folder, also one whose name does not read as text.
bool writeAtomically(const QByteArray& native, const QByteArray& bytes, const struct stat* replaced,
                     QString* error) {
    // a name of its own beside the target, so the rename stays within one file system
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = native + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd =
            ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 100))
            return failWithErrno(error, errno);
    }
    bool ok = replaced == nullptr || ::fchmod(fd, replaced->st_mode & 07777) == 0 ||
              failWithErrno(error, errno);
    ok = ok && writeAll(fd, bytes, error);
    if (ok && ::fsync(fd) != 0)
        ok = failWithErrno(error, errno);
    if (::close(fd) != 0 && ok)
        ok = failWithErrno(error, errno);
    if (ok && ::rename(temporary.constData(), native.constData()) != 0)
        ok = failWithErrno(error, errno);
    if (!ok)
        ::unlink(temporary.constData());
    return ok;
}

/// Writes the existing file itself, so it keeps its kind, owner, mode and names. With
/// create, a missing file is made (the target of a link that names nothing yet).
bool writeInPlace(const QByteArray& native, const QByteArray& bytes, bool create, QString* error) {
    // never blocks in open: a pipe nobody reads fails at once instead of waiting
    int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    if (create)
        flags |= O_CREAT;
    const int fd = ::open(native.constData(), flags, 0666);
    if (fd < 0) {
        if (errno == ENXIO)
            return fail(error, QStringLiteral("Nothing reads from it"));
        return failWithErrno(error, errno);
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 || failWithErrno(error, errno);
    const bool regular = ok && S_ISREG(st.st_mode);
    if (ok && regular && bytes.size() > st.st_size) {
        // room is taken before the first byte is overwritten, so a full disk or a size
        // limit leaves the earlier content untouched
        const int reserved = posix_fallocate(fd, 0, bytes.size());
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL)
            ok = failWithErrno(error, reserved);
    }
    ok = ok && writeAll(fd, bytes, error);
    if (ok && regular && (::ftruncate(fd, bytes.size()) != 0 || ::fsync(fd) != 0))
        ok = failWithErrno(error, errno);
    if (::close(fd) != 0 && ok)
        ok = failWithErrno(error, errno);
    return ok;
}

/// writeFile of a path as the system names it.
bool writeNative(const QByteArray& native, const QByteArray& bytes, QString* error) {
    struct stat entry {};
    if (::lstat(native.constData(), &entry) != 0) {
        if (errno != ENOENT)
            return failWithErrno(error, errno);
        return writeAtomically(native, bytes, nullptr, error);
    }
    if (S_ISLNK(entry.st_mode)) {
        // the file the link names is written; the link stays as it is
        if (char* real = ::realpath(native.constData(), nullptr)) {
            const QByteArray target(real);
            std::free(real);
            return writeNative(target, bytes, error);
        }
        if (errno != ENOENT)
            return failWithErrno(error, errno);
        return writeInPlace(native, bytes, true, error);
    }
    if (S_ISDIR(entry.st_mode))
        return fail(error, QStringLiteral("It is a folder"));
    // a file nobody may write is read-only on purpose: refused even where the system would
    // let this user write it, and never made writable behind the user's back
    if ((entry.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return fail(error, QStringLiteral("The file is read-only"));
    if (S_ISREG(entry.st_mode) && replacingKeepsEverything(native, entry))
        return writeAtomically(native, bytes, &entry, error);
    return writeInPlace(native, bytes, false, error);
}

} // namespace

void ignoreWriteSignals() {
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error) {
    // a signal would end the program with the user's work in it; the failed write is
    // reported like any other
    ignoreWriteSignals();
    if (path.isEmpty())
        return fail(error, QStringLiteral("No file name was given"));
    return writeNative(QFile::encodeName(path), bytes, error);
}

} // namespace io
