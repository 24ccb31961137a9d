#pragma once

#include "core/ColorCodes.h"
#include "core/Raster.h"
#include "core/Scheme.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class ClickLineEdit;
class Swatch;
class WheelSurface;
class MenuBar;
namespace preview {
class PreviewSurface;
} // namespace preview
namespace html {
class HtmlOutputWindow;
class TableInsertWindow;
} // namespace html

/// The main window frmchromalune: hue wheel, scheme type, preview pane, HTML buttons,
/// menu bar and the swatch panel. It owns all state of the program.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- picking and the scheme (MainWindow.cpp) ----
    /// Program-level pointer position of the last tracked move, in wheel pixels.
    float wheel_x = 0;
    float wheel_y = 0;
    /// Components of the three swatch colours after the last refresh of the panel.
    core::ColorRGB color1, color2, color3;
    bool wheel_locked = false;
    int16_t wheel_half_width = 0;
    float wheel_half_height = 0;

    void wheel_MouseMove(int Button, int Shift, float X, float Y);
    void wheel_MouseDown(int Button, int Shift, float X, float Y);
    /// Runs the rule of the selected scheme type at a wheel position.
    void apply_scheme(float x, float y);
    void chktype_Click(int Index);
    /// Copies the swatch colours into color1..color3 and writes the web-safe and
    /// component fields from them.
    void refreshSwatchCodes();
    /// Index of the selected scheme type, 0-4.
    int selectedSchemeIndex() const;
    core::WheelGeometry wheelGeometry() const;
    /// Puts a raster on the wheel surface; only the picture changes.
    void setWheelRaster(const core::Raster& raster);

    WheelSurface* wheel = nullptr;
    std::array<QRadioButton*, 5> chktype{};
    QButtonGroup* chktypeGroup = nullptr;
    QFrame* Frame1 = nullptr;
    QWidget* Picture4 = nullptr;
    Swatch* Picture1 = nullptr;
    Swatch* Picture2 = nullptr;
    Swatch* Picture3 = nullptr;
    ClickLineEdit* txtrgb1 = nullptr;
    ClickLineEdit* txtrgb2 = nullptr;
    ClickLineEdit* txtrgb3 = nullptr;
    ClickLineEdit* txthtml1 = nullptr;
    ClickLineEdit* txthtml2 = nullptr;
    ClickLineEdit* txthtml3 = nullptr;
    ClickLineEdit* txtwebsafe1 = nullptr;
    ClickLineEdit* txtwebsafe2 = nullptr;
    ClickLineEdit* txtwebsafe3 = nullptr;
    std::array<ClickLineEdit*, 3> txtrc{};
    std::array<ClickLineEdit*, 3> txtgc{};
    std::array<ClickLineEdit*, 3> txtbc{};

    /// The rasters: "Default" and "Websafe" (ImageList3) and the start raster.
    core::Raster rasterDefault;
    core::Raster rasterWebsafe;
    core::Raster rasterStart;

    Swatch* swatch(int k) const;
    ClickLineEdit* decimalField(int k) const;
    ClickLineEdit* htmlField(int k) const;
    ClickLineEdit* webSafeField(int k) const;

    // ---- preview (MainWindowPreview.cpp) ----
    void show_preview();
    void cmbpreview_Click();
    void load_pixel_lists(const QString& first, const QString& second, const QString& third);
    void Command3_Click();
    void Command2_Click();

    QCheckBox* chkpreview = nullptr;
    QComboBox* cmbpreview = nullptr;
    preview::PreviewSurface* preview = nullptr;
    QPushButton* cmdgenlinkshtml = nullptr;
    QPushButton* cmdgenlinks2html = nullptr;
    QPushButton* gentablehtml = nullptr;
    QPushButton* cmdgensbhtml = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command2 = nullptr;
    // state kept by MainWindowPreview.cpp
    /// Folder the hidden authoring commands write into: "authoring" beside the program.
    static QString authoringFolder();

    // ---- HTML generators (MainWindowHtml.cpp) ----
    void cmdgenlinkshtml_Click();
    void cmdgenlinks2html_Click();
    void cmdgensbhtml_Click();
    void gentablehtml_Click();
    // state kept by MainWindowHtml.cpp
    /// The HTML output window frmsbhtml while it is open; reused by every generator.
    QPointer<html::HtmlOutputWindow> frmsbhtml;
    /// The table generator tableins while it is open.
    QPointer<html::TableInsertWindow> tableins;
    /// Creates the output window if it is not open, shows it and brings it to the front.
    html::HtmlOutputWindow* openHtmlOutput();

    // ---- menus, saving, about, help (MainWindowMenus.cpp) ----
    MenuBar* SmartMenuXP1 = nullptr;
    // state kept by MainWindowMenus.cpp
    /// Product pages of the two download entries.
    static constexpr const char* kVellumpadPage = "https://www.moonquill-software.com/vellumpad/";
    static constexpr const char* kZonetracePage = "https://www.moonquill-software.com/zonetrace/";
    /// The help page's file name; it lies in the program's directory.
    static constexpr const char* kHelpFileName = "Chromalune.html";

    /// The path with a directory separator appended unless it already ends in one.
    static QString AddBackslash(const QString& path);
    /// The help page's full path in the directory dir.
    static QString helpFilePath(const QString& dir);
    /// The 16 x 16 menu icon of ImageList2 under key ("Save", "Convert", "Help").
    static QIcon ImageList2(const QString& key);

    /// Click on the menu entry with identifier id: runs the command named key + "_click";
    /// headers run nothing.
    void SmartMenuXP1_MenuItemClick(int id);
    /// Writes the colours file to fileName from the fields as they are now; any failure
    /// shows the warning. An empty name does nothing. Returns whether the file was written.
    bool saveColorsToFile(const QString& fileName);

    QPointer<QWidget> frmabout;

public slots:
    // menu commands, found by name at run time (key + "_click")
    void mnusavecolors_click();
    void mnufileexit_click();
    void mnucwdefault_click();
    void mnucwwebsafe_click();
    void mnuhelp_click();
    void mnuabout_click();
    void mnud1_click();
    void mnud2_click();
    // ---- colour tools (MainWindowTools.cpp) ----
    void mnuconvert_click();

public:
    // state kept by MainWindowTools.cpp
    /// The converter window (tools::ConvertWindow) while it is open.
    QPointer<QWidget> convertWindow;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildSwatchPanel();
    void buildSchemeFrame();
    void orderKeyboardFocus();
    ClickLineEdit* makeCodeField(const QString& name, int x, int y, int w, QWidget* parent);
    QLabel* makeLabel(const QString& name, const QString& text, int x, int y, QWidget* parent);

    // set-up steps of the other sections, called by the constructor in Form_Load order
    void setupPreview();
    void setupHtml();
    void setupMenus();
    void Form_QueryUnload();
};
