#pragma once

#include "support/MainWindowDriver.h"

#include "mainwindow/SplashWindow.h"
#include "palette/PaletteWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <memory>

/// Every window of the program open at once, each reached the way a user reaches it, plus a
/// splash whose timer is stopped.
struct OpenWindows {
    OpenWindows() {
        d.runMenu("mnuconvert");
        d.child("convert")->findChild<QPushButton*>("cmdpickcolor")->click();
        // the map as it mostly shows: a cell picked, its code and colour beside the cells
        QTest::mouseClick(d.child("tcol"), Qt::LeftButton, {}, QPoint(8, 178)); // cell 100
        d.chooseStyle("Table Style");
        d.child<QPushButton>("gentablehtml")->click();
        d.chooseStyle("Scrollbar Style");
        d.child<QPushButton>("cmdgensbhtml")->click();
        d.runMenu("mnuabout");
        d.runMenu("mnuaccess");
        d.runMenu("mnuramps");
        d.runMenu("mnusite");
        d.runMenu("mnusetbase");
        d.runMenu("mnupalette");
        core::Palette brand;
        brand.name = "Brand";
        for (const auto& [name, css] : {std::pair{"Paper", "#FFFFFF"},
                                        {"Ink", "#141821"},
                                        {"Royal purple", "#663399"},
                                        {"Signal red", "#E0301E"},
                                        {"Leaf", "#5C8A00"}})
            brand.colors.push_back(core::paletteColorOf(name, *core::parseCssColor(css).color));
        auto* paletteWindow = d.w->findChild<palette::PaletteWindow*>("frmpalette");
        paletteWindow->setPalette(brand, "brand.gpl");
        // as it opens on a usual screen: the test's screen is smaller than the window
        paletteWindow->resize(920, 540);
        splash = std::make_unique<mainwindow::SplashWindow>();
        splash->findChild<QTimer*>("Timer1")->stop();
        splash->show();
    }

    /// Every window open, the twelve when all went well.
    static QList<QWidget*> all() {
        QList<QWidget*> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible())
                windows << w;
        return windows;
    }

    /// Closes every window left open.
    static void closeAll() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
    }

    MainWindowDriver d;
    std::unique_ptr<mainwindow::SplashWindow> splash;
};
