#include "MainWindow.h"

#include "AboutWindow.h"
#include "ClickLineEdit.h"
#include "document/PaletteFile.h"
#include "document/SchemeDocument.h"
#include "io/ColorsFile.h"
#include "io/FileWriter.h"
#include "palette/ExportDialog.h"
#include "platform/Desktop.h"
#include "platform/RuntimeFiles.h"
#include "preview/PreviewSurface.h"
#include "sheet/SheetPainter.h"
#include "ui/ColorConversion.h"
#include "ui/WindowHelpers.h"

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QUndoView>

namespace mainwindow {

namespace {

const char kSaveWarning[] = "Warning. Did not save colors to file.";
/// Product pages of the two download entries.
const char kVellumpadPage[] = "https://www.moonquill-software.com/vellumpad/";
const char kZonetracePage[] = "https://www.moonquill-software.com/zonetrace/";
/// The help page's file name; it lies in the program's directory.
const char kHelpFileName[] = "Chromalune.html";

/// The save dialog. While a path is typed the dialog highlights each folder it passes in its
/// file list, and those highlights would count as chosen files ("/", "/tmp", ...) beside the
/// typed name: a name typed in full is taken as the one choice.
class ColorsSaveDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override {
        const auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name != nullptr && !name->text().isEmpty()) {
            const QFileInfo typed(directory().absoluteFilePath(name->text()));
            if (!typed.isDir())
                selectFile(typed.absoluteFilePath());
        }
        QFileDialog::accept();
    }
};

/// Points the toolkit's own settings (a file dialog's history and last folder, a colour
/// dialog's custom colours) at a place where no file can be made: the program keeps nothing
/// between runs and leaves nothing behind in the user's folders.
void keepNoToolkitSettings() {
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
}

/// The help page's full path in the directory dir.
QString helpFilePath(const QString& dir) {
    return QDir(dir).filePath(QLatin1String(kHelpFileName));
}

/// A 16 x 16 menu icon: the theme's, or the fallback where the theme has none.
QIcon menuIcon(const char* themeName, const QIcon& fallback) {
    const QIcon icon = QIcon::fromTheme(QLatin1String(themeName));
    return QIcon((icon.isNull() ? fallback : icon).pixmap(16, 16));
}

QIcon menuIcon(const char* themeName, QStyle::StandardPixmap fallback) {
    return menuIcon(themeName, QApplication::style()->standardIcon(fallback));
}

/// A menu whose exclusive entries keep the check marks of independent ones: the wheel
/// options are one group, and have always shown a tick, never a round mark.
class CheckMarkMenu : public QMenu {
public:
    using QMenu::QMenu;

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override {
        QMenu::initStyleOption(option, action);
        if (option->checkType == QStyleOptionMenuItem::Exclusive)
            option->checkType = QStyleOptionMenuItem::NonExclusive;
    }
};

/// A menu on the bar (menu, or a new one); its object name is the header's key.
QMenu* addHeader(QMenuBar* bar, const char* key, const QString& caption, QMenu* menu = nullptr) {
    if (menu == nullptr)
        menu = new QMenu(caption, bar);
    bar->addMenu(menu);
    menu->setObjectName(QLatin1String(key));
    menu->menuAction()->setObjectName(QLatin1String(key));
    return menu;
}

/// An entry of menu whose object name is its key; shortcuts work wherever the window has the
/// focus.
QAction* addEntry(QMenu* menu, const char* key, const QString& caption, const QIcon& icon = {},
                  const QKeySequence& shortcut = {}) {
    auto* action = new QAction(icon, caption, menu);
    action->setObjectName(QLatin1String(key));
    action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

} // namespace

