// Writes the three pixel-list files of one preview style from its mock-up picture, as the
// preview surface shows it (clipped to the drawing area):
//   chromalune_pixellists <picture> <output folder> <file>=<r>,<g>,<b> (three times)
// Each file lists the pixels of exactly its colour, column by column; a pixel goes to the
// first file whose colour it has.

#include "preview/PreviewSurface.h"
#include "preview/TemplateScan.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QStringList>

#include <cstdio>

namespace {

bool parseTarget(const QString& arg, QString& file, QRgb& color) {
    const int eq = arg.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    file = arg.left(eq);
    const QStringList parts = arg.mid(eq + 1).split(QLatin1Char(','));
    if (parts.size() != 3)
        return false;
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        rgb[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || rgb[i] < 0 || rgb[i] > 255)
            return false;
    }
    color = qRgb(rgb[0], rgb[1], rgb[2]);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    std::array<QString, 3> files;
    std::array<preview::ScanTarget, 3> targets{};
    bool ok = args.size() == 6;
    for (int i = 0; ok && i < 3; ++i) {
        QRgb color = 0;
        ok = parseTarget(args[3 + i], files[static_cast<size_t>(i)], color);
        targets[static_cast<size_t>(i)] = {color, std::nullopt};
    }
    if (!ok) {
        std::fprintf(stderr,
                     "usage: %s <picture> <output folder> <file>=<r>,<g>,<b> "
                     "<file>=<r>,<g>,<b> <file>=<r>,<g>,<b>\n",
                     argc > 0 ? argv[0] : "chromalune_pixellists");
        return 2;
    }
    const QImage picture(args[1]);
    if (picture.isNull()) {
        std::fprintf(stderr, "cannot read the picture %s\n", qPrintable(args[1]));
        return 1;
    }
    const QDir folder(args[2]);
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create the folder %s\n", qPrintable(args[2]));
        return 1;
    }
    QImage area = preview::composeDrawingArea(picture);
    const std::array<std::string, 3> texts = preview::scanTemplates(area, targets);
    for (size_t i = 0; i < 3; ++i) {
        const QString path = folder.filePath(files[i]);
        QString error;
        if (!preview::writeListFile(path, texts[i], &error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(error));
            return 1;
        }
    }
    return 0;
}
