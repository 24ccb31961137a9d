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

OpenedFile openFile(const QString& path, int styleCount) {
    if (isPictureFile(path))
        return openPicture(path);
    OpenedFile opened;
    const std::optional<QByteArray> bytes =
        io::readRegularFile(path, qint64(paletteimport::kMaxPaletteBytes), &opened.error);
    if (!bytes)
        return opened;
    // only a text that names the program's key, plainly or through "\u" escapes, can hold its
    // state: a large palette is not parsed twice
    const bool mayHoldScheme =
        bytes->contains(
            QByteArrayView(kTokenExtensionKey.data(), qsizetype(kTokenExtensionKey.size()))) ||
        bytes->contains("\\u");
    const DocumentRead document =
        mayHoldScheme ? readSchemeDocument(*bytes, styleCount) : DocumentRead{};
    // a file that holds the program's state is a scheme, even one that cannot be read
    if (document.snapshot || document.holdsScheme) {
        opened.scheme = document.snapshot;
        opened.error = document.error;
        return opened;
    }
    const paletteimport::PaletteRead read =
        paletteimport::readPalette(std::string_view(bytes->constData(), size_t(bytes->size())),
                                   QFile::encodeName(QFileInfo(path).fileName()).toStdString());
    opened.palette = read.palette;
    opened.skipped = int(read.skipped);
    opened.firstSkipped = QString::fromStdString(read.firstSkipped);
    opened.error = QString::fromStdString(read.error);
    return opened;
}

} // namespace palette
