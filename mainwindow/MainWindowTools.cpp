#include "MainWindow.h"

#include "accessibility/AccessibilityWindow.h"
#include "preview/PreviewSurface.h"
#include "tools/ConvertWindow.h"
#include "ui/ColorConversion.h"
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
        m_accessCheck = new accessibility::AccessibilityWindow(this);
        // closed, it costs nothing; opened again, it starts from the scheme as it is then
        m_accessCheck->setAttribute(Qt::WA_DeleteOnClose);
        m_accessCheck->setPreview(m_bareMockup, m_preview->lists());
        m_accessCheck->setPreviewPaint(m_previewPaint);
        showSchemeToAccessCheck();
    }
    ui::bringToFront(m_accessCheck);
}

void MainWindow::showSchemeToAccessCheck() {
    if (m_accessCheck)
        m_accessCheck->setSchemeColors({ui::toQRgb(m_model.swatchColor(1)),
                                        ui::toQRgb(m_model.swatchColor(2)),
                                        ui::toQRgb(m_model.swatchColor(3))});
}

} // namespace mainwindow
