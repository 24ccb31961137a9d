#include "MainWindow.h"

#include "accessibility/AccessibilityWindow.h"
#include "palette/PaletteFormats.h"
#include "preview/PreviewSurface.h"
#include "tools/ConvertWindow.h"
#include "ui/WindowHelpers.h"

namespace mainwindow {

void MainWindow::showConverter() {
    if (!m_converter) {
        m_converter = new tools::ConvertWindow(this);
        // closing removes the window, so the next opening starts with empty fields
        m_converter->setAttribute(Qt::WA_DeleteOnClose);
    }
    ui::bringToFront(m_converter);
}

void MainWindow::showAccessibilityCheck() {
    if (!m_accessCheck) {
        // made once and kept: every new window brings palettes of its own, under which the
        // style caches its drawn pieces anew until its cache is full. Closed, it drops its
        // pictures; opened again, it shows the scheme as it is then.
        m_accessCheck = new accessibility::AccessibilityWindow(this);
        m_accessCheck->follow(m_model, *m_preview);
    }
    ui::bringToFront(m_accessCheck);
}

} // namespace mainwindow
