// Palettes opened and checked, against what their least work costs.
//   build/bin/bench_palette
// BM_OpenLargePalette opens a 10,000-colour file (.gpl, then design tokens) from File, Open
// and shows it in the palette window, painted (goal: under 100 ms; tokens within twice the
// .gpl). BM_ReadLargePalette reads the same files alone, without the window. BM_ReadLargeGplFloor
// only splits the same file into lines and reads three numbers from each: the floor.
// BM_PairCheck compares every pair of a 32-colour palette (496 pairs, contrast, APCA and the
// colour difference in five visions; goal: under 10 ms); BM_PairDifferenceFloor computes just
// the 2,480 colour differences of colours already in CIELAB.

#include "BenchSupport.h"

#include "colorscience/ColorDifference.h"
#include "colorscience/PaletteCheck.h"
#include "formats/FormatTable.h"
#include "palette/PaletteWindow.h"

#include <QAction>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>

namespace {

mainwindow::MainWindow* g_window = nullptr;
QTemporaryDir* g_dir = nullptr;

QString writeFile(const QString& name, const std::string& text) {
    QFile file(g_dir->filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(text.data(), qint64(text.size()));
    return file.fileName();
}

std::string largeGpl() {
    std::string text = "GIMP Palette\nName: Large\nColumns: 16\n#\n";
    char line[64];
    for (int i = 0; i < 10000; ++i) {
        std::snprintf(line, sizeof line, "%3d %3d %3d\tcolour %d\n", i % 256, (i / 256) % 256,
                      (i * 7) % 256, i);
        text += line;
    }
    return text;
}

std::string largeTokens() {
    std::string text = "{\n";
    char token[128];
    for (int i = 0; i < 10000; ++i) {
        std::snprintf(token, sizeof token,
                      "%s  \"c%d\": {\"$type\": \"color\", \"$value\": \"#%02x%02x%02x\"}",
                      i == 0 ? "" : ",\n", i, i % 256, (i / 256) % 256, (i * 7) % 256);
        text += token;
    }
    return text + "\n}\n";
}

void BM_OpenLargePalette(benchmark::State& state) {
    const QString path = state.range(0) == 0 ? writeFile("large.gpl", largeGpl())
                                             : writeFile("large.tokens.json", largeTokens());
    for (auto _ : state) {
        g_window->openDocument(path);
        auto* window = g_window->findChild<palette::PaletteWindow*>(QStringLiteral("frmpalette"));
        window->findChild<QTableView*>(QStringLiteral("lstpalette"))->repaint();
        benchmark::DoNotOptimize(window->palette().colors.size());
    }
}

void BM_ReadLargePalette(benchmark::State& state) {
    const bool tokens = state.range(0) == 1;
    const std::string text = tokens ? largeTokens() : largeGpl();
    for (auto _ : state) {
        const formats::PaletteRead read =
            formats::readPalette(text, tokens ? "large.tokens.json" : "large.gpl");
        benchmark::DoNotOptimize(read.palette->colors.size());
    }
}

void BM_ReadLargeGplFloor(benchmark::State& state) {
    const std::string text = largeGpl();
    for (auto _ : state) {
        size_t colours = 0;
        int sum = 0;
        for (size_t at = 0; at < text.size();) {
            const size_t end = std::min(text.find('\n', at), text.size());
            const char* p = text.data() + at;
            const char* stop = text.data() + end;
            int channels = 0;
            for (int c = 0; c < 3 && p < stop; ++c) {
                while (p < stop && (*p == ' ' || *p == '\t'))
                    ++p;
                int value = 0;
                const auto read = std::from_chars(p, stop, value);
                if (read.ec != std::errc())
                    break;
                p = read.ptr;
                sum += value;
                ++channels;
            }
            colours += channels == 3 ? 1 : 0;
            at = end + 1;
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(colours);
    }
}

std::vector<core::ColorRGB> thirtyTwoColours() {
    std::vector<core::ColorRGB> colors;
    for (uint32_t i = 0; i < 32; ++i) {
        const uint32_t rgb = i * 0x2F1B07u + 0x102030u;
        colors.push_back({uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)});
    }
    return colors;
}

void BM_PairCheck(benchmark::State& state) {
    const std::vector<core::ColorRGB> colors = thirtyTwoColours();
    for (auto _ : state)
        benchmark::DoNotOptimize(colorscience::checkPalette(colors).pairs.size());
}

void BM_PairDifferenceFloor(benchmark::State& state) {
    std::vector<colorscience::Lab> labs;
    for (core::ColorRGB c : thirtyTwoColours())
        labs.push_back(colorscience::srgbToLab(c));
    for (auto _ : state) {
        double sum = 0;
        for (int vision = 0; vision < 5; ++vision)
            for (size_t i = 0; i < labs.size(); ++i)
                for (size_t j = i + 1; j < labs.size(); ++j)
                    sum += colorscience::ciede2000(labs[i], labs[j]);
        benchmark::DoNotOptimize(sum);
    }
}

BENCHMARK(BM_OpenLargePalette)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLargePalette)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLargeGplFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairDifferenceFloor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    g_dir = &dir;
    return bench::runBenchmarks(argc, argv, [](mainwindow::MainWindow& window) {
        g_window = &window;
        window.findChild<QAction*>(QStringLiteral("mnupalette"))->trigger();
        return true;
    });
}
