#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace io {

/// The bytes of the regular file at path, at most limit of them; none, with error set to one
/// sentence ("There is no such file.", "It is not a file.", "It is too large: 9 MB, at most
/// 8 MB."), for anything else. A pipe or a device is never opened: it could block or never end.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 limit, QString* error);

} // namespace io
