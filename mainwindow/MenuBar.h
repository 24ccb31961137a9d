#pragma once

#include <QMenuBar>

/// The keyed menu layer over the toolkit's menu bar.
class MenuBar : public QMenuBar {
    Q_OBJECT
public:
    using QMenuBar::QMenuBar;
};
