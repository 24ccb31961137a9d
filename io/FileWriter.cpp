#include "FileWriter.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

/// Whether replacing the file by a new one keeps everything the file has: it is the user's
/// own, has one name, gets the same group anew and lies in a folder the user may write.
bool replacingKeepsEverything(const QString& path, const struct stat& file) {
    if (file.st_nlink != 1 || file.st_uid != geteuid())
        return false;
    // the special bits are not carried over to a new file
    if ((file.st_mode & (S_ISUID | S_ISGID | S_ISVTX)) != 0)
        return false;
    if (faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) != 0)
        return false;
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    struct stat dir {};
    if (::stat(folder.constData(), &dir) != 0 ||
        faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return false;
    const gid_t newGroup = (dir.st_mode & S_ISGID) != 0 ? dir.st_gid : getegid();
    return file.st_gid == newGroup;
}

bool writeAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    // written beside the target and renamed over it only when complete (a save file never
    // falls back to writing in place unless told to), so a failure part-way never empties or
    // truncates the file the user already has
    QSaveFile file(path);
    // unbuffered, so a short write (full disk, size limit) is seen here: the buffered
    // path lets such a write pass and would commit a truncated file
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(error, file.errorString());
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return fail(error, reason);
        }
        done += n;
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
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

/// Writes the existing file itself, so it keeps its kind, owner, mode and names. With
/// create, a missing file is made (the target of a link that names nothing yet).
bool writeInPlace(const QString& path, const QByteArray& bytes, bool create, QString* error) {
    // never blocks in open: a pipe nobody reads fails at once instead of waiting
    int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    if (create)
        flags |= O_CREAT;
    const int fd = ::open(QFile::encodeName(path).constData(), flags, 0666);
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
    const QByteArray native = QFile::encodeName(path);
    struct stat entry {};
    if (::lstat(native.constData(), &entry) != 0) {
        if (errno != ENOENT)
            return failWithErrno(error, errno);
        return writeAtomically(path, bytes, error);
    }
    if (S_ISLNK(entry.st_mode)) {
        // the file the link names is written; the link stays as it is
        if (char* real = ::realpath(native.constData(), nullptr)) {
            const QString target = QFile::decodeName(real);
            std::free(real);
            return writeFile(target, bytes, error);
        }
        if (errno != ENOENT)
            return failWithErrno(error, errno);
        return writeInPlace(path, bytes, true, error);
    }
    if (S_ISDIR(entry.st_mode))
        return fail(error, QStringLiteral("It is a folder"));
    // a file nobody may write is read-only on purpose: refused even where the system would
    // let this user write it, and never made writable behind the user's back
    if ((entry.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return fail(error, QStringLiteral("The file is read-only"));
    if (S_ISREG(entry.st_mode) && replacingKeepsEverything(path, entry))
        return writeAtomically(path, bytes, error);
    return writeInPlace(path, bytes, false, error);
}

} // namespace io
