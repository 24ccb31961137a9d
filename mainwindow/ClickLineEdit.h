#pragma once

#include <QLineEdit>

namespace mainwindow {

/// A one-line text field that reports a click (press and release inside it), as code fields
/// copy themselves on click. It holds no line breaks or other control characters: pasted or
/// dropped text comes in without them. The window's menu shortcuts win over the field's own
/// editing keys (Ctrl+E is "end of line" to a text field), as a click on a code to copy it
/// leaves the focus here.
class ClickLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ClickLineEdit(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    bool event(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace mainwindow
