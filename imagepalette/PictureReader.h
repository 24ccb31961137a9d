#pragma once

#include "Extraction.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>

#include <atomic>
#include <optional>
#include <vector>

// Reading a picture for its palette: bounded (file size, pixel count, memory), never
// blocking on a pipe or a device, decoded at reduced size where the format does that for
// free, and sampled on a grid of about 128 x 128 pixels. Safe to call from a worker
// thread; a std::atomic<bool> set by another thread stops it between phases.

namespace imagepalette {

/// Files larger than this many bytes are not read.
constexpr qint64 kMaxPictureBytes = qint64(256) << 20;
/// Pictures of more than this many pixels are refused before they are decoded.
constexpr qint64 kMaxPicturePixels = 100'000'000;
/// About this many samples are taken (128 x 128), the picture's aspect kept.
constexpr int kSampleTarget = 128 * 128;
/// The long side of the preview, at most, in pixels.
constexpr int kPreviewSide = 512;

/// A picture read for its palette.
struct Picture {
    QSize size;                  ///< the picture's own size, as shown (EXIF rotation applied)
    QByteArray format;           ///< "png", "jpeg", ...
    std::vector<Sample> samples; ///< about 128 x 128 pixels in sRGB, at original coordinates
    QImage preview;              ///< the picture at most 512 pixels long in sRGB, to show
};

/// A picture, or why it could not be read.
struct PictureRead {
    std::optional<Picture> picture;
    QString error;          ///< a sentence naming the file; empty when picture is set
    bool cancelled = false; ///< stopped on request; error says so
};

/// Reads the picture at path (PNG, JPEG, WebP, GIF (its first frame), BMP, TIFF, ...):
/// refuses anything but a regular file, files over 256 MB and pictures over 100 megapixels
/// before decoding them. cancel may be null.
PictureRead readPicture(const QString& path, const std::atomic<bool>* cancel = nullptr);

/// A picture's colours, or why there are none.
struct PicturePalette {
    std::optional<Picture> picture; ///< set when the file was read
    Extraction extraction;          ///< empty colours with a message when none were found
    QString error;                  ///< why the file gave no colours; empty when it did
    bool cancelled = false;
};

/// Reads the picture at path and finds its colours (readPicture then extractColors).
PicturePalette readPicturePalette(const QString& path, const std::atomic<bool>* cancel = nullptr);

/// The position in the preview (pixel centre, preview pixels) of a point of the picture.
QPoint previewPointOf(const Picture& picture, QPoint original);
/// The position in the picture of a point of the preview (preview pixels, may be fractional).
QPoint originalPointOf(const Picture& picture, QPointF inPreview);

/// The colour at a point of the picture (original coordinates): the mean in linear light
/// of the opaque preview pixels in the 3 x 3 around it; none outside the picture or where
/// all of them are transparent.
std::optional<core::ColorRGB> colorAt(const Picture& picture, QPoint original);

} // namespace imagepalette
