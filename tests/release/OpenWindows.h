#pragma once

#include "html/HtmlOutputWindow.h"
#include "html/TableInsertWindow.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/SplashWindow.h"
#include "tools/ConvertWindow.h"
#include "tools/PickerHandOff.h"
#include "tools/SafeColorMap.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

/// Every window of the program open at once, each reached the way a user reaches it, plus a
/// splash whose timer is stopped.
struct OpenWindows {
    OpenWindows() {
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

    /// The seven windows, fewer if one failed to open.
    QList<QWidget*> all() const {
        QList<QWidget*> windows;
        for (QWidget* w : std::initializer_list<QWidget*>{
                 main.get(), converter.data(), map.data(), main->frmsbhtml.data(),
                 main->tableins.data(), main->frmabout.data(), splash.get()})
            if (w)
                windows << w;
        return windows;
    }

    /// The widgets that belong to window itself, not to a window it owns.
    /// Closes every window left open and ends any wait for the colour map.
    static void closeAll() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        tools::PickerOpen = false;
    }

    template <typename T> static QList<T*> controlsOf(QWidget* window) {
        QList<T*> own;
        for (T* w : window->findChildren<T*>())
            if (w->window() == window)
                own << w;
        return own;
    }

    std::unique_ptr<MainWindow> main = std::make_unique<MainWindow>();
    QPointer<tools::ConvertWindow> converter;
    QPointer<tools::SafeColorMap> map;
    std::unique_ptr<SplashWindow> splash;
};
