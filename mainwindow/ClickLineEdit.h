#pragma once

#include <QLineEdit>

namespace mainwindow {

/// A one-line text field that reports a click (press and release inside it), as code fields
/// copy themselves on click. It holds no line breaks or other control characters: pasted or
/// dropped text comes in without them.
class ClickLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ClickLineEdit(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace mainwindow