void MainWindow::setupMenus() {
    keepNoToolkitSettings();
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("SmartMenuXP1"));
    // a bar inside the window's client area, never handed to a global menu service
    m_menuBar->setNativeMenuBar(false);

    QMenu* file = addHeader(m_menuBar, "8mnufile", QStringLiteral("File"));
    connect(addEntry(file, "mnuopen", QStringLiteral("Open..."),
                     menuIcon("document-open", QStyle::SP_DialogOpenButton),
                     QKeySequence(QStringLiteral("Ctrl+O"))),
            &QAction::triggered, this, &MainWindow::openDocumentFromDialog);
    m_recentMenu = new QMenu(QStringLiteral("Open Recent"), file);
    m_recentMenu->setObjectName(QStringLiteral("mnurecent"));
    m_recentMenu->menuAction()->setObjectName(QStringLiteral("mnurecent"));
    file->addMenu(m_recentMenu);
    connect(m_recentMenu, &QMenu::aboutToShow, this, &MainWindow::showRecentDocuments);
    showRecentDocuments();
    connect(addEntry(file, "mnusavescheme", QStringLiteral("Save Scheme As..."),
                     menuIcon("document-save-as", QStyle::SP_DialogSaveButton),
                     QKeySequence(QStringLiteral("Ctrl+Shift+S"))),
            &QAction::triggered, this, &MainWindow::saveSchemeAs);
    file->addSeparator();
    connect(addEntry(file, "mnusavecolors", QStringLiteral("Save Colors to File"),
                     menuIcon("document-save", QStyle::SP_DialogSaveButton),
                     QKeySequence(QStringLiteral("Ctrl+S"))),
            &QAction::triggered, this, &MainWindow::saveColors);
    connect(addEntry(file, "mnuexport", QStringLiteral("Export Palette"), palette::exportIcon(),
                     QKeySequence(QStringLiteral("Ctrl+E"))),
            &QAction::triggered, this, &MainWindow::exportPalette);
    connect(addEntry(file, "mnuexportsheet", QStringLiteral("Export Sheet..."),
                     menuIcon("x-office-document", QStyle::SP_FileIcon)),
            &QAction::triggered, this, &MainWindow::exportSheet);
    connect(addEntry(file, "mnuexportpage", QStringLiteral("Export Starter Page..."),
                     menuIcon("text-html", QStyle::SP_FileIcon)),
            &QAction::triggered, this, &MainWindow::exportStarterPage);
    connect(addEntry(file, "mnufileexit", QStringLiteral("Exit"), {},
                     QKeySequence(QStringLiteral("Ctrl+Q"))),
            &QAction::triggered, this, &QWidget::close);

    QMenu* edit = addHeader(m_menuBar, "8mnuedit", QStringLiteral("Edit"));
    QAction* undo = m_history.stack().createUndoAction(edit, QStringLiteral("Undo"));
    undo->setObjectName(QStringLiteral("mnuundo"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setIcon(menuIcon("edit-undo", QStyle::SP_ArrowBack));
    edit->addAction(undo);
    QAction* redo = m_history.stack().createRedoAction(edit, QStringLiteral("Redo"));
    redo->setObjectName(QStringLiteral("mnuredo"));
    redo->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    redo->setIcon(menuIcon("edit-redo", QStyle::SP_ArrowForward));
    edit->addAction(redo);
    connect(addEntry(edit, "mnuhistory", QStringLiteral("History"), {},
                     QKeySequence(QStringLiteral("Ctrl+H"))),
            &QAction::triggered, this, &MainWindow::showHistory);

    QMenu* tools = addHeader(m_menuBar, "8mnutools", QStringLiteral("Tools"));
    connect(addEntry(tools, "mnuconvert", QStringLiteral("Convert Color Codes"),
                     menuIcon("view-refresh", QStyle::SP_BrowserReload)),
            &QAction::triggered, this, &MainWindow::showConverter);
    connect(
        addEntry(tools, "mnuaccess", QStringLiteral("Check Accessibility"),
                 menuIcon("preferences-desktop-accessibility", QStyle::SP_FileDialogContentsView)),
        &QAction::triggered, this, &MainWindow::showAccessibilityCheck);
    connect(addEntry(tools, "mnusetbase", QStringLiteral("Set Base Color..."),
                     menuIcon("color-picker", QIcon(ui::swatchPicture({qRgb(0x33, 0x66, 0xCC)}))),
                     QKeySequence(QStringLiteral("Ctrl+B"))),
            &QAction::triggered, this, &MainWindow::showSetBaseColor);
    connect(addEntry(tools, "mnuramps", QStringLiteral("Tonal Ramps"),
                     menuIcon("preferences-desktop-color", QStyle::SP_FileDialogListView)),
            &QAction::triggered, this, &MainWindow::showRamps);
    connect(addEntry(tools, "mnusite", QStringLiteral("Site Preview"),
                     menuIcon("text-html", QStyle::SP_DesktopIcon)),
            &QAction::triggered, this, &MainWindow::showSitePreview);
    connect(addEntry(tools, "mnupalette", QStringLiteral("Palette"),
                     menuIcon("applications-graphics", QStyle::SP_FileDialogDetailedView)),
            &QAction::triggered, this, &MainWindow::showPalette);

    // one wheel at most is marked; clicking the marked one removes its mark, keeping the wheel
    QMenu* options = addHeader(m_menuBar, "8mnuoptions", QStringLiteral("Options"),
                               new CheckMarkMenu(QStringLiteral("Options"), m_menuBar));
    auto* wheels = new QActionGroup(options);
    wheels->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    m_defaultWheelAction = addEntry(options, "mnucwdefault", QStringLiteral("Default ChromaLune"));
    m_webSafeWheelAction = addEntry(options, "mnucwwebsafe", QStringLiteral("Websafe ChromaLune"));
    m_perceptualWheelAction =
        addEntry(options, "mnuperceptual", QStringLiteral("Perceptual ChromaLune"));
    for (QAction* action : {m_defaultWheelAction, m_webSafeWheelAction, m_perceptualWheelAction}) {
        action->setCheckable(true);
        wheels->addAction(action);
    }
    m_defaultWheelAction->setChecked(true);
    connect(m_defaultWheelAction, &QAction::triggered, this, &MainWindow::showDefaultWheel);
    connect(m_webSafeWheelAction, &QAction::triggered, this, &MainWindow::showWebSafeWheel);
    connect(m_perceptualWheelAction, &QAction::triggered, this, &MainWindow::showPerceptualWheel);

    QMenu* help = addHeader(m_menuBar, "8mnuhelp", QStringLiteral("Help"));
    connect(addEntry(help, "mnuhelp", QStringLiteral("Help"),
                     menuIcon("help-contents", QStyle::SP_DialogHelpButton),
                     QKeySequence(QStringLiteral("F1"))),
            &QAction::triggered, this, &MainWindow::showHelp);
    connect(addEntry(help, "mnuabout", QStringLiteral("About")), &QAction::triggered, this,
            &MainWindow::showAbout);

    QMenu* downloads =
        addHeader(m_menuBar, "mnudownloads", QStringLiteral("Download more Freeware"));
    connect(addEntry(downloads, "mnud1",
                     QStringLiteral("Download Free Vellumpad - A Free Webpage Editor")),
            &QAction::triggered, this, &MainWindow::openVellumpadPage);
    connect(addEntry(downloads, "mnud2",
                     QStringLiteral(
                         "Download Free Zonetrace - A Free Tool for creating HTML Imagemaps")),
            &QAction::triggered, this, &MainWindow::openZonetracePage);

    m_menuBar->setGeometry(0, 0, width(), qMin(m_menuBar->sizeHint().height(), 60));
}

bool MainWindow::saveColorsToFile(const QString& fileName) {
    if (fileName.isEmpty())
        return false;
    const std::string text = io::colorsFileText(m_model.fileTexts());
    QString reason;
    if (io::writeFile(fileName, QByteArray::fromStdString(text), &reason))
        return true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("ChromaLune"), QLatin1String(kSaveWarning),
                    QMessageBox::Ok, this);
    box.setInformativeText(QDir::toNativeSeparators(fileName) + QStringLiteral(": ") + reason);
    box.exec();
    return false;
}

