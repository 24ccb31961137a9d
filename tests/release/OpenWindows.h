#pragma once

#include "html/HtmlOutputWindow.h"
#include "html/TableInsertWindow.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/SplashWindow.h"
#include "tools/ConvertWindow.h"
#include "tools/PickerHandOff.h"
#include "tools/SafeColorMap.h"

#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>
#include <utility>
#include <vector>

/// Every window of the program open at once, each reached the way a user reaches it: the
/// main window with its converter (and the converter's colour map), the HTML output window,
/// the table generator and the about window, plus a splash whose timer is stopped.
class OpenWindows {
public:
    OpenWindows() {
        main = std::make_unique<MainWindow>();
        main->show();
        main->mnuconvert_click();
        converter = main->findChild<tools::ConvertWindow*>(QStringLiteral("convert"));
        if (converter) {
            converter->cmdpickcolor->click();
            map = converter->colorMap();
        }
        main->cmdgensbhtml_Click();
        main->gentablehtml_Click();
        main->mnuabout_click();
        splash = std::make_unique<SplashWindow>();
        splash->Timer1->stop();
        splash->show();
    }
    ~OpenWindows() {
        splash.reset();
        main.reset();
    }

    /// The seven windows by objectName, none missing.
    std::vector<std::pair<QString, QWidget*>> all() const {
        std::vector<std::pair<QString, QWidget*>> windows;
        for (QWidget* w : {static_cast<QWidget*>(main.get()), static_cast<QWidget*>(converter),
                           static_cast<QWidget*>(map), static_cast<QWidget*>(main->frmsbhtml),
                           static_cast<QWidget*>(main->tableins), main->frmabout.data(),
                           static_cast<QWidget*>(splash.get())})
            if (w)
                windows.emplace_back(w->objectName(), w);
        return windows;
    }

    /// The widgets that belong to window itself, not to a window it owns.
    template <typename T> static QList<T*> controlsOf(QWidget* window) {
        QList<T*> own;
        for (T* w : window->findChildren<T*>())
            if (w->window() == window)
                own << w;
        return own;
    }

    std::unique_ptr<MainWindow> main;
    QPointer<tools::ConvertWindow> converter;
    QPointer<tools::SafeColorMap> map;
    std::unique_ptr<SplashWindow> splash;
};
