#pragma once

#include "colorscience/DesignSystem.h"
#include "core/Oklab.h"
#include "core/Scheme.h"
#include "scheme/SchemeModel.h"

#include <QDate>
#include <QImage>
#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The scheme sheet: one page that shows a scheme to the people it ends up with (a client who
// approves it, a developer who builds it, a colleague who reviews its contrast). This part
// says what the sheet holds; SheetPainter.h draws it.

namespace sheet {

/// Every code of one colour as the sheet prints it.
struct ColorCodes {
    std::string hex;   ///< "#3366CC"
    std::string rgb;   ///< "rgb(51, 102, 204)"
    std::string hsl;   ///< "hsl(220, 60%, 50%)"
    std::string oklch; ///< "oklch(52.4% 0.1417 262.3)"
    /// core::namedColorText: "= name", "≈ name" or empty.
    std::string cssName;
};

/// The codes of an 8-bit colour.
ColorCodes colorCodes(core::ColorRGB color);

/// The scheme a sheet shows, as it stood when the sheet was made.
struct SheetContent {
    QString title; ///< the document's name, or kUntitled
    QDate date;    ///< the day the sheet was made
    core::SchemeType rule = core::SchemeType::Analogous;
    scheme::WheelRaster raster = scheme::WheelRaster::Start;
    double lightness = scheme::SchemeModel::kDefaultLightness; ///< the perceptual disc's, 0..1
    std::vector<core::ColorRGB> colors;                        ///< the scheme's: 2 or 3
    colorscience::DesignSystem system;                         ///< the ramps of colors
    /// The preview's drawing area painted in the scheme's colours (any size; the preview's
    /// own is 373 x 269).
    QImage preview;
};

/// The title of a scheme that has no document.
inline const QString kUntitled = QStringLiteral("Untitled scheme");

/// The title a document at path gives a sheet: its file name without ".tokens.json" (or its
/// last extension), each control character and each character XML cannot hold (U+FFFE,
/// U+FFFF, a lone surrogate) as U+FFFD; kUntitled for no path.
QString titleOf(const QString& documentPath);

/// The sheet of the model's scheme (the colours its own swatches show), titled title, dated
/// date, with the preview picture given (see SheetContent::preview).
SheetContent sheetOf(const scheme::SchemeModel& model, const QString& title, const QDate& date,
                     const QImage& preview);

/// "Triad rule, Perceptual wheel at lightness 65.0%" (one decimal, as the window's slider);
/// a classic wheel has no lightness to choose: "Triad rule, Default wheel".
QString originText(const SheetContent& content);

/// The formats a sheet is written in.
enum class SheetFormat { Png, Svg, Pdf };

/// The sheet format a file name asks for by its extension (.png, .svg, .pdf, any case); none
/// for any other.
std::optional<SheetFormat> sheetFormatForFileName(std::string_view fileName);

} // namespace sheet
