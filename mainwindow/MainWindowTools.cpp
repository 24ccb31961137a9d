#include "MainWindow.h"

#include "accessibility/AccessibilityWindow.h"
#include "palette/PaletteFormats.h"
#include "preview/PreviewSurface.h"
#include "tools/ConvertWindow.h"
#include "ui/ColorConversion.h"
#include "ui/WindowHelpers.h"

namespace mainwindow {

void MainWindow::mnuconvert_click() {
    if (!convert) {
        convert = new tools::ConvertWindow(this);
        // closing removes the window, so the next opening starts with empty fields
        convert->setAttribute(Qt::WA_DeleteOnClose);
    }
    ui::bringToFront(convert);
}

void MainWindow::mnuaccess_click() {
    if (!frmaccess) {
        // made once and kept: every new window brings palettes of its own, under which the
        // style caches its drawn pieces anew until its cache is full. Closed, it drops its
        // pictures; opened again, it shows the scheme as it is then.
        frmaccess = new accessibility::AccessibilityWindow(this);
        frmaccess->setPreview(m_bareMockup, preview->lists());
        frmaccess->setPreviewPaint(m_previewPaint);
        showSchemeToAccessCheck();
    }
    ui::bringToFront(frmaccess);
}

void MainWindow::showSchemeToAccessCheck() {
    if (frmaccess)
        frmaccess->setSchemeColors({ui::toQRgb(m_model.swatchColor(1)),
                                    ui::toQRgb(m_model.swatchColor(2)),
                                    ui::toQRgb(m_model.swatchColor(3))},
                                   int(palette::schemeColorCount(m_model.rule())));
}

} // namespace mainwindow
