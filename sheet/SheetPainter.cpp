#include "SheetPainter.h"

#include "colorscience/Contrast.h"
#include "core/CssColor.h"
#include "io/FileWriter.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <array>

namespace sheet {

namespace {

constexpr int kMargin = 40;
constexpr int kContentWidth = kSheetWidth - 2 * kMargin;

// the three colour columns
constexpr int kColorTop = 130;
constexpr int kColorWidth = 490;
constexpr int kColorGap = (kContentWidth - 3 * kColorWidth) / 2;
constexpr int kSwatchTop = kColorTop + 28;
constexpr int kSwatchHeight = 110;
constexpr int kCodeLine = 22;
constexpr int kCodeValueIndent = 70;

// the ramps, left; the contrast grid beside them
constexpr int kLowerHeading = 425;
constexpr int kRampTop = 440;
constexpr int kRampRow = 58;
constexpr int kRampLabel = 90;
constexpr int kChipPitch = 72;
constexpr int kChipWidth = 70;
constexpr int kChipHeight = 32;
constexpr int kGridLeft = kMargin + kRampLabel + colorscience::kRampSize * kChipPitch + 40;
constexpr int kGridLabel = 80;
constexpr int kCellPitch = 96;
constexpr int kCellWidth = 92;
constexpr int kCellHeight = 34;
constexpr int kGridTop = 462;
constexpr int kGridRow = 66;

// the preview strip
constexpr int kStripHeading = 718;
constexpr int kStripTop = 732;
constexpr int kStripPitch = 382;
constexpr int kFooter = 1080;

constexpr QRgb kInk = 0xFF202020;
constexpr QRgb kQuiet = 0xFF606060;
constexpr QRgb kPaper = 0xFFFFFFFF;
constexpr QRgb kEdge = 0xFFD0D0D0;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QFont sansFont(int pixelSize, bool bold = false) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont monoFont(int pixelSize) {
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(pixelSize);
    return font;
}

QColor qcolor(core::ColorRGB c) {
    return QColor(c.r, c.g, c.b);
}

/// Black or white, whichever reads better on background.
QColor inkOn(core::ColorRGB background) {
    const core::ColorRGB black{0, 0, 0};
    const core::ColorRGB white{255, 255, 255};
    return colorscience::contrastOf(black, background) >=
                   colorscience::contrastOf(white, background)
               ? Qt::black
               : Qt::white;
}

void say(QPainter& painter, int x, int baseline, const QFont& font, QRgb color,
         const QString& words) {
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(color));
    painter.drawText(x, baseline, words);
}

/// Text centred on x.
void sayCentred(QPainter& painter, int x, int baseline, const QFont& font, const QColor& color,
                const QString& words) {
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(x - QFontMetrics(font).horizontalAdvance(words) / 2, baseline, words);
}

/// Fills rect with color inside a hairline just outside it, which shows a white on the paper.
void fill(QPainter& painter, const QRect& rect, const QColor& color) {
    painter.fillRect(rect.adjusted(-1, -1, 1, 1), QColor::fromRgb(kEdge));
    painter.fillRect(rect, color);
}

void paintHeader(QPainter& painter, const SheetContent& content) {
    const QFont title = sansFont(30, true);
    const QString date = content.date.toString(Qt::ISODate);
    const QFont dateFont = sansFont(16);
    const int dateWidth = QFontMetrics(dateFont).horizontalAdvance(date);
    say(painter, kMargin, 76, title, kInk,
        QFontMetrics(title).elidedText(content.title, Qt::ElideMiddle,
                                       kContentWidth - dateWidth - 40));
    say(painter, kSheetWidth - kMargin - dateWidth, 76, dateFont, kQuiet, date);
    say(painter, kMargin, 104, sansFont(16), kQuiet, originText(content));
}

void paintColors(QPainter& painter, const SheetContent& content) {
    const QFont label = sansFont(15, true);
    const QFont key = sansFont(13);
    const QFont code = monoFont(15);
    for (size_t i = 0; i < content.colors.size(); ++i) {
        const QRect swatch = swatchRect(i);
        QString name = QStringLiteral("Color %1").arg(i + 1);
        if (i == colorscience::kBaseColorIndex)
            name += QStringLiteral(" (base)");
        say(painter, swatch.left(), kColorTop + 18, label, kInk, name);
        fill(painter, swatch, qcolor(content.colors[i]));
        const ColorCodes codes = colorCodes(content.colors[i]);
        const std::array<std::pair<const char*, const std::string*>, 5> lines = {{
            {"HEX", &codes.hex},
            {"RGB", &codes.rgb},
            {"HSL", &codes.hsl},
            {"OKLCH", &codes.oklch},
            {"CSS", &codes.cssName},
        }};
        int baseline = swatch.bottom() + 1 + 24;
        for (const auto& [what, value] : lines) {
            if (value->empty())
                continue;
            say(painter, swatch.left(), baseline, key, kQuiet, QLatin1String(what));
            say(painter, swatch.left() + kCodeValueIndent, baseline, code, kInk, text(*value));
            baseline += kCodeLine;
        }
    }
}

void paintRamps(QPainter& painter, const SheetContent& content) {
    say(painter, kMargin, kLowerHeading, sansFont(18, true), kInk, QStringLiteral("Tonal ramps"));
    const QFont label = sansFont(14, true);
    const QFont step = sansFont(12);
    const QFont code = monoFont(11);
    const std::vector<colorscience::Ramp>& ramps = content.system.ramps;
    for (size_t r = 0; r < ramps.size(); ++r) {
        const QRect first = rampChipRect(r, 0);
        say(painter, kMargin, first.top() + 21, label, kInk,
            text(colorscience::rampName(r, content.colors.size())));
        for (size_t s = 0; s < ramps[r].steps.size(); ++s) {
            const colorscience::RampStep& chipStep = ramps[r].steps[s];
            const QRect chip = rampChipRect(r, s);
            painter.fillRect(chip, qcolor(chipStep.color));
            const QColor ink = inkOn(chipStep.color);
            QString name = QString::number(chipStep.step);
            // the scheme's own colour sits in its ramp at this step
            if (chipStep.pinned)
                name += QStringLiteral(" \u25CF");
            sayCentred(painter, chip.center().x() + 1, chip.top() + 21, step, ink, name);
            sayCentred(painter, chip.center().x() + 1, chip.bottom() + 1 + 15, code, kInk,
                       text(core::hexText(chipStep.color)));
        }
    }
}

void paintContrast(QPainter& painter, const SheetContent& content) {
    say(painter, kGridLeft, kLowerHeading, sansFont(18, true), kInk,
        QStringLiteral("Contrast, text on background (WCAG 2)"));
    std::vector<std::pair<QString, core::ColorRGB>> backgrounds;
    for (size_t i = 0; i < content.colors.size(); ++i)
        backgrounds.emplace_back(QStringLiteral("color-%1").arg(i + 1), content.colors[i]);
    backgrounds.emplace_back(QStringLiteral("white"), core::ColorRGB{255, 255, 255});
    backgrounds.emplace_back(QStringLiteral("black"), core::ColorRGB{0, 0, 0});
    const QFont head = sansFont(12);
    const QFont label = sansFont(14, true);
    const QFont sample = sansFont(18, true);
    const QFont figure = sansFont(12);
    const int cellsLeft = kGridLeft + kGridLabel;
    for (size_t c = 0; c < backgrounds.size(); ++c)
        sayCentred(painter, cellsLeft + int(c) * kCellPitch + kCellWidth / 2, kGridTop - 8, head,
                   QColor::fromRgb(kQuiet), backgrounds[c].first);
    for (size_t r = 0; r < content.colors.size(); ++r) {
        const int top = kGridTop + int(r) * kGridRow;
        const core::ColorRGB ink = content.colors[r];
        say(painter, kGridLeft, top + 23, label, kInk, QStringLiteral("color-%1").arg(r + 1));
        for (size_t c = 0; c < backgrounds.size(); ++c) {
            if (c == r)
                continue;
            const QRect cell(cellsLeft + int(c) * kCellPitch, top, kCellWidth, kCellHeight);
            fill(painter, cell, qcolor(backgrounds[c].second));
            sayCentred(painter, cell.center().x() + 1, top + 24, sample, qcolor(ink),
                       QStringLiteral("Aa"));
            const double ratio = colorscience::contrastOf(ink, backgrounds[c].second);
            sayCentred(painter, cell.center().x() + 1, cell.bottom() + 1 + 16, figure,
                       QColor::fromRgb(kInk),
                       text(colorscience::ratioText(ratio)) + QLatin1Char(' ') +
                           QLatin1String(colorscience::levelMark(ratio)));
        }
    }
}

void paintStrip(QPainter& painter, const SheetContent& content) {
    say(painter, kMargin, kStripHeading, sansFont(18, true), kInk,
        QStringLiteral("The preview as each color-vision deficiency sees it"));
    const QImage preview = content.preview.convertToFormat(QImage::Format_RGB32);
    for (int s = 0; s < colorscience::kSimulationCount; ++s) {
        const auto simulation = static_cast<colorscience::Simulation>(s);
        QImage seen(preview.size(), QImage::Format_RGB32);
        for (int y = 0; y < preview.height(); ++y)
            colorscience::simulatePixels(
                simulation, reinterpret_cast<const uint32_t*>(preview.constScanLine(y)),
                reinterpret_cast<uint32_t*>(seen.scanLine(y)), size_t(preview.width()));
        const QRect place = simulationRect(simulation);
        painter.drawImage(QRect(place.topLeft(), seen.size().boundedTo(place.size())), seen);
        say(painter, place.left(), place.bottom() + 1 + 20, sansFont(14), kInk,
            QLatin1String(colorscience::simulationName(simulation)));
    }
}

void paintFooter(QPainter& painter) {
    say(painter, kMargin, kFooter, sansFont(12), kQuiet,
        QStringLiteral("Contrast marks: AAA from 7:1, AA from 4.5:1, AA large from 3:1; the "
                       "ratio is cut, never rounded up. CSS names: = exactly that color, "
                       "\u2248 the nearest within \u0394E OK %1. \u25CF the scheme's color in "
                       "its ramp. Made with ChromaLune.")
            .arg(core::kNearNamedColor));
}

} // namespace

