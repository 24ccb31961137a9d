#pragma once

#include <QString>

namespace platform {

/// The folder of the files the program reads at run time (pixel lists, help page): the
/// installed data folder where it lies at its place beside the program's bin/ folder, else
/// the program's own folder, as in the build tree.
QString runtimeFilesDir();

} // namespace platform
