#include "OpenFile.h"

#include "SchemeDocument.h"
#include "io/FileReader.h"
#include "paletteimport/PaletteReader.h"

#include <QFile>
#include <QFileInfo>

namespace palette {

OpenedFile openFile(const QString& path, int styleCount) {
    OpenedFile opened;
    const std::optional<QByteArray> bytes =
        io::readRegularFile(path, qint64(paletteimport::kMaxPaletteBytes), &opened.error);
    if (!bytes)
        return opened;
    const DocumentRead document = readSchemeDocument(*bytes, styleCount);
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
