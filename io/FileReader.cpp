#include "FileReader.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace io {

namespace {

constexpr qint64 kMegabyte = qint64{1024} * 1024;

QString tooLarge(qint64 size, qint64 limit) {
    return QStringLiteral("It is too large: %1 MB, at most %2 MB.")
        .arg((size + kMegabyte - 1) / kMegabyte)
        .arg(limit / kMegabyte);
}

/// What the system's error number means for a file to be read, as one sentence.
QString reason(int number) {
    switch (number) {
    case ENOENT:
        return QStringLiteral("There is no such file.");
    case ELOOP:
        return QStringLiteral("Its name leads through a loop of symbolic links.");
    case ENOTDIR:
        return QStringLiteral("A part of its name is not a folder.");
    case ENAMETOOLONG:
        return QStringLiteral("Its name is too long.");
    default:
        return QString::fromLocal8Bit(std::strerror(number)) + QLatin1Char('.');
    }
}

/// Closes the descriptor however the reading ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

std::optional<QByteArray> readRegularFile(const QString& path, qint64 limit, QString* error) {
    if (path.isEmpty()) {
        *error = reason(ENOENT);
        return std::nullopt;
    }
    return readRegularFileNamed(QFile::encodeName(path), limit, error);
}

std::optional<QByteArray> readRegularFileNamed(const QByteArray& nativePath, qint64 limit,
                                               QString* error) {
    // looked at before opening: opening a device can act on it, a pipe can wait for a writer
    struct stat info {};
    if (nativePath.isEmpty() || nativePath.contains('\0') ||
        ::stat(nativePath.constData(), &info) != 0) {
        *error = reason(nativePath.isEmpty() || nativePath.contains('\0') ? ENOENT : errno);
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = QStringLiteral("It is not a file.");
        return std::nullopt;
    }
    if (info.st_size > limit) {
        *error = tooLarge(info.st_size, limit);
        return std::nullopt;
    }
    const Descriptor file(
        ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        *error = reason(errno);
        return std::nullopt;
    }
    // the name may have been given to something else since it was looked at
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        *error = QStringLiteral("It is not a file.");
        return std::nullopt;
    }
    // no more than the limit, also from a file that grows while it is read
    QByteArray bytes;
    char buffer[65536];
    while (bytes.size() <= limit) {
        const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = reason(errno);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<qsizetype>(n));
    }
    if (bytes.size() > limit) {
        *error = tooLarge(bytes.size(), limit);
        return std::nullopt;
    }
    return bytes;
}

} // namespace io
