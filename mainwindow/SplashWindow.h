#pragma once

#include <QWidget>

#include <memory>

class QLabel;
class QTimer;
class MainWindow;

/// The start-up window frmSplash: the wheel with a scheme drawn on it, the program's name
/// and its publisher. One second after it is created its timer opens the main window and
/// closes the splash.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
    ~SplashWindow() override;

    /// The main window this splash opened; null until its timer has fired.
    MainWindow* mainWindow() const { return m_main.get(); }

    /// Creates the main window if it does not exist yet, shows it and closes the splash.
    void Timer1_Timer();

    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<MainWindow> m_main;
};

/// The splash's 255 x 256 picture: the default wheel raster with the construction lines of
/// an analogous scheme drawn over it.
QImage splashWheelPicture();
