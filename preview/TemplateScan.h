#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <optional>
#include <string>

namespace preview {

/// A colour the template scan looks for, and what a matched pixel is repainted with
/// (nothing keeps the pixel as it is).
struct ScanTarget {
    QRgb templateColor;
    std::optional<QRgb> repaint;
};

/// Scans the image column by column (x outer, y inner, both ascending) and returns for each
/// target, in order, the text of its pixel-list file: one line per pixel whose colour equals
/// the target's exactly. Targets are tried in order and the first match takes the pixel;
/// a matched pixel is read before it is repainted, so it is never matched twice.
std::array<std::string, 3> scanTemplates(QImage& image, const std::array<ScanTarget, 3>& targets);

/// Writes text as the whole content of the file at path. On failure returns
/// false and, if error is given, the reason.
bool writeListFile(const QString& path, const std::string& text, QString* error = nullptr);

} // namespace preview
