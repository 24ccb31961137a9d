// A palette from a picture, against converting its samples to OKLab.
//   build/bin/bench_imagepalette
// BM_OklabFloor converts the ~16k samples of a 12-megapixel photo-like picture to OKLab one
// after another: the floor BM_Extraction (goal under 15 ms) is read against; BM_Extraction
// finds the colours of those samples. BM_JpegToPalette (goal under 150 ms) and
// BM_PngToPalette (goal under 600 ms; PNG is decoded whole) read a 4000 x 3000 file of that
// picture and find its palette; BM_TaggedJpegToPalette reads it tagged Display P3, as phones
// save photos, which costs its conversion to sRGB on top of BM_JpegToPalette. The files are
// written to a temporary folder at start.
#include "imagepalette/PictureReader.h"

#include <QColorSpace>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

QString g_jpeg;
QString g_png;
QString g_taggedJpeg;
std::vector<imagepalette::Sample> g_samples;

/// A 4000 x 3000 picture with what photos have: soft gradients, a few shapes, grain.
QImage photoLike() {
    QImage image(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        uint32_t grain = uint32_t(y) * 2654435761u;
        for (int x = 0; x < image.width(); ++x) {
            grain = grain * 1664525u + 1013904223u;
            const int noise = int(grain >> 29) - 4;
            line[x] = qRgb(std::clamp(120 + x / 40 + noise, 0, 255),
                           std::clamp(150 + y / 30 + noise, 0, 255),
                           std::clamp(200 - x / 25 + noise, 0, 255));
        }
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QColor shapes[] = {QColor(224, 48, 30), QColor(30, 90, 40), QColor(250, 240, 230),
                             QColor(40, 30, 60)};
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(shapes[i]);
        painter.drawEllipse(QPoint(600 + i * 900, 900 + (i % 2) * 1200), 250 + i * 120,
                            200 + i * 90);
    }
    return image;
}

void BM_OklabFloor(benchmark::State& state) {
    for (auto _ : state) {
        double sum = 0;
        for (const imagepalette::Sample& s : g_samples)
            sum += core::oklabOf(s.rgb).L;
        benchmark::DoNotOptimize(sum);
    }
    state.counters["samples"] = double(g_samples.size());
}

void BM_Extraction(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(imagepalette::extractColors(g_samples));
    state.counters["colours"] = double(imagepalette::extractColors(g_samples).colors.size());
}

void BM_JpegToPalette(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(imagepalette::readPicturePalette(g_jpeg));
}

void BM_TaggedJpegToPalette(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(imagepalette::readPicturePalette(g_taggedJpeg));
}

void BM_PngToPalette(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(imagepalette::readPicturePalette(g_png));
}

BENCHMARK(BM_OklabFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Extraction)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegToPalette)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TaggedJpegToPalette)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngToPalette)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QTemporaryDir dir;
    g_jpeg = dir.filePath(QStringLiteral("photo.jpg"));
    g_png = dir.filePath(QStringLiteral("photo.png"));
    g_taggedJpeg = dir.filePath(QStringLiteral("tagged.jpg"));
    QImage photo = photoLike();
    QImageWriter jpeg(g_jpeg, "jpeg");
    jpeg.setQuality(90);
    if (!jpeg.write(photo) || !QImageWriter(g_png, "png").write(photo))
        return 1;
    photo.setColorSpace(QColorSpace::DisplayP3);
    QImageWriter tagged(g_taggedJpeg, "jpeg");
    tagged.setQuality(90);
    if (!tagged.write(photo))
        return 1;
    const imagepalette::PictureRead read = imagepalette::readPicture(g_jpeg);
    if (!read.picture)
        return 1;
    g_samples = read.picture->samples;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
