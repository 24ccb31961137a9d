#pragma once

#include "history/SchemeHistory.h"
#include "scheme/SchemeModel.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QButtonGroup;
class QAction;
class QMenuBar;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
namespace basecolor {
class SetBaseColorDialog;
} // namespace basecolor
namespace ui {
class Swatch;
} // namespace ui
namespace preview {
class PreviewSurface;
} // namespace preview
namespace accessibility {
class AccessibilityWindow;
} // namespace accessibility
namespace designsystem {
class RampsWindow;
} // namespace designsystem
namespace document {
struct OpenedFile;
class PictureReading;
} // namespace document
namespace palette {
class PaletteWindow;
} // namespace palette
namespace html {
class HtmlOutputWindow;
class TableInsertWindow;
} // namespace html

namespace mainwindow {

class ClickLineEdit;
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
    /// Opens the file at path: a scheme document as one step; a palette, or a picture's (read
    /// off the window's thread), in the palette window, leaving the scheme as it is; anything
    /// else says why. Returns whether it opened (a picture: whether its reading started).
    bool openDocument(const QString& path);
    /// Shows what was read from the file at path, as openDocument does once it has read it;
    /// a scheme read atStart (named on the command line) is where the history starts, no step.
    bool showOpenedFile(const QString& path, const document::OpenedFile& opened,
                        bool atStart = false);

protected:
    void closeEvent(QCloseEvent* event) override;
    /// A file dropped on the window opens as File, Open opens it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // ---- the swatch panel and the scheme (MainWindow.cpp) ----
    void buildSwatchPanel();
    void buildSchemeFrame();
    /// The perceptual disc's lightness slider under the scheme options.
    void buildLightnessSlider();
    /// Attaches "Copy as" to the swatches and code fields of the panel.
    void attachCopyAs();
    /// Puts the model's wheel on the surface and shows the slider with the perceptual one.
    void showWheel();
    void orderKeyboardFocus();
    ClickLineEdit* makeCodeField(int k, scheme::Field field, const QString& name, int x, int y,
                                 int w, QWidget* parent);
    QLabel* makeLabel(const QString& name, const QString& text, int x, int y, QWidget* parent);
    /// Shows what the model holds after a change of it.
    void schemeChanged(scheme::Change what);
    void showScheme();
    /// The rule, style, wheel and Follow-Preview controls set as the model stands.
    void showChoices();

    // ---- preview (MainWindowPreview.cpp) ----
    void setupPreview();
    /// The style list's pick: the entry named in its text field becomes the preview style.
    void chooseStyleFromList();
    /// Shows the HTML button of the style (index into the style table; -1 shows none).
    void showStyleButton(int index);
    /// Authoring: writes the pixel lists of the template colours on the preview.
    void writeTemplateLists();
    /// Authoring: writes a picture of the preview's drawing area.
    void savePreviewPicture();
    /// Folder the hidden authoring commands write into: "authoring" beside the program.
    static QString authoringFolder();

    // ---- HTML generators (MainWindowHtml.cpp) ----
    void setupHtml();
    void showLinksPageHtml();
    void showLinks2PageHtml();
    void showScrollbarHtml();
    void showTableInsert();
    /// Creates the output window if it is not open, shows it and brings it to the front.
    html::HtmlOutputWindow* openHtmlOutput();
    QString htmlCode(int k) const;

