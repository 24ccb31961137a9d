#pragma once

#include <QWidget>

class GeneratedTextBox;

namespace html {

/// The HTML output window frmsbhtml: shows a generated text, copies it to the clipboard.
/// Its owner keeps it above itself; closing it discards it with its text.
class HtmlOutputWindow : public QWidget {
    Q_OBJECT
public:
    explicit HtmlOutputWindow(QWidget* owner);

    /// Replaces the whole text shown.
    void setText(const QString& text);

private:
    void copyText();

    GeneratedTextBox* m_textBox = nullptr;
};

} // namespace html
