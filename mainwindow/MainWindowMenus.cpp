#include "MainWindow.h"

#include "AboutWindow.h"
#include "ClickLineEdit.h"
#include "MenuBar.h"
#include "io/ColorsFile.h"
#include "io/FileWriter.h"
#include "palette/ExportDialog.h"
#include "palette/PaletteFile.h"
#include "platform/Desktop.h"
#include "ui/WindowHelpers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaMethod>
#include <QSettings>
#include <QStyle>

#include <algorithm>

namespace mainwindow {

namespace {

const char kSaveWarning[] = "Warning. Did not save colors to file.";
/// Product pages of the two download entries.
const char kVellumpadPage[] = "https://www.moonquill-software.com/vellumpad/";
const char kZonetracePage[] = "https://www.moonquill-software.com/zonetrace/";
/// The help page's file name; it lies in the program's directory.
const char kHelpFileName[] = "Chromalune.html";

constexpr MenuStyle kPlain = MenuStyle::Plain;
constexpr MenuStyle kIcon = MenuStyle::Icon;
constexpr MenuStyle kCheck = MenuStyle::Check;
constexpr CheckState kOff = CheckState::Unchecked;
constexpr CheckState kOn = CheckState::Checked;

struct MenuEntry {
    const char* parent;
    const char* key;
    MenuStyle style;
    const char* caption;
    const char* icon;
    CheckState check;
    const char* shortcut = nullptr;
};

// the order of adding is the order on screen
const MenuEntry kMenu[] = {
    {"", "8mnufile", kPlain, "File", nullptr, kOff},
    {"8mnufile", "mnusavecolors", kIcon, "Save Colors to File", "Save", kOff, "Ctrl+S"},
    {"8mnufile", "mnuexport", kIcon, "Export Palette", "Export", kOff, "Ctrl+E"},
    {"8mnufile", "mnufileexit", kPlain, "Exit", nullptr, kOff, "Ctrl+Q"},
    {"", "8mnutools", kPlain, "Tools", nullptr, kOff},
    {"8mnutools", "mnuconvert", kIcon, "Convert Color Codes", "Convert", kOff},
    {"8mnutools", "mnuaccess", kIcon, "Check Accessibility", "Access", kOff},
    {"", "8mnuoptions", kPlain, "Options", nullptr, kOff},
    {"8mnuoptions", "mnucwdefault", kCheck, "Default ChromaLune", nullptr, kOn},
    {"8mnuoptions", "mnucwwebsafe", kCheck, "Websafe ChromaLune", nullptr, kOff},
    {"", "8mnuhelp", kPlain, "Help", nullptr, kOff},
    {"8mnuhelp", "mnuhelp", kIcon, "Help", "Help", kOff, "F1"},
    {"8mnuhelp", "mnuabout", kPlain, "About", nullptr, kOff},
    {"", "mnudownloads", kPlain, "Download more Freeware", nullptr, kOff},
    {"mnudownloads", "mnud1", kPlain, "Download Free Vellumpad - A Free Webpage Editor", nullptr,
     kOff},
    {"mnudownloads", "mnud2", kPlain,
     "Download Free Zonetrace - A Free Tool for creating HTML Imagemaps", nullptr, kOff},
};

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

/// The file is single-byte text; characters beyond Latin-1 become "?".
std::string fileText(const std::string& utf8) {
    return QString::fromStdString(utf8).toLatin1().toStdString();
}

/// The path with a directory separator appended unless it already ends in one.
QString AddBackslash(const QString& path) {
    if (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\')))
        return path;
    return path + QLatin1Char('/');
}

/// The help page's full path in the directory dir.
QString helpFilePath(const QString& dir) {
    return AddBackslash(dir) + QLatin1String(kHelpFileName);
}

/// The 16 x 16 menu icon under key ("Save", "Convert", "Help").
QIcon ImageList2(const QString& key) {
    struct Source {
        const char* key;
        const char* themeName;
        QStyle::StandardPixmap fallback;
    };
    static const Source kSources[] = {
        {"Save", "document-save", QStyle::SP_DialogSaveButton},
        {"Access", "preferences-desktop-accessibility", QStyle::SP_FileDialogContentsView},
        {"Convert", "view-refresh", QStyle::SP_BrowserReload},
        {"Help", "help-contents", QStyle::SP_DialogHelpButton},
    };
    if (key == QLatin1String("Export"))
        return palette::exportIcon();
    for (const Source& s : kSources) {
        if (key != QLatin1String(s.key))
            continue;
        QIcon icon = QIcon::fromTheme(QLatin1String(s.themeName));
        if (icon.isNull())
            icon = QApplication::style()->standardIcon(s.fallback);
        return QIcon(icon.pixmap(16, 16));
    }
    return {};
}

} // namespace

void MainWindow::setupMenus() {
    keepNoToolkitSettings();
    SmartMenuXP1 = new MenuBar(this);
    SmartMenuXP1->setObjectName(QStringLiteral("SmartMenuXP1"));
    for (const MenuEntry& e : kMenu) {
        const QIcon icon = e.icon != nullptr ? ImageList2(QLatin1String(e.icon)) : QIcon();
        const QKeySequence shortcut(QLatin1String(e.shortcut != nullptr ? e.shortcut : ""));
        SmartMenuXP1->addEntry(QLatin1String(e.parent), QLatin1String(e.key), e.style,
                               QLatin1String(e.caption), icon, e.check, shortcut);
        // every entry that is no header names a command of this window
        const QString key = QLatin1String(e.key);
        const bool header =
            std::any_of(std::begin(kMenu), std::end(kMenu),
                        [&](const MenuEntry& o) { return key == QLatin1String(o.parent); });
        if (!header && !menuCommand(key).isValid())
            qWarning().noquote() << QStringLiteral("The menu entry %1 has no command").arg(key);
    }
    SmartMenuXP1->setGeometry(0, 0, width(), qMin(SmartMenuXP1->sizeHint().height(), 60));
    connect(SmartMenuXP1, &MenuBar::itemClick, this, &MainWindow::SmartMenuXP1_MenuItemClick);
}

QMetaMethod MainWindow::menuCommand(const QString& key) const {
    const QByteArray signature = (key + QLatin1String("_click()")).toLatin1();
    return metaObject()->method(metaObject()->indexOfMethod(signature.constData()));
}

void MainWindow::SmartMenuXP1_MenuItemClick(int id) {
    const QString key = SmartMenuXP1->key(id);
    if (key.isEmpty() || key.startsWith(QLatin1Char('8')) || SmartMenuXP1->ownsSubmenu(id))
        return;
    const QMetaMethod command = menuCommand(key);
    if (command.isValid())
        command.invoke(this, Qt::DirectConnection);
}

bool MainWindow::saveColorsToFile(const QString& fileName) {
    if (fileName.isEmpty())
        return false;
    std::array<io::ColorFields, 3> colors;
    for (int k = 1; k <= 3; ++k) {
        const core::ColumnTexts& t = m_model.texts(k);
        colors[static_cast<size_t>(k - 1)] = {fileText(t.red),  fileText(t.green),
                                              fileText(t.blue), fileText(t.decimal),
                                              fileText(t.html), fileText(t.webSafe)};
    }
    const std::string text = io::colorsFileText(colors);
    QString reason;
    if (io::writeFile(fileName, QByteArray::fromStdString(text), &reason))
        return true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("ChromaLune"), QLatin1String(kSaveWarning),
                    QMessageBox::Ok, this);
    box.setInformativeText(QDir::toNativeSeparators(fileName) + QStringLiteral(": ") + reason);
    box.exec();
    return false;
}

void MainWindow::mnusavecolors_click() {
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

void MainWindow::mnuexport_click() {
    palette::ExportDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // the dialog has added the filter's extension to a name typed without one
    const QString path = dialog.target();
    const palette::Format format = dialog.formatFor(path);
    // the colours of the scheme only: a third swatch the rule leaves alone is no part of it
    palette::SchemeColors colors(palette::schemeColorCount(m_model.rule()));
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = m_model.swatchColor(static_cast<int>(i) + 1);
    std::string reason;
    if (!palette::writePaletteFile(path, format, colors, &reason))
        QMessageBox::warning(
            this, QStringLiteral("Export Palette"),
            QStringLiteral("The palette was not exported to %1: %2.")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(reason)));
}

void MainWindow::mnufileexit_click() {
    // the main window's closing steps close every other window and end the program
    close();
}

void MainWindow::mnucwdefault_click() {
    if (SmartMenuXP1->checkState(QStringLiteral("mnucwdefault")) != CheckState::Checked)
        return;
    m_model.setRaster(scheme::WheelRaster::Default);
    SmartMenuXP1->setCheckState(QStringLiteral("mnucwwebsafe"), CheckState::Unchecked);
}

void MainWindow::mnucwwebsafe_click() {
    if (SmartMenuXP1->checkState(QStringLiteral("mnucwwebsafe")) != CheckState::Checked)
        return;
    m_model.setRaster(scheme::WheelRaster::WebSafe);
    SmartMenuXP1->setCheckState(QStringLiteral("mnucwdefault"), CheckState::Unchecked);
}

void MainWindow::mnuhelp_click() {
    platform::ShellExecuteOpen(helpFilePath(QCoreApplication::applicationDirPath()), this);
}

void MainWindow::mnuabout_click() {
    if (frmabout.isNull())
        frmabout = new AboutWindow(this);
    ui::bringToFront(frmabout);
}

void MainWindow::mnud1_click() {
    platform::ShellExecuteOpen(QLatin1String(kVellumpadPage), this);
}

void MainWindow::mnud2_click() {
    platform::ShellExecuteOpen(QLatin1String(kZonetracePage), this);
}

void MainWindow::Form_QueryUnload() {
    platform::DwmEnableComposition(1);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->close();
    }
}

} // namespace mainwindow
