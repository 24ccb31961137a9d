#pragma once

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>

/// Counts the paint events of the widgets it filters, and the region they repaint: what
/// reaches the screen (a grab draws afresh, whatever was asked to repaint).
struct PaintCounter : QObject {
    int paints = 0;
    QRegion region;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            ++paints;
            region += static_cast<QPaintEvent*>(e)->region();
        }
        return false;
    }
};
