#include "MainWindow.h"

#include "document/OpenFile.h"
#include "document/PaletteFile.h"
#include "document/RecentFiles.h"
#include "document/SchemeDocument.h"
#include "palette/PaletteWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

namespace mainwindow {

namespace {

const QString kDocumentFilter = QStringLiteral("ChromaLune Scheme (*.tokens.json)");
const QString kDocumentExtension = QStringLiteral(".tokens.json");
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
    if (m_pictureCancel) {
        m_pictureCancel->store(true);
        if (m_palette)
            m_palette->showNote({});
    }
    m_pictureCancel.reset();
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
        rememberDocument(path);
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
    rememberDocument(path);
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
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    m_pictureCancel = cancel;
    const QString name = QFileInfo(path).fileName();
    showPalette()->showNote(QStringLiteral("Reading %1...").arg(name));
    auto* watcher = new QFutureWatcher<document::OpenedFile>(this);
    // a busy pointer once it takes longer than a glance
    auto* busy = new QTimer(watcher);
    busy->setSingleShot(true);
    connect(busy, &QTimer::timeout, watcher, [watcher] {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        watcher->setProperty("busy", true);
    });
    busy->start(100);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, cancel, path] {
        watcher->deleteLater();
        if (watcher->property("busy").toBool())
            QApplication::restoreOverrideCursor();
        // something else was opened meanwhile
        if (cancel->load())
            return;
        m_pictureCancel.reset();
        const document::OpenedFile opened = watcher->result();
        if (!opened.palette || !opened.picture) {
            showPalette()->showNote({});
            QMessageBox::warning(this, QStringLiteral("Open"), opened.error);
            return;
        }
        showOpenedFile(path, opened);
    });
    watcher->setFuture(
        QtConcurrent::run([path, cancel] { return document::openPicture(path, cancel.get()); }));
}

void MainWindow::saveSchemeAs() {
    QFileDialog dialog(this, QStringLiteral("Save Scheme As"), QString(), kDocumentFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // the document's folder, with no file chosen in it: a choice made while the folder loads
    // would replace the name being typed
    if (!m_documentPath.isEmpty())
        dialog.setDirectory(QFileInfo(m_documentPath).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString path = dialog.selectedFiles().constFirst();
    if (!path.endsWith(kDocumentExtension, Qt::CaseInsensitive))
        path += path.endsWith(QLatin1Char('.')) ? kDocumentExtension.mid(1) : kDocumentExtension;
    if (writeDocument(path))
        setDocument(path);
}

bool MainWindow::writeDocument(const QString& path) {
    std::string reason;
    if (document::writePaletteFile(path, formats::Format::DesignTokens, m_model.schemeColors(),
                                   &reason,
                                   {false, false, m_model.exactColors(), m_model.roleOverrides()},
                                   document::schemeStateText(m_model.snapshot())))
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

void MainWindow::rememberDocument(const QString& path) {
    document::rememberRecentDocument(path);
}

void MainWindow::setDocument(const QString& path) {
    rememberDocument(path);
    m_history.setDocument(path);
}

void MainWindow::showDocument() {
    m_documentPath = m_history.document().path;
    setWindowTitle(m_documentPath.isEmpty()
                       ? QStringLiteral("ChromaLune")
                       : QFileInfo(m_documentPath).fileName() + QStringLiteral("[*] - ChromaLune"));
    setWindowModified(m_history.isModified());
}

bool MainWindow::mayClose() {
    if (!m_history.isModified())
        return true;
    QMessageBox ask(
        QMessageBox::Question, QStringLiteral("ChromaLune"),
        QStringLiteral("Save the changes to \"%1\"?").arg(QFileInfo(m_documentPath).fileName()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    ask.setDefaultButton(QMessageBox::Save);
    switch (ask.exec()) {
    case QMessageBox::Save:
        if (!writeDocument(m_documentPath))
            return false;
        m_history.markSaved();
        return true;
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

} // namespace mainwindow
