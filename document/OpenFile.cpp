#include "OpenFile.h"

#include "SchemeDocument.h"
#include "formats/FormatTable.h"
#include "io/FileReader.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>

#include <algorithm>

namespace document {

namespace {

/// The picture formats whose colours are taken, as the image readers name them.
const QList<QByteArray> kPictures = {"png", "jpeg", "webp", "gif", "bmp", "tiff"};

/// Whether the name of the file says it is a picture of one of those formats (its extension).
bool namedAsPicture(const QString& path) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    const QList<QByteArray> formats = QImageReader::imageFormatsForMimeType(type.name().toLatin1());
    return std::any_of(formats.begin(), formats.end(),
                       [](const QByteArray& format) { return kPictures.contains(format); });
}

} // namespace

bool isPictureFile(const QString& path) {
    // a pipe or a device is never handed to the image readers: they would wait on it
    if (!QFileInfo(path).isFile())
        return false;
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
    // only a text that names the program's key, plainly or through "\u" escapes, can hold its
    // state: a large palette is not parsed twice
    const bool mayHoldScheme =
        bytes.contains(QByteArrayView(formats::kTokenExtensionKey.data(),
                                      qsizetype(formats::kTokenExtensionKey.size()))) ||
        bytes.contains("\\u");
    const DocumentRead document = mayHoldScheme ? readSchemeDocument(bytes) : DocumentRead{};
    // a file that holds the program's state is a scheme, even one that cannot be read
    if (document.snapshot || document.holdsScheme) {
        opened.scheme = document.snapshot;
        opened.error = document.error;
        return opened;
    }
    const formats::PaletteRead read = formats::readPalette(
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
    // a file named as a picture that no picture reader takes is no palette either: the
    // picture reader says what it is
    if (isPictureFile(path) || (QFileInfo(path).isFile() && namedAsPicture(path)))
        return openPicture(path);
    OpenedFile opened;
    const std::optional<QByteArray> bytes =
        io::readRegularFile(path, qint64(formats::kMaxPaletteBytes), &opened.error);
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
    const std::optional<QByteArray> bytes =
        io::readRegularFileNamed(nativePath, qint64(formats::kMaxPaletteBytes), &opened.error);
    if (!bytes)
        return opened;
    return openBytes(*bytes, baseName(nativePath));
}

} // namespace document
