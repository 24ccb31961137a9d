#pragma once

#include "core/Palette.h"
#include "scheme/SchemeModel.h"

#include <QString>

#include <optional>

namespace palette {

/// What a file opened by File, Open, a drop or the command line holds: a scheme document, a
/// palette, or neither and why.
struct OpenedFile {
    std::optional<scheme::SchemeModel::Snapshot> scheme;
    std::optional<core::Palette> palette;
    int skipped = 0;      ///< palette entries that could not be read
    QString firstSkipped; ///< why the first of them was skipped ("line 12: ...")
    QString error;        ///< one sentence when it holds neither
};

/// Opens the regular file at path (at most 8 MB): a scheme document when it holds the
/// program's state, else a palette in any format the readers know; styleCount is how many
/// preview styles there are.
OpenedFile openFile(const QString& path, int styleCount);

} // namespace palette
