#include "PaletteFile.h"

#include "io/ColorsFile.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>

namespace palette {

namespace {

/// Why a file could not be written, as far as the file system tells.
std::string writeFailureReason(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir())
        return "it is a folder";
    if (!folder.exists())
        return "the folder does not exist";
    if (!folder.isDir())
        return "the folder is not a folder";
    if (file.exists() && !file.isWritable())
        return "the file is read-only";
    if (!folder.isWritable())
        return "the folder is not writable";
    return "the write failed (disk full, a size limit, or a place that takes no files)";
}

} // namespace

bool writePaletteFile(const QString& path, Format format, const SchemeColors& colors,
                      std::string* reason) {
    const std::vector<uint8_t> bytes = fileBytes(format, colors);
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    if (io::replaceFileContents(path, data))
        return true;
    if (reason != nullptr)
        *reason = writeFailureReason(path);
    return false;
}

} // namespace palette
