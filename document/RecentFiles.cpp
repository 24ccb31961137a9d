#include "RecentFiles.h"

#include "io/FileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace document {

namespace {

constexpr qsizetype kRecentCount = 10;
/// The longest path a recent entry may be, as the system's own limit.
constexpr qsizetype kLongestPath = 4096;
/// As long as ten of the longest paths take.
constexpr qint64 kLongestRecentFile = kRecentCount * (kLongestPath + 1) * 4;

/// The one file the program keeps in the user's configuration folder.
QString recentFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/recent.txt");
}

/// Whether line of the recent list is a path the program wrote there: absolute, of a
/// length a system takes, of text without control characters.
bool isRecentPath(const QString& line) {
    if (!line.startsWith(QLatin1Char('/')) || line.size() > kLongestPath)
        return false;
    return std::none_of(line.begin(), line.end(), [](QChar c) {
        return c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter;
    });
}

} // namespace

QStringList recentDocuments() {
    QFile file(recentFilePath());
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines =
        QString::fromUtf8(file.read(kLongestRecentFile)).split(QLatin1Char('\n'));
    QStringList paths;
    for (const QString& line : lines) {
        if (paths.size() == kRecentCount)
            break;
        if (isRecentPath(line) && !paths.contains(line))
            paths << line;
    }
    return paths;
}

void keepRecentDocuments(const QStringList& paths) {
    QDir().mkpath(QFileInfo(recentFilePath()).absolutePath());
    const QString text = paths.isEmpty() ? QString() : paths.join(QLatin1Char('\n')) + '\n';
    io::writeFile(recentFilePath(), text.toUtf8(), nullptr);
}

void rememberRecentDocument(const QString& path) {
    if (!QFileInfo::exists(path))
        return;
    QStringList paths = recentDocuments();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    keepRecentDocuments(paths.mid(0, kRecentCount));
}

} // namespace document
