#include "PixelListFile.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace preview {

namespace {

PixelListFileRead refused(const QString& reason) {
    PixelListFileRead result;
    result.error = reason;
    return result;
}

} // namespace

PixelListFileRead readPixelListFile(const QString& path, PixelList& points) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    // looked at before it is opened, so opening never touches a pipe or a device
    if (::stat(native.constData(), &st) != 0)
        return refused(qt_error_string(errno));
    if (!S_ISREG(st.st_mode))
        return refused(QStringLiteral("It is not a regular file"));
    // non-blocking all the same, in case the name was replaced by a pipe in between
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return refused(qt_error_string(errno));
    PixelListFileRead result;
    if (::fstat(fd, &st) != 0) {
        result.error = qt_error_string(errno);
    } else if (!S_ISREG(st.st_mode)) {
        result.error = QStringLiteral("It is not a regular file");
    } else if (st.st_size > kMaxListFileBytes) {
        result.error = QStringLiteral("It is too large to be a pixel list");
    } else {
        // what the file holds now; bytes appended while it is read are left for later
        QByteArray text(static_cast<qsizetype>(st.st_size), '\0');
        qsizetype done = 0;
        while (done < text.size()) {
            const ssize_t n = ::read(fd, text.data() + done, size_t(text.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                result.error = qt_error_string(errno);
                break;
            }
            if (n == 0)
                break;
            done += n;
        }
        if (result.error.isEmpty()) {
            result.read = true;
            result.skippedLines =
                appendPixelText(std::string_view(text.constData(), size_t(done)), points);
        }
    }
    ::close(fd);
    return result;
}

} // namespace preview
