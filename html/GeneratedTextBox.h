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

private:
    QString m_generated;
    QString m_shownRaw;
};

namespace html {

/// A text box's raw content (blocks separated by U+2029, soft breaks U+2028) as lines joined
/// with CR LF; every other character is kept as it is.
QString boxLinesWithCrLf(const QString& raw);

} // namespace html
