#pragma once

#include "core/CssColor.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {
class ScreenColorPicker;
}
namespace ui {
class Swatch;
}

namespace basecolor {

/// "Set Base Color" (object name "frmsetbase"): takes any CSS colour text (field
/// "txtbasecolor"), shows it live (swatch "picbasecolor") and says in "lblbasemessage" what is
/// wrong with text it cannot read, that an alpha is ignored and that a colour outside sRGB
/// is gamut-mapped. "Pick from Screen" ("cmdpickscreen") fills the field from the screen,
/// or is disabled with the reason in its tooltip and the message where nothing can pick.
/// OK ("cmdok", the default, enabled only for a readable colour) emits baseColorChosen and
/// closes; Cancel ("cmdcancel") and Escape close without it.
///
/// Show it with show() (it is not modal): while the screen is picked it hides itself, so
/// the colour under it can be taken. Under exec() it stays on screen while picking.
class SetBaseColorDialog : public QDialog {
    Q_OBJECT
public:
    /// A dialog with its own screen picker on the session bus.
    explicit SetBaseColorDialog(QWidget* parent = nullptr);
    /// A dialog using picker (not owned; tests pass one on a private bus).
    SetBaseColorDialog(platform::ScreenColorPicker* picker, QWidget* parent);

    /// Puts text in the field (e.g. the current base's "#RRGGBB"), selected, and shows it.
    void setText(const QString& text);
    QString text() const;

    /// The field's colour, none while the text cannot be read.
    std::optional<core::BaseColor> color() const { return m_color; }

    /// How the classic wheels find the pixel nearest a colour. With it set, the info line
    /// ("lblbaseinfo") shows that pixel and its CIEDE2000 distance for each readable colour;
    /// set an empty function in the perceptual mode, which lands on the colour exactly (the
    /// line goes). Call it again whenever the wheel changes: it applies at once.
    void setNearestWheelColor(std::function<core::ColorRGB(core::ColorRGB)> nearest);
    /// Shows text in the info line instead (empty hides it); the nearest-pixel line replaces
    /// it at the next change of the colour while a finder is set.
    void setInfoText(const QString& text);

    /// The screen picker the dialog uses.
    platform::ScreenColorPicker* picker() const { return m_picker; }

public slots:
    void accept() override;

signals:
    /// OK was pressed on a readable colour.
    void baseColorChosen(core::ColorRGB rgb8, core::Oklch exact);
    /// The field's colour changed to a readable one (each keystroke that makes one).
    void colorEdited(core::ColorRGB rgb8, core::Oklch exact);

private:
    void readText();
    void showMessage();
    void startPick();
    void endPick();

    platform::ScreenColorPicker* m_picker;
    QLineEdit* m_field;
    ui::Swatch* m_swatch;
    QLabel* m_message;
    QLabel* m_info;
    QPushButton* m_pickButton;
    QPushButton* m_ok;
    std::optional<core::BaseColor> m_color;
    QString m_colorMessage;
    QString m_pickMessage;
    std::function<core::ColorRGB(core::ColorRGB)> m_nearest;
    bool m_hiddenForPick = false;
};

} // namespace basecolor
