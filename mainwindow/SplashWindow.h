#pragma once

#include <QWidget>

class QTimer;

namespace mainwindow {

/// The start-up window frmSplash: the wheel with a scheme drawn on it, the program's name
/// and its publisher. One second after it is created its timer asks for the main window
/// (mainWindowDue) and closes the splash.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
    ~SplashWindow() override;

signals:
    /// Time to show the main window; whoever receives it creates and owns that window.
    void mainWindowDue();

protected:
    void showEvent(QShowEvent* event) override;

private:
    /// Asks for the main window once and closes the splash.
    void handOverToMainWindow();

    QTimer* m_timer = nullptr;
};

/// The splash's 255 x 256 picture: the default wheel raster with the construction lines of
/// an analogous scheme drawn over it.
QImage splashWheelPicture();

} // namespace mainwindow
