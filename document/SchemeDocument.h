#pragma once

#include "formats/FormatTable.h"
#include "scheme/SchemeModel.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <string>

// Scheme documents: the design-tokens file the export writes, holding besides the tokens the
// whole scheme under the program's own "$extensions" key. One file is what a token pipeline
// builds and what the program reopens exactly.

namespace document {

/// What a scheme document's name ends with.
inline const QString kDocumentExtension = QStringLiteral(".tokens.json");

/// Version of the scheme state written; a document of a later one is refused.
constexpr int kSchemeStateVersion = 1;
/// Largest document read: a scheme's tokens file is about 30 KB.
constexpr qint64 kMaxDocumentBytes = qint64{8} * 1024 * 1024;

/// The scheme state of a snapshot, as its JSON object: every part of it, exactly.
QJsonObject schemeStateJson(const scheme::SchemeModel::Snapshot& snapshot);

/// The state text that makes a design-tokens file a document of the snapshot (see
/// designTokensText).
std::string schemeStateText(const scheme::SchemeModel::Snapshot& snapshot);

/// What reading a document gives: the snapshot, or what is wrong with the file.
struct DocumentRead {
    std::optional<scheme::SchemeModel::Snapshot> snapshot;
    /// Why there is no snapshot: one sentence that names the part or the offset.
    QString error;
    /// Whether the file is a tokens file without the program's state: a palette.
    bool palette = false;
    /// Whether the file holds the program's state, read or not.
    bool holdsScheme = false;
};

/// The snapshot a document's text holds, the one way every caller reads a document. What its
/// parts determine is derived from them, not read: the six texts of each column from its
/// colour, and colours that contradict the rule at the document's wheel, position, lightness
/// and base from those (a frozen scheme keeps colours of its own, as an applied fix leaves).
DocumentRead readSchemeDocument(const QByteArray& text);
/// The snapshot of the document at path: a regular file of at most kMaxDocumentBytes.
DocumentRead readSchemeDocumentFile(const QString& path);

/// path ending with kDocumentExtension: added when missing, after a name's trailing dot without
/// doubling it, left as it is in any case of letters.
QString withDocumentExtension(const QString& path);
/// Writes the model's scheme as a document to path, as the safe writer writes: on failure the
/// earlier file stays as it was and reason says why.
bool writeSchemeDocument(const QString& path, const scheme::SchemeModel& model,
                         std::string* reason);

} // namespace document
