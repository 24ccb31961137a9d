#pragma once

#include <QWidget>

class GeneratedTextBox;
class QPushButton;

namespace html {

/// The HTML output window frmsbhtml: shows a generated text, copies it to the clipboard.
/// Its owner keeps it above itself; closing it discards it with its text.
class HtmlOutputWindow : public QWidget {
    Q_OBJECT
public:
    explicit HtmlOutputWindow(QWidget* owner);

    /// Replaces the whole content of Text1.
    void setText(const QString& text);

private:
    void cmdclipboard_Click();
    void cmdclose_Click();

    GeneratedTextBox* Text1 = nullptr;
    QPushButton* cmdclipboard = nullptr;
    QPushButton* cmdclose = nullptr;
};

} // namespace html
