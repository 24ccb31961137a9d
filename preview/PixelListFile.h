#pragma once

#include "PixelList.h"

#include <QString>

#include <cstdint>

namespace preview {

/// Largest pixel-list file read: a real list holds at most one line per preview pixel
/// (about 1 MB), so a far larger file is not a list.
constexpr int64_t kMaxListFileBytes = int64_t{64} * 1024 * 1024;

/// What reading one pixel-list file came to.
struct PixelListFileRead {
    bool read = false;    ///< whether the file was read (its valid points appended)
    int skippedLines = 0; ///< malformed lines left out
    QString error;        ///< why the file was not read
};

/// Reads the pixel-list file at path and appends its points to points, in file order. Only
/// a regular file of at most kMaxListFileBytes is read; anything else (a pipe, a device, a
/// socket, a folder) is refused without ever waiting on it. A file not read leaves points
/// as they are.
PixelListFileRead readPixelListFile(const QString& path, PixelList& points);

} // namespace preview
