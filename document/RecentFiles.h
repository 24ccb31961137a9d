#pragma once

#include <QString>
#include <QStringList>

// The recent list: the documents last opened or saved, most recent first, one absolute path a
// line in recent.txt in the user's configuration folder.

namespace document {

/// The recent documents, most recent first: one path a line, at most ten; a damaged list
/// gives only the paths it still holds whole.
QStringList recentDocuments();

/// Writes paths as the whole recent list (none clears it) through the safe writer.
void keepRecentDocuments(const QStringList& paths);

/// Puts the file at path first in the recent list, as an absolute path, once; a path that does
/// not exist is not kept.
void rememberRecentDocument(const QString& path);

} // namespace document
