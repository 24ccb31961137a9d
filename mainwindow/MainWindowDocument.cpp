#include "MainWindow.h"

#include "document/OpenFile.h"
#include "document/PictureReading.h"
#include "document/RecentFiles.h"
#include "document/SchemeDocument.h"
#include "palette/PaletteWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace mainwindow {

namespace {

const QString kDocumentFilter =
    QStringLiteral("ChromaLune Scheme (*") + document::kDocumentExtension + QStringLiteral(")");
/// What Open offers: schemes, then every palette the readers know, then pictures.
const QString kPaletteFiles = QStringLiteral("*.gpl *.ase *.css *.scss *.json *.txt");
const QString kPictureFiles = QStringLiteral("*.png *.jpg *.jpeg *.webp *.gif *.bmp *.tif *.tiff");
const QString kOpenFilter =
    QStringLiteral("Schemes, Palettes and Pictures (%1 %2);;").arg(kPaletteFiles, kPictureFiles) +
    kDocumentFilter +
    QStringLiteral(";;Palettes (%1);;Pictures (%2);;All Files (*)")
        .arg(kPaletteFiles, kPictureFiles);

} // namespace

void MainWindow::openDocumentFromDialog() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(), kOpenFilter, nullptr,
                                     QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty())
        openDocument(path);
}

bool MainWindow::openDocument(const QString& path) {
    // whatever is opened now replaces a picture still being read, and the note saying so
    if (m_pictures->cancel() && m_palette)
        m_palette->showNote({});
    if (document::isPictureFile(path)) {
        readPicture(path);
        return true;
    }
    return showOpenedFile(path, document::openFile(path));
}

bool MainWindow::showOpenedFile(const QString& path, const document::OpenedFile& opened,
                                bool atStart) {
    const QString name = QFileInfo(path).fileName();
    if (opened.palette) {
        // a palette leaves the scheme as it is: it is shown beside it
        document::rememberRecentDocument(path);
        palette::PaletteWindow* window = showPalette();
        window->setPalette(*opened.palette, name, opened.skipped, opened.firstSkipped);
        if (opened.picture)
            window->setPicture(*opened.picture);
        return true;
    }
    if (!opened.scheme) {
        QMessageBox::warning(this, QStringLiteral("Open"),
                             QStringLiteral("Cannot open \"%1\": %2")
                                 .arg(QDir::toNativeSeparators(path), opened.error));
        return false;
    }
    const scheme::SchemeModel::Snapshot snapshot = *opened.scheme;
    if (atStart) {
        m_model.restore(snapshot);
        // a name that is no text reads back as another one: the scheme is shown, but never
        // saved under another name than the file it came from
        if (QFileInfo::exists(path))
            setDocument(path);
        return true;
    }
    document::rememberRecentDocument(path);
    m_history.recordOpen([this, &snapshot] { m_model.restore(snapshot); }, "Open " + name, path);
    return true;
}

namespace {

/// The one local file a drag carries, or none.
QString droppedFile(const QMimeData* data) {
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.constFirst().isLocalFile() ? urls.constFirst().toLocalFile()
                                                               : QString();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // opened once the drop has ended: a message box inside it would hold the dragging program
    QTimer::singleShot(0, this, [this, path] { openDocument(path); });
}

void MainWindow::readPicture(const QString& path) {
    showPalette()->showNote(QStringLiteral("Reading %1...").arg(QFileInfo(path).fileName()));
    m_pictures->start(path);
}

void MainWindow::showReadPicture(const QString& path, const document::OpenedFile& opened) {
    if (!opened.palette || !opened.picture) {
        showPalette()->showNote({});
        QMessageBox::warning(this, QStringLiteral("Open"), opened.error);
        return;
    }
    showOpenedFile(path, opened);
}

void MainWindow::saveSchemeAs() {
    QFileDialog dialog(this, QStringLiteral("Save Scheme As"), QString(), kDocumentFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // the document's folder, with no file chosen in it: a choice made while the folder loads
    // would replace the name being typed
    const QString& current = m_history.document().path();
    if (!current.isEmpty())
        dialog.setDirectory(QFileInfo(current).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = document::withDocumentExtension(dialog.selectedFiles().constFirst());
    if (writeDocument(path))
        setDocument(path);
}

bool MainWindow::writeDocument(const QString& path) {
    std::string reason;
    if (document::writeSchemeDocument(path, m_model, &reason))
        return true;
    QMessageBox::warning(this, QStringLiteral("Save Scheme As"),
                         QStringLiteral("The scheme was not saved to %1: %2.")
                             .arg(QDir::toNativeSeparators(path), QString::fromStdString(reason)));
    return false;
}

void MainWindow::showRecentDocuments() {
    m_recentMenu->clear();
    const QStringList paths = document::recentDocuments();
    for (const QString& path : paths) {
        QAction* entry = m_recentMenu->addAction(QFileInfo(path).fileName());
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setStatusTip(entry->toolTip());
        entry->setData(path);
        entry->setEnabled(QFileInfo(path).isFile());
        connect(entry, &QAction::triggered, this, [this, path] { openDocument(path); });
    }
    m_recentMenu->addSeparator();
    QAction* clear = m_recentMenu->addAction(QStringLiteral("Clear Recent"));
    clear->setObjectName(QStringLiteral("mnuclearrecent"));
    clear->setEnabled(!paths.isEmpty());
    connect(clear, &QAction::triggered, this, [] { document::keepRecentDocuments({}); });
}

void MainWindow::setDocument(const QString& path) {
    document::rememberRecentDocument(path);
    m_history.document().setSaved(path);
}

void MainWindow::showDocument() {
    const document::Document& shown = m_history.document();
    setWindowTitle(shown.path().isEmpty()
                       ? QStringLiteral("ChromaLune")
                       : QFileInfo(shown.path()).fileName() + QStringLiteral("[*] - ChromaLune"));
    setWindowModified(shown.isModified());
}

bool MainWindow::mayClose() {
    document::Document& shown = m_history.document();
    if (!shown.isModified())
        return true;
    QMessageBox ask(
        QMessageBox::Question, QStringLiteral("ChromaLune"),
        QStringLiteral("Save the changes to \"%1\"?").arg(QFileInfo(shown.path()).fileName()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    ask.setDefaultButton(QMessageBox::Save);
    switch (ask.exec()) {
    case QMessageBox::Save:
        if (!writeDocument(shown.path()))
            return false;
        shown.markSaved();
        return true;
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

} // namespace mainwindow
