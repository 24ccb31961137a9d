#pragma once

class QByteArray;
class QString;

namespace io {

/// Writes bytes as the whole content of the file at path; the program's one way of writing a
/// file. A new file, or a regular file of the user's own with one name, in a folder the user
/// may write, is replaced as one whole: on failure it keeps its earlier content and nothing
/// is left beside it. Any other existing file (a pipe, a device, a file with more than one
/// name or of another owner or group, a file reached through a link, a file in a folder the
/// user may not write) is written in place, so it keeps its kind, owner, mode and every
/// name. A file whose mode grants writing to nobody is refused. Returns whether the whole
/// content was written; on failure, if error is given, the reason.
bool writeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

/// Makes a write past the file-size limit or into a pipe nobody reads any more fail with an
/// error (EFBIG, EPIPE) instead of ending the program by a signal (SIGXFSZ, SIGPIPE). The
/// program calls it first thing; writeFile calls it too.
void ignoreWriteSignals();

} // namespace io
