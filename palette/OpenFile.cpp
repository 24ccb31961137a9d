#include "OpenFile.h"

#include "SchemeDocument.h"
#include "io/FileReader.h"
#include "paletteimport/PaletteReader.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace palette {

bool isPictureFile(const QString& path) {
    // a pipe or a device is never handed to the image readers: they would wait on it
    if (!QFileInfo(path).isFile())
        return false;
    static const QList<QByteArray> kPictures = {"png", "jpeg", "webp", "gif", "bmp", "tiff"};
    return kPictures.contains(QImageReader::imageFormat(path));
}

OpenedFile openPicture(const QString& path, const std::atomic<bool>* cancel) {
    OpenedFile opened;
    imagepalette::PicturePalette read = imagepalette::readPicturePalette(path, cancel);
    if (!read.error.isEmpty()) {
        opened.error = read.error;
        return opened;
    }
    opened.palette = imagepalette::paletteOf(read.extraction);
    opened.picture = std::move(read.picture);
    return opened;
}

namespace {

/// What the bytes of a file named name hold: a scheme document when they carry the program's
/// state (even one that cannot be read), else a palette in any format the readers know.
OpenedFile openBytes(const QByteArray& bytes, const QByteArray& name) {
    OpenedFile opened;
    const DocumentRead document = readSchemeDocument(bytes);
    if (document.snapshot || document.holdsScheme) {
        opened.scheme = document.snapshot;
        opened.error = document.error;
        return opened;
    }
    const paletteimport::PaletteRead read = paletteimport::readPalette(
        std::string_view(bytes.constData(), size_t(bytes.size())), name.toStdString());
    opened.palette = read.palette;
    opened.skipped = int(read.skipped);
    opened.firstSkipped = QString::fromStdString(read.firstSkipped);
    opened.error = QString::fromStdString(read.error);
    return opened;
}

/// The last part of a name in the system's bytes.
QByteArray baseName(const QByteArray& nativePath) {
    return nativePath.mid(nativePath.lastIndexOf('/') + 1);
}

} // namespace

OpenedFile openFile(const QString& path) {
    if (isPictureFile(path))
        return openPicture(path);
    OpenedFile opened;
    const std::optional<QByteArray> bytes =
        io::readRegularFile(path, qint64(paletteimport::kMaxPaletteBytes), &opened.error);
    if (!bytes)
        return opened;
    return openBytes(*bytes, baseName(QFile::encodeName(path)));
}

OpenedFile openFileNamed(const QByteArray& nativePath) {
    const QString path = QFile::decodeName(nativePath);
    if (QFile::encodeName(path) == nativePath)
        return openFile(path);
    // a name that is not text is still a name: read by its bytes (the picture readers take
    // names only as text)
    OpenedFile opened;
    const std::optional<QByteArray> bytes = io::readRegularFileNamed(
        nativePath, qint64(paletteimport::kMaxPaletteBytes), &opened.error);
    if (!bytes)
        return opened;
    return openBytes(*bytes, baseName(nativePath));
}

} // namespace palette
