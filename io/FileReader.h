#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace io {

/// The bytes of the regular file at path, at most limit of them; none, with error set to one
/// sentence ("There is no such file.", "It is not a file.", "It is too large: 9 MB, at most
/// 8 MB.", "Its name leads through a loop of symbolic links."), for anything else. A pipe or
/// a device is never opened: it could block or never end.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 limit, QString* error);

/// readRegularFile of the file whose name is the system's bytes nativePath, which need not be
/// UTF-8 (a name made on another system).
std::optional<QByteArray> readRegularFileNamed(const QByteArray& nativePath, qint64 limit,
                                               QString* error);

} // namespace io
