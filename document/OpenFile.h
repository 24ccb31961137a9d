#pragma once

#include "core/Palette.h"
#include "imagepalette/PictureReader.h"
#include "scheme/SchemeModel.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace document {

/// What a file opened by File, Open, a drop or the command line holds: a scheme document, a
/// palette, or neither and why.
struct OpenedFile {
    std::optional<scheme::SchemeModel::Snapshot> scheme;
    std::optional<core::Palette> palette;
    std::optional<imagepalette::Picture> picture; ///< the picture a palette was taken from
    int skipped = 0;                              ///< palette entries that could not be read
    QString firstSkipped; ///< why the first of them was skipped ("line 12: ...")
    QString error;        ///< one sentence when it holds neither
};

/// Whether path is a regular file holding a picture (PNG, JPEG, WebP, GIF, BMP or TIFF, told by
/// its content), whose colours are taken by decoding it.
bool isPictureFile(const QString& path);

/// The palette of a picture: its dominant colours, then its accents.
OpenedFile openPicture(const QString& path, const std::atomic<bool>* cancel = nullptr);

/// Opens the file at path: a picture's palette; else (a regular file of at most 8 MB) a scheme
/// document when it holds the program's state (a damaged one is refused, never read as a
/// palette), else a palette in any format the readers know.
OpenedFile openFile(const QString& path);
/// openFile of the file named by the system's bytes nativePath (a command line's argument),
/// also when they are no UTF-8.
OpenedFile openFileNamed(const QByteArray& nativePath);

} // namespace document
