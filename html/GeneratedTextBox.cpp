#include "GeneratedTextBox.h"

#include <QMessageBox>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace html {

QString boxLinesWithCrLf(const QString& raw) {
    QString out;
    out.reserve(raw.size() + raw.size() / 16);
    for (const QChar c : raw) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case u'\n':
            out += QStringLiteral("\r\n");
            break;
        case 0xfdd0: // frame markers of a text document
        case 0xfdd1:
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace html

GeneratedTextBox::GeneratedTextBox(QWidget* parent) : QPlainTextEdit(parent) {}

void GeneratedTextBox::setGeneratedText(const QString& text) {
    setPlainText(text);
    m_generated = text;
    // the document turns CR LF into its own block breaks, so an untouched box is recognised
    // by its raw content rather than by comparing with the generated text
    m_shownRaw = document()->toRawText();
}

QString GeneratedTextBox::clipboardText() const {
    const QString raw = document()->toRawText();
    if (raw == m_shownRaw)
        return m_generated;
    return html::boxLinesWithCrLf(raw);
}

void GeneratedTextBox::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString text = source->text();
    const QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const int kept = document()->characterCount() - 1 - (end - start);
    // the first pasted line joins what stands before the cursor on its line, the last one
    // what follows the selection
    const QTextBlock first = document()->findBlock(start);
    const QTextBlock last = document()->findBlock(end);
    int64_t line = start - first.position();
    int64_t longest = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n' || u == u'\r' || u == QChar::ParagraphSeparator ||
            u == QChar::LineSeparator) {
            longest = std::max(longest, line);
            line = 0;
        } else {
            ++line;
        }
    }
    longest = std::max(longest, line + last.position() + last.length() - 1 - end);
    if (longest <= html::kMaxBoxLineLength && int64_t{kept} + text.size() <= html::kMaxBoxLength) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString reason =
        longest > html::kMaxBoxLineLength
            ? QStringLiteral("it would make a line of %1 characters, and the box takes lines of "
                             "at most %2.")
                  .arg(longest)
                  .arg(html::kMaxBoxLineLength)
            : QStringLiteral("the box would hold %1 characters, and it takes at most %2.")
                  .arg(int64_t{kept} + text.size())
                  .arg(html::kMaxBoxLength);
    QMessageBox::warning(this, window()->windowTitle(),
                         QStringLiteral("The text was not pasted: ") + reason);
}