QRect swatchRect(size_t colorIndex) {
    return {kMargin + int(colorIndex) * (kColorWidth + kColorGap), kSwatchTop, kColorWidth,
            kSwatchHeight};
}

QRect rampChipRect(size_t ramp, size_t step) {
    return {kMargin + kRampLabel + int(step) * kChipPitch, kRampTop + int(ramp) * kRampRow,
            kChipWidth, kChipHeight};
}

QRect simulationRect(colorscience::Simulation simulation) {
    return {kMargin + static_cast<int>(simulation) * kStripPitch, kStripTop, 373, 269};
}

void paintSheet(QPainter& painter, const SheetContent& content) {
    painter.save();
    painter.fillRect(QRect(0, 0, kSheetWidth, kSheetHeight), QColor::fromRgb(kPaper));
    paintHeader(painter, content);
    paintColors(painter, content);
    paintRamps(painter, content);
    paintContrast(painter, content);
    paintStrip(painter, content);
    paintFooter(painter);
    painter.restore();
}

QImage sheetImage(const SheetContent& content, int scale) {
    QImage image(kSheetWidth * scale, kSheetHeight * scale, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    paintSheet(painter, content);
    return image;
}

QByteArray sheetBytes(SheetFormat format, const SheetContent& content, int scale) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case SheetFormat::Png:
        sheetImage(content, scale).save(&buffer, "PNG");
        break;
    case SheetFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        // a unit is a CSS pixel, a 96th of an inch
        svg.setResolution(96);
        svg.setSize(QSize(kSheetWidth, kSheetHeight));
        svg.setViewBox(QRect(0, 0, kSheetWidth, kSheetHeight));
        // the generator writes these two as they are, unlike the page's texts
        svg.setTitle(content.title.toHtmlEscaped());
        svg.setDescription(originText(content).toHtmlEscaped());
        QPainter painter(&svg);
        paintSheet(painter, content);
        break;
    }
    case SheetFormat::Pdf: {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(content.title);
        pdf.setCreator(QStringLiteral("ChromaLune"));
        QPainter painter(&pdf);
        const double scaleToPage =
            std::min(double(pdf.width()) / kSheetWidth, double(pdf.height()) / kSheetHeight);
        painter.scale(scaleToPage, scaleToPage);
        paintSheet(painter, content);
        break;
    }
    }
    return bytes;
}

bool writeSheet(const QString& path, SheetFormat format, const SheetContent& content, int scale,
                QString* error) {
    return io::writeFile(path, sheetBytes(format, content, scale), error);
}

} // namespace sheet
