#include "MainWindow.h"

#include "AboutWindow.h"
#include "ClickLineEdit.h"
#include "MenuBar.h"
#include "io/ColorsFile.h"
#include "platform/Desktop.h"

#include <QApplication>
#include <QFileDialog>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QStyle>

namespace {

const char kSaveWarning[] = "Warning. Did not save colors to file.";

struct MenuEntry {
    const char* parent;
    const char* key;
    int style;
    const char* caption;
    const char* icon;
    int check;
};

// the order of adding is the order on screen
const MenuEntry kMenu[] = {
    {"", "8mnufile", 0, "File", nullptr, 0},
    {"8mnufile", "mnusavecolors", 1, "Save Colors to File", "Save", 0},
    {"8mnufile", "mnufileexit", 0, "Exit", nullptr, 0},
    {"", "8mnutools", 0, "Tools", nullptr, 0},
    {"8mnutools", "mnuconvert", 1, "Convert Color Codes", "Convert", 0},
    {"", "8mnuoptions", 0, "Options", nullptr, 0},
    {"8mnuoptions", "mnucwdefault", 2, "Default ChromaLune", nullptr, 1},
    {"8mnuoptions", "mnucwwebsafe", 2, "Websafe ChromaLune", nullptr, 0},
    {"", "8mnuhelp", 0, "Help", nullptr, 0},
    {"8mnuhelp", "mnuhelp", 1, "Help", "Help", 0},
    {"8mnuhelp", "mnuabout", 0, "About", nullptr, 0},
    {"", "mnudownloads", 0, "Download more Freeware", nullptr, 0},
    {"mnudownloads", "mnud1", 0, "Download Free Vellumpad - A Free Webpage Editor", nullptr, 0},
    {"mnudownloads", "mnud2", 0,
     "Download Free Zonetrace - A Free Tool for creating HTML Imagemaps", nullptr, 0},
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

std::string fieldText(const ClickLineEdit* field) {
    // the file is single-byte text; characters beyond Latin-1 become "?"
    return field->text().toLatin1().toStdString();
}

} // namespace

QString MainWindow::AddBackslash(const QString& path) {
    if (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\')))
        return path;
    return path + QLatin1Char('/');
}

QString MainWindow::helpFilePath(const QString& dir) {
    return AddBackslash(dir) + QLatin1String(kHelpFileName);
}

QIcon MainWindow::ImageList2(const QString& key) {
    struct Source {
        const char* key;
        const char* themeName;
        QStyle::StandardPixmap fallback;
    };
    static const Source kSources[] = {
        {"Save", "document-save", QStyle::SP_DialogSaveButton},
        {"Convert", "view-refresh", QStyle::SP_BrowserReload},
        {"Help", "help-contents", QStyle::SP_DialogHelpButton},
    };
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

void MainWindow::setupMenus() {
    SmartMenuXP1 = new MenuBar(this);
    SmartMenuXP1->setObjectName(QStringLiteral("SmartMenuXP1"));
    for (const MenuEntry& e : kMenu) {
        const QIcon icon = e.icon != nullptr ? ImageList2(QLatin1String(e.icon)) : QIcon();
        SmartMenuXP1->addEntry(QLatin1String(e.parent), QLatin1String(e.key), e.style,
                               QLatin1String(e.caption), icon, e.check);
    }
    SmartMenuXP1->setGeometry(0, 0, width(), qMin(SmartMenuXP1->sizeHint().height(), 60));
    connect(SmartMenuXP1, &MenuBar::itemClick, this, &MainWindow::SmartMenuXP1_MenuItemClick);
}

void MainWindow::SmartMenuXP1_MenuItemClick(int id) {
    const QString key = SmartMenuXP1->key(id);
    if (key.isEmpty() || key.startsWith(QLatin1Char('8')) || SmartMenuXP1->ownsSubmenu(id))
        return;
    const QByteArray command = (key + QLatin1String("_click")).toLatin1();
    QMetaObject::invokeMethod(this, command.constData(), Qt::DirectConnection);
}

bool MainWindow::saveColorsToFile(const QString& fileName) {
    if (fileName.isEmpty())
        return false;
    std::array<io::ColorFields, 3> colors;
    for (int k = 1; k <= 3; ++k) {
        const size_t i = static_cast<size_t>(k - 1);
        colors[i] = {fieldText(txtrc[i]),     fieldText(txtgc[i]),
                     fieldText(txtbc[i]),     fieldText(decimalField(k)),
                     fieldText(htmlField(k)), fieldText(webSafeField(k))};
    }
    const std::string text = io::colorsFileText(colors);
    if (io::replaceFileContents(fileName, QByteArray::fromStdString(text)))
        return true;
    QMessageBox::warning(this, QStringLiteral("ChromaLune"), QLatin1String(kSaveWarning));
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

void MainWindow::mnufileexit_click() {
    // the main window's closing steps close every other window and end the program
    close();
}

void MainWindow::mnucwdefault_click() {
    if (SmartMenuXP1->checkState(QStringLiteral("mnucwdefault")) != 1)
        return;
    setWheelRaster(rasterDefault);
    SmartMenuXP1->setCheckState(QStringLiteral("mnucwwebsafe"), 0);
}

void MainWindow::mnucwwebsafe_click() {
    if (SmartMenuXP1->checkState(QStringLiteral("mnucwwebsafe")) != 1)
        return;
    setWheelRaster(rasterWebsafe);
    SmartMenuXP1->setCheckState(QStringLiteral("mnucwdefault"), 0);
}

void MainWindow::mnuhelp_click() {
    platform::ShellExecuteOpen(helpFilePath(QCoreApplication::applicationDirPath()), this);
}

void MainWindow::mnuabout_click() {
    if (frmabout.isNull())
        frmabout = new AboutWindow(this);
    frmabout->show();
    frmabout->raise();
    frmabout->activateWindow();
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
