#include "RuntimeFiles.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

QString runtimeFilesDir() {
    const QString own = QCoreApplication::applicationDirPath();
    // a path relative to the program, so an installed tree keeps working wherever it is moved
    const QDir installed(own + QStringLiteral("/" CHROMALUNE_DATA_FROM_BIN));
    return installed.exists() ? installed.absolutePath() : own;
}

} // namespace platform