void MainWindow::saveColors() {
    ColorsSaveDialog savedialog(this);
    savedialog.setObjectName(QStringLiteral("savedialog"));
    savedialog.setAcceptMode(QFileDialog::AcceptSave);
    savedialog.setFileMode(QFileDialog::AnyFile);
    savedialog.setNameFilter(QStringLiteral("Text Files (*.txt)"));
    // the toolkit's own dialog: the same on every desktop and reachable by tests
    savedialog.setOption(QFileDialog::DontUseNativeDialog);
    if (savedialog.exec() != QDialog::Accepted || savedialog.selectedFiles().isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("ChromaLune"), QLatin1String(kSaveWarning));
        return;
    }
    saveColorsToFile(savedialog.selectedFiles().constFirst());
}

void MainWindow::exportPalette() {
    palette::ExportDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // the dialog has added the filter's extension to a name typed without one
    const QString path = dialog.target();
    const formats::Format format = dialog.formatFor(path);
    std::string reason;
    if (!document::writePaletteFile(path, format, m_model.schemeColors(), &reason,
                                    {false, false, m_model.exactColors(), m_model.roleOverrides()},
                                    document::schemeStateText(m_model.snapshot())))
        QMessageBox::warning(
            this, QStringLiteral("Export Palette"),
            QStringLiteral("The palette was not exported to %1: %2.")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(reason)));
}

