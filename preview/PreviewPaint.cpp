#include "PreviewPaint.h"

#include "Mockups.h"
#include "PixelListFile.h"
#include "PreviewStyles.h"
#include "core/DesignColors.h"
#include "platform/RuntimeFiles.h"
#include "ui/ColorConversion.h"

#include <QDebug>
#include <QDir>
#include <QPainter>

namespace preview {

namespace {

const QColor kSurfaceBackground = ui::toQColor(core::kButtonFaceColor);

} // namespace

void readPixelLists(const PreviewStyle& style, PixelLists& lists) {
    const QDir dir(platform::runtimeFilesDir());
    for (int k = 1; k <= 3; ++k) {
        const std::string_view file = style.files[static_cast<size_t>(k - 1)];
        const QString path =
            dir.filePath(QString::fromLatin1(file.data(), static_cast<int>(file.size())));
        PixelList points;
        const PixelListFileRead read = readPixelListFile(path, points);
        if (!read.read)
            qWarning().noquote() << QStringLiteral("Cannot read the preview pixel list %1: %2")
                                        .arg(QDir::toNativeSeparators(path), read.error);
        else if (read.skippedLines > 0)
            qWarning().noquote() << QStringLiteral("Skipped %1 malformed line(s) in the preview "
                                                   "pixel list %2")
                                        .arg(read.skippedLines)
                                        .arg(QDir::toNativeSeparators(path));
        lists.append(k, points);
    }
}

QImage composeDrawingArea(const QImage& picture) {
    QImage area(kDrawWidth, kDrawHeight, QImage::Format_RGB32);
    area.fill(kSurfaceBackground);
    QPainter painter(&area);
    painter.drawImage(0, 0, picture);
    return area;
}

QRgb backgroundColor() {
    return kSurfaceBackground.rgb();
}

QImage paintedArea(const QImage& bare, const PixelLists& lists,
                   const std::array<QRgb, 3>& schemeColors) {
    QImage area = bare.convertToFormat(QImage::Format_RGB32);
    for (size_t i = 0; i < kPaintOrder.size(); ++i)
        paintRuns(reinterpret_cast<uint32_t*>(area.bits()), lists.runs(kPaintOrder[i]),
                  schemeColors[i] | ~RGB_MASK);
    return area;
}

QImage paintedStyle(int index, const std::array<QRgb, 3>& schemeColors) {
    if (index < 0 || index >= static_cast<int>(previewStyles().size()))
        return composeDrawingArea({});
    const PreviewStyle& style = previewStyles()[static_cast<size_t>(index)];
    const QImage bare = composeDrawingArea(mockupPicture(style.mockupKey));
    PixelLists lists(kDrawWidth, kDrawHeight, static_cast<int>(bare.bytesPerLine() / 4));
    readPixelLists(style, lists);
    return paintedArea(bare, lists, schemeColors);
}

std::array<QRgb, 3> listColors(const std::array<QRgb, 3>& schemeColors) {
    std::array<QRgb, 3> colors{};
    for (size_t i = 0; i < kPaintOrder.size(); ++i)
        colors[static_cast<size_t>(kPaintOrder[i] - 1)] = schemeColors[i];
    return colors;
}

} // namespace preview
