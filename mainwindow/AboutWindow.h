#pragma once

#include <QWidget>

class QPushButton;

namespace mainwindow {

/// The about window frmabout: a picture of the program's own, a dedication and OK.
/// Non-modal; closing it destroys it, so the next About builds and centres it afresh.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* m_okButton = nullptr;
};

} // namespace mainwindow
