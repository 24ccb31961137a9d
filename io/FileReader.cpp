#include "FileReader.h"

#include <QFile>
#include <QFileInfo>

namespace io {

namespace {

constexpr qint64 kMegabyte = qint64{1024} * 1024;

QString tooLarge(qint64 size, qint64 limit) {
    return QStringLiteral("It is too large: %1 MB, at most %2 MB.")
        .arg((size + kMegabyte - 1) / kMegabyte)
        .arg(limit / kMegabyte);
}

} // namespace

std::optional<QByteArray> readRegularFile(const QString& path, qint64 limit, QString* error) {
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("There is no such file.");
        return std::nullopt;
    }
    if (!info.isFile()) {
        *error = QStringLiteral("It is not a file.");
        return std::nullopt;
    }
    if (info.size() > limit) {
        *error = tooLarge(info.size(), limit);
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString() + QLatin1Char('.');
        return std::nullopt;
    }
    // no more than the limit, also from a file that grows while it is read
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit) {
        *error = tooLarge(bytes.size(), limit);
        return std::nullopt;
    }
    return bytes;
}

} // namespace io