    // ---- menus, saving, about, help (MainWindowMenus.cpp) ----
    void setupMenus();
    void saveColors();
    void exportPalette();
    /// Asks where, then writes the scheme as it stands as a sheet (PNG, SVG or PDF).
    void exportSheet();
    /// File, Export Starter Page: the roles on a page to open in a browser.
    void exportStarterPage();
    /// Puts the wheel of option on, as one step.
    void showWheelOption(QAction* option, scheme::WheelRaster raster);
    void showDefaultWheel(bool checked);
    void showWebSafeWheel(bool checked);
    void showPerceptualWheel(bool checked);
    /// Opens "Set Base Color" (made once, then reused).
    void showSetBaseColor();
    /// Tells Set Base Color, when it was made, how the wheel in use lands a base; it follows
    /// every change of the wheel while open, so that OK does what its message says.
    void showSetBaseWheel();
    void showHelp();
    void showAbout();
    void openVellumpadPage();
    void openZonetracePage();
    void showConverter();
    void showAccessibilityCheck();
    /// Opens "Tonal Ramps" (made once, then reused).
    void showRamps();
    /// Opens "Site Preview" (made once, then reused).
    void showSitePreview();
    /// Opens "Palette" (made once, then reused), showing the palette last opened.
    palette::PaletteWindow* showPalette();
    /// Sets the base to a colour exactly, as Set Base Color does, as one step.
    void setBaseColor(core::ColorRGB rgb8, const core::Oklch& exact);
    /// Writes the colours file to fileName from the fields as they are now; any failure
    /// shows the warning. Returns whether the file was written.
    bool saveColorsToFile(const QString& fileName);
    /// The main window's closing closes every other window, which ends the program.
    void closeOtherWindows();
    // ---- scheme documents (MainWindowDocument.cpp) ----
    void openDocumentFromDialog();
    void saveSchemeAs();
    /// Fills Open Recent: the last documents, most recent first (a file gone is shown
    /// disabled), and Clear Recent.
    void showRecentDocuments();
    /// Moves a tool window to the right of this one where the screen has room, else centres it.
    void placeBeside(QWidget* window) const;
    /// Takes a picture's palette off the window's thread and shows it with the picture; opening
    /// anything else meanwhile cancels it.
    void readPicture(const QString& path);
    /// Shows a picture read off the window's thread, or says why it was not.
    void showReadPicture(const QString& path, const document::OpenedFile& opened);
    /// Writes the scheme as a document to path; a failure says why and keeps the earlier file.
    bool writeDocument(const QString& path);
    /// The scheme is the document at path now, as saved: the title names it.
    void setDocument(const QString& path);
    /// The title names the document and marks changes not saved yet; without one it is the
    /// program's name.
    void showDocument();
    /// Whether the window may close: with unsaved changes to a document, the user is asked
    /// to save them, discard them or stay.
    bool mayClose();
    /// Opens "History": the steps that can be undone and redone (made once, then reused).
    void showHistory();
    /// The name a step gives a swatch's colour: its HTML code.
    QString swatchCode(int k) const;

    scheme::SchemeModel m_model;
    history::SchemeHistory m_history{m_model};
    QPointer<QWidget> m_historyWindow;
    QMenu* m_recentMenu = nullptr;

    WheelSurface* m_wheel = nullptr;
    /// The rule options by rule index.
    std::array<QRadioButton*, 5> m_ruleOptions{};
    QButtonGroup* m_ruleGroup = nullptr;
    QFrame* m_schemeFrame = nullptr;
    QWidget* m_ruleOptionsPanel = nullptr;
    std::array<ui::Swatch*, 3> m_swatches{};
    /// The code fields of the swatch panel, by column.
    std::array<ClickLineEdit*, 3> m_decimalFields{};
    std::array<ClickLineEdit*, 3> m_htmlFields{};
    std::array<ClickLineEdit*, 3> m_webSafeFields{};
    std::array<ClickLineEdit*, 3> m_redFields{};
    std::array<ClickLineEdit*, 3> m_greenFields{};
    std::array<ClickLineEdit*, 3> m_blueFields{};

    QCheckBox* m_followPreview = nullptr;
    QComboBox* m_styleList = nullptr;
    preview::PreviewSurface* m_preview = nullptr;
    QPushButton* m_linksHtmlButton = nullptr;
    QPushButton* m_links2HtmlButton = nullptr;
    QPushButton* m_tableHtmlButton = nullptr;
    QPushButton* m_scrollbarHtmlButton = nullptr;
    QPushButton* m_writeListsButton = nullptr;
    QPushButton* m_savePictureButton = nullptr;

    QMenuBar* m_menuBar = nullptr;
    QAction* m_defaultWheelAction = nullptr;
    QAction* m_webSafeWheelAction = nullptr;
    QAction* m_perceptualWheelAction = nullptr;
    QSlider* m_lightnessSlider = nullptr;
    QLabel* m_lightnessLabel = nullptr;
    QPointer<basecolor::SetBaseColorDialog> m_setBase;
    QPointer<html::HtmlOutputWindow> m_htmlOutput;
    QPointer<html::TableInsertWindow> m_tableInsert;
    QPointer<QWidget> m_about;
    QPointer<QWidget> m_converter;
    QPointer<accessibility::AccessibilityWindow> m_accessCheck;
    QPointer<designsystem::RampsWindow> m_ramps;
    QPointer<palette::PaletteWindow> m_palette;
    document::PictureReading* m_pictures = nullptr;
};

} // namespace mainwindow
