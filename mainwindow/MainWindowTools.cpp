#include "MainWindow.h"

#include "accessibility/AccessibilityWindow.h"
#include "basecolor/SetBaseColorDialog.h"
#include "designsystem/RampsWindow.h"
#include "formats/FormatTable.h"
#include "palette/PaletteWindow.h"
#include "preview/PreviewSurface.h"
#include "sitepreview/SitePreviewWindow.h"
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
        connect(m_accessCheck, &accessibility::AccessibilityWindow::applyFixRequested, this,
                [this](int swatch, QRgb color) {
                    m_history.record(
                        [this, swatch, color] {
                            m_model.setSwatchColor(
                                swatch, core::rgbValue(qRed(color), qGreen(color), qBlue(color)));
                        },
                        [this, swatch] {
                            return QStringLiteral("Apply fix: Color %1 \u2192 ").arg(swatch) +
                                   swatchCode(swatch);
                        });
                });
    }
    ui::bringToFront(m_accessCheck);
}

void MainWindow::showRamps() {
    if (!m_ramps) {
        // kept like the accessibility check: closed, it only notes that it is behind
        m_ramps = new designsystem::RampsWindow(this);
        m_ramps->follow(m_model);
    }
    ui::bringToFront(m_ramps);
}

void MainWindow::showSitePreview() {
    // kept like the ramps; found among the children, so the window needs no member
    auto* site = findChild<sitepreview::SitePreviewWindow*>(QStringLiteral("frmsite"),
                                                            Qt::FindDirectChildrenOnly);
    if (!site) {
        site = new sitepreview::SitePreviewWindow(this);
        site->follow(m_model, m_history);
    }
    ui::bringToFront(site);
}

void MainWindow::showSetBaseColor() {
    if (!m_setBase) {
        m_setBase = new basecolor::SetBaseColorDialog(this);
        connect(m_setBase, &basecolor::SetBaseColorDialog::baseColorChosen, this,
                &MainWindow::setBaseColor);
    }
    showSetBaseWheel();
    // the base as it stands, or nothing to start from before there is a scheme
    if (!m_setBase->isVisible())
        m_setBase->setText(m_model.hasScheme()
                               ? QString::fromStdString(core::htmlCode(m_model.swatchColor(2)))
                               : QString());
    ui::bringToFront(m_setBase);
}

void MainWindow::setBaseColor(core::ColorRGB rgb8, const core::Oklch& exact) {
    m_history.record([this, rgb8, exact] { m_model.setBaseColor(rgb8, exact); },
                     [exact] { return "Base " + QString::fromStdString(core::oklchText(exact)); });
}

palette::PaletteWindow* MainWindow::showPalette() {
    if (!m_palette) {
        m_palette = new palette::PaletteWindow(this);
        m_palette->follow(m_model);
        placeBeside(m_palette);
        connect(m_palette, &palette::PaletteWindow::useAsBaseRequested, this,
                &MainWindow::setBaseColor);
    }
    ui::bringToFront(m_palette);
    return m_palette;
}

void MainWindow::showSetBaseWheel() {
    if (!m_setBase)
        return;
    // the classic wheels land on their nearest pixel, and the dialog says how far it is;
    // the perceptual wheel lands on the colour itself
    if (m_model.isPerceptual()) {
        m_setBase->setNearestWheelColor({});
        return;
    }
    m_setBase->setNearestWheelColor([this](core::ColorRGB want) {
        const std::array<float, 2> at =
            m_model.nearestPixel(core::rgbValue(want.r, want.g, want.b));
        return core::splitColor(
            m_model.raster().at(static_cast<int>(at[0]), static_cast<int>(at[1])));
    });
}

} // namespace mainwindow
