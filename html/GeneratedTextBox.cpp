#include "GeneratedTextBox.h"

#include <QTextDocument>

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
