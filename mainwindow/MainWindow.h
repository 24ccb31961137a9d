#pragma once

#include "scheme/SchemeModel.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>

class QButtonGroup;
class QMetaMethod;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
namespace ui {
class Swatch;
} // namespace ui
namespace preview {
class PreviewSurface;
} // namespace preview
namespace accessibility {
class AccessibilityWindow;
} // namespace accessibility
namespace html {
class HtmlOutputWindow;
class TableInsertWindow;
} // namespace html

namespace mainwindow {

class ClickLineEdit;
class MenuBar;
class WheelSurface;

/// The main window frmchromalune: hue wheel, scheme type, preview pane, HTML buttons,
/// menu bar and the swatch panel. It shows the scheme model it owns and turns the user's
/// input into the model's changes; every control keeps the name users' tests find it by.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    /// The scheme this window shows; windows that follow it observe its changed() signal.
    const scheme::SchemeModel& model() const { return m_model; }

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    // menu commands, found by name at run time (key + "_click")
    void mnusavecolors_click();
    void mnuexport_click();
    void mnufileexit_click();
    void mnucwdefault_click();
    void mnucwwebsafe_click();
    void mnuhelp_click();
    void mnuabout_click();
    void mnud1_click();
    void mnud2_click();
    void mnuconvert_click();
    void mnuaccess_click();

private:
    // ---- the swatch panel and the scheme (MainWindow.cpp) ----
    void buildSwatchPanel();
    void buildSchemeFrame();
    void orderKeyboardFocus();
    ClickLineEdit* makeCodeField(int k, scheme::Field field, const QString& name, int x, int y,
                                 int w, QWidget* parent);
    QLabel* makeLabel(const QString& name, const QString& text, int x, int y, QWidget* parent);
    /// Shows what the model holds after a change of it.
    void schemeChanged(scheme::Change what);
    void showScheme();
    /// Hands the swatch colours to the accessibility check while it is open.
    void showSchemeToAccessCheck();

    // ---- preview (MainWindowPreview.cpp) ----
    void setupPreview();
    void show_preview();
    void cmbpreview_Click();
    /// Puts the style's mock-up and pixel lists on the preview and shows its HTML button.
    void loadPreviewStyle(int index);
    void load_pixel_lists(const QString& first, const QString& second, const QString& third);
    void Command3_Click();
    void Command2_Click();
    /// Folder the hidden authoring commands write into: "authoring" beside the program.
    static QString authoringFolder();

    // ---- HTML generators (MainWindowHtml.cpp) ----
    void setupHtml();
    void cmdgenlinkshtml_Click();
    void cmdgenlinks2html_Click();
    void cmdgensbhtml_Click();
    void gentablehtml_Click();
    /// Creates the output window if it is not open, shows it and brings it to the front.
    html::HtmlOutputWindow* openHtmlOutput();
    QString htmlCode(int k) const;

    // ---- menus, saving, about, help (MainWindowMenus.cpp) ----
    void setupMenus();
    /// Click on the menu entry with identifier id: runs the command named key + "_click";
    /// headers run nothing.
    void SmartMenuXP1_MenuItemClick(int id);
    /// The command of the menu entry with key: this window's slot key + "_click".
    QMetaMethod menuCommand(const QString& key) const;
    /// Writes the colours file to fileName from the fields as they are now; any failure
    /// shows the warning. Returns whether the file was written.
    bool saveColorsToFile(const QString& fileName);
    void Form_QueryUnload();

    scheme::SchemeModel m_model;

    WheelSurface* wheel = nullptr;
    std::array<QRadioButton*, 5> chktype{};
    QButtonGroup* chktypeGroup = nullptr;
    QFrame* Frame1 = nullptr;
    QWidget* Picture4 = nullptr;
    /// Picture1..Picture3
    std::array<ui::Swatch*, 3> Picture{};
    /// txtrgb1..3, txthtml1..3, txtwebsafe1..3 and the component fields, by column
    std::array<ClickLineEdit*, 3> txtrgb{};
    std::array<ClickLineEdit*, 3> txthtml{};
    std::array<ClickLineEdit*, 3> txtwebsafe{};
    std::array<ClickLineEdit*, 3> txtrc{};
    std::array<ClickLineEdit*, 3> txtgc{};
    std::array<ClickLineEdit*, 3> txtbc{};

    QCheckBox* chkpreview = nullptr;
    QComboBox* cmbpreview = nullptr;
    preview::PreviewSurface* preview = nullptr;
    QPushButton* cmdgenlinkshtml = nullptr;
    QPushButton* cmdgenlinks2html = nullptr;
    QPushButton* gentablehtml = nullptr;
    QPushButton* cmdgensbhtml = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command2 = nullptr;

    MenuBar* SmartMenuXP1 = nullptr;
    QPointer<html::HtmlOutputWindow> frmsbhtml;
    QPointer<html::TableInsertWindow> tableins;
    QPointer<QWidget> frmabout;
    QPointer<QWidget> convert;
    QPointer<accessibility::AccessibilityWindow> frmaccess;
    /// The preview's drawing area with the style's mock-up before any list is painted, and
    /// the colours lists 1, 2 and 3 were last painted in (none since the style was chosen).
    QImage m_bareMockup;
    std::optional<std::array<QRgb, 3>> m_previewPaint;
};

} // namespace mainwindow