void MainWindow::exportSheet() {
    if (!m_model.hasScheme()) {
        QMessageBox::information(this, QStringLiteral("Export Sheet"),
                                 QStringLiteral("There is no scheme to show on a sheet yet: pick "
                                                "a color on the wheel first."));
        return;
    }
    // the filter picks the format of a name typed without an extension, and a PNG's scale
    const QStringList filters = {
        QStringLiteral("PNG Image (*.png)"), QStringLiteral("PNG Image at 2x (*.png)"),
        QStringLiteral("SVG Image (*.svg)"), QStringLiteral("PDF Document (*.pdf)")};
    const QStringList extensions = {QStringLiteral("png"), QStringLiteral("png"),
                                    QStringLiteral("svg"), QStringLiteral("pdf")};
    QFileDialog dialog(this, QStringLiteral("Export Sheet"));
    dialog.setObjectName(QStringLiteral("sheetdialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(extensions.front());
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, &filters, &extensions](const QString& filter) {
                dialog.setDefaultSuffix(extensions.value(filters.indexOf(filter)));
            });
    if (!m_history.document().path().isEmpty())
        dialog.setDirectory(QFileInfo(m_history.document().path()).absolutePath());
    dialog.selectFile(sheet::titleOf(m_history.document().path()) + QStringLiteral(".png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString path = dialog.selectedFiles().constFirst();
    const int filter = int(filters.indexOf(dialog.selectedNameFilter()));
    if (!sheet::sheetFormatForFileName(path.toStdString()))
        path += QLatin1Char('.') + extensions.value(filter, extensions.front());
    const sheet::SheetFormat format = *sheet::sheetFormatForFileName(path.toStdString());
    const std::array<core::Color, 3> colors = m_model.swatchColors();
    const QImage preview =
        preview::paintedArea(m_preview->bareMockup(), m_preview->lists(),
                             {ui::toQRgb(colors[0]), ui::toQRgb(colors[1]), ui::toQRgb(colors[2])});
    const sheet::SheetContent content = sheet::sheetOf(
        m_model, sheet::titleOf(m_history.document().path()), QDate::currentDate(), preview);
    QString reason;
    if (!sheet::writeSheet(path, format, content, filter == 1 ? 2 : 1, &reason))
        QMessageBox::warning(this, QStringLiteral("Export Sheet"),
                             QStringLiteral("The sheet was not exported to %1: %2.")
                                 .arg(QDir::toNativeSeparators(path), reason));
}

void MainWindow::showWheelOption(QAction* option, scheme::WheelRaster raster) {
    m_history.record([this, raster] { m_model.setRaster(raster); },
                     [option] { return "Wheel: " + option->text(); });
}

void MainWindow::showDefaultWheel(bool checked) {
    if (checked)
        showWheelOption(m_defaultWheelAction, scheme::WheelRaster::Default);
}

void MainWindow::showWebSafeWheel(bool checked) {
    if (checked)
        showWheelOption(m_webSafeWheelAction, scheme::WheelRaster::WebSafe);
}

void MainWindow::showPerceptualWheel(bool checked) {
    if (checked)
        showWheelOption(m_perceptualWheelAction, scheme::WheelRaster::Perceptual);
}

void MainWindow::showHistory() {
    if (!m_historyWindow) {
        auto* view = new QUndoView(&m_history.stack(), this);
        view->setWindowFlag(Qt::Tool);
        view->setObjectName(QStringLiteral("frmhistory"));
        view->setWindowTitle(QStringLiteral("History"));
        view->setEmptyLabel(QStringLiteral("<start>"));
        view->setAccessibleName(QStringLiteral("History"));
        view->resize(260, 320);
        placeBeside(view);
        m_historyWindow = view;
    }
    ui::bringToFront(m_historyWindow);
}

void MainWindow::placeBeside(QWidget* window) const {
    // beside the main window where the screen has room, so neither hides the other; never
    // larger than the screen (a large scale makes a window larger than the screen)
    const QRect screen = this->screen()->availableGeometry();
    window->resize(window->size().boundedTo(screen.size() - QSize(16, 48)));
    const QPoint right = frameGeometry().topRight() + QPoint(8, 0);
    if (screen.contains(QRect(right, window->size())))
        window->move(right);
    else
        ui::centreOnScreen(window);
}

void MainWindow::showHelp() {
    platform::openWithDesktop(helpFilePath(platform::runtimeFilesDir()), this);
}

void MainWindow::showAbout() {
    if (m_about.isNull())
        m_about = new AboutWindow(this);
    ui::bringToFront(m_about);
}

void MainWindow::openVellumpadPage() {
    platform::openWithDesktop(QLatin1String(kVellumpadPage), this);
}

void MainWindow::openZonetracePage() {
    platform::openWithDesktop(QLatin1String(kZonetracePage), this);
}

void MainWindow::closeOtherWindows() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->close();
    }
}

} // namespace mainwindow
