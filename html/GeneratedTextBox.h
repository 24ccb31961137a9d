#pragma once

#include <QPlainTextEdit>

/// A multi-line box that shows a generated text and gives it back for the clipboard with
/// CR LF line breaks: the exact generated text while it is untouched, the box's lines joined
/// with CR LF once the user has edited it.
class GeneratedTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit GeneratedTextBox(QWidget* parent = nullptr);

    /// Replaces the whole content with the text (lines separated by CR LF).
    void setGeneratedText(const QString& text);

    /// What the copy button puts on the clipboard.
    QString clipboardText() const;

protected:
    /// Pastes and drops, unless the text would make the box too long to lay out at once:
    /// then a message says so and the box keeps its text.
    void insertFromMimeData(const QMimeData* source) override;

private:
    QString m_generated;
    QString m_shownRaw;
};

namespace html {

/// Longest line the box takes from a paste, in characters: laying out one line without a
/// break opportunity takes time growing with the square of its length, and this one still
/// appears at once.
constexpr int kMaxBoxLineLength = 16 * 1024;

/// Most characters the box takes from a paste, counting what it keeps.
constexpr int kMaxBoxLength = 4 * 1024 * 1024;

/// A text box's raw content (blocks separated by U+2029, soft breaks U+2028) as lines joined
/// with CR LF; every other character is kept as it is.
QString boxLinesWithCrLf(const QString& raw);

} // namespace html
