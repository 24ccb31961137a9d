#pragma once

#include "Sheet.h"
#include "colorscience/VisionSimulation.h"

#include <QByteArray>
#include <QRect>

class QPainter;

namespace sheet {

/// The sheet's own units: a PNG at scale 1 has one pixel for each, the SVG uses them as its
/// view box and the PDF fits them to an A4 page in landscape (the same proportions).
constexpr int kSheetWidth = 1600;
constexpr int kSheetHeight = 1131;

/// Where the large swatch of colour i (0..2) lies, in sheet units.
QRect swatchRect(size_t colorIndex);
/// Where ramp r (the colours' ramps, then the neutral) shows step s (0..10), in sheet units.
QRect rampChipRect(size_t ramp, size_t step);
/// Where the preview as simulation sees it lies, in sheet units (the preview's own size).
QRect simulationRect(colorscience::Simulation simulation);

/// Draws the sheet in sheet units onto painter, from (0, 0): every text as text, so a PDF or
/// SVG keeps it selectable; the painter's transform scales it.
void paintSheet(QPainter& painter, const SheetContent& content);

/// The sheet as a picture of kSheetWidth x kSheetHeight units at scale (1 or more) pixels a
/// unit; swatches, chips and the previews are whole pixels of exactly their colours.
QImage sheetImage(const SheetContent& content, int scale = 1);

/// The whole file of the sheet in format: a PNG of sheetImage at scale (ignored for the
/// others), an SVG of kSheetWidth x kSheetHeight, or a one-page A4 landscape PDF.
QByteArray sheetBytes(SheetFormat format, const SheetContent& content, int scale = 1);

/// Writes sheetBytes to path with the safe writer: on failure an earlier file stays as it was
/// and error (when given) says why.
bool writeSheet(const QString& path, SheetFormat format, const SheetContent& content, int scale,
                QString* error);

} // namespace sheet
