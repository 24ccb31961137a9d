#include "TemplateScan.h"

#include "PixelList.h"
#include "io/FileWriter.h"

#include <QByteArray>

namespace preview {

std::array<std::string, 3> scanTemplates(QImage& image, const std::array<ScanTarget, 3>& targets) {
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    std::array<std::string, 3> texts;
    const int w = image.width();
    const int h = image.height();
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            auto* pixel = reinterpret_cast<QRgb*>(image.scanLine(y)) + x;
            const QRgb color = *pixel & RGB_MASK;
            for (size_t i = 0; i < targets.size(); ++i) {
                if (color != (targets[i].templateColor & RGB_MASK))
                    continue;
                texts[i] += pixelLine(x, y);
                if (targets[i].repaint)
                    *pixel = *targets[i].repaint | ~RGB_MASK;
                break;
            }
        }
    }
    return texts;
}

bool writeListFile(const QString& path, const std::string& text, QString* error) {
    return io::writeFile(path, QByteArray::fromStdString(text), error);
}

} // namespace preview
