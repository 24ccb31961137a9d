#pragma once

#include "support/MainWindowDriver.h"

#include "mainwindow/SplashWindow.h"
#include "preview/PreviewStyles.h"
#include "tools/PickerHandOff.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <memory>

/// Every window of the program open at once, each reached the way a user reaches it, plus a
/// splash whose timer is stopped.
struct OpenWindows {
    OpenWindows() {
        d.runMenu("mnuconvert");
        if (QWidget* converter = window("convert"))
            converter->findChild<QPushButton*>("cmdpickcolor")->click();
        for (const preview::PreviewStyle& s : preview::previewStyles()) {
            const char* button = s.button == preview::HtmlButton::Scrollbar ? "cmdgensbhtml"
                                 : s.button == preview::HtmlButton::Table   ? "gentablehtml"
                                                                            : nullptr;
            if (button == nullptr)
                continue;
            d.chooseStyle(QString::fromLatin1(s.entry.data(), int(s.entry.size())));
            d.child<QPushButton>(QLatin1String(button))->click();
        }
        d.runMenu("mnuabout");
        d.runMenu("mnuaccess");
        splash = std::make_unique<mainwindow::SplashWindow>();
        splash->findChild<QTimer*>("Timer1")->stop();
        splash->show();
    }

    /// The open top-level window named name, or null.
    static QWidget* window(const QString& name) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == name)
                return w;
        return nullptr;
    }

    /// The eight windows, fewer if one failed to open.
    QList<QWidget*> all() const {
        QList<QWidget*> windows{d.w.get(), splash.get()};
        for (const char* name :
             {"convert", "safecolormap", "frmsbhtml", "tableins", "frmabout", "frmaccess"})
            if (QWidget* w = window(QLatin1String(name)))
                windows << w;
        return windows;
    }

    /// Closes every window left open and ends any wait for the colour map.
    static void closeAll() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        tools::PickerOpen = false;
    }

    /// The widgets that belong to window itself, not to a window it owns.
    template <typename T> static QList<T*> controlsOf(QWidget* window) {
        QList<T*> own;
        for (T* w : window->findChildren<T*>())
            if (w->window() == window)
                own << w;
        return own;
    }

    MainWindowDriver d;
    std::unique_ptr<mainwindow::SplashWindow> splash;
};
