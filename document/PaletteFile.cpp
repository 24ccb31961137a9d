#include "PaletteFile.h"

#include "io/FileWriter.h"

#include <QByteArray>
#include <QString>

namespace document {

bool writePaletteFile(const QString& path, formats::Format format,
                      const formats::SchemeColors& colors, std::string* reason,
                      const formats::ExportOptions& options, std::string_view schemeState) {
    return writeBytesFile(path, formats::fileBytes(format, colors, options, schemeState), reason);
}

bool writeBytesFile(const QString& path, const std::vector<uint8_t>& bytes, std::string* reason) {
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    QString error;
    if (io::writeFile(path, data, &error))
        return true;
    if (reason != nullptr)
        *reason = error.toStdString();
    return false;
}

} // namespace document
