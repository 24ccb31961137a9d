#include "MainWindow.h"

#include "document/PaletteFile.h"
#include "formats/StarterPage.h"
#include "platform/Desktop.h"
#include "sheet/Sheet.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace mainwindow {

void MainWindow::exportStarterPage() {
    const QString caption = QStringLiteral("Export Starter Page");
    if (!m_model.hasScheme()) {
        QMessageBox::information(this, caption,
                                 QStringLiteral("There is no scheme to show on a page yet: pick "
                                                "a color on the wheel first."));
        return;
    }
    // the dialog itself asks before an existing file is replaced, as the other exports do
    QFileDialog dialog(this, caption);
    dialog.setObjectName(QStringLiteral("pagedialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("HTML Page (*.html *.htm)")});
    dialog.setDefaultSuffix(QStringLiteral("html"));
    const QString& documentPath = m_history.document().path();
    if (!documentPath.isEmpty())
        dialog.setDirectory(QFileInfo(documentPath).absolutePath());
    dialog.selectFile(documentPath.isEmpty()
                          ? QStringLiteral("starter-page.html")
                          : sheet::titleOf(documentPath) + QStringLiteral(".html"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    const std::string page = formats::starterPageText(
        formats::starterPageOf(m_model.roles(), sheet::titleOf(documentPath).toStdString()));
    std::string reason;
    if (!document::writeBytesFile(path, {page.begin(), page.end()}, &reason)) {
        QMessageBox::warning(
            this, caption,
            QStringLiteral("The starter page was not exported to %1: %2.")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(reason)));
        return;
    }
    if (QMessageBox::question(this, caption,
                              QStringLiteral("The starter page is written to %1.\nOpen it in "
                                             "your browser?")
                                  .arg(QDir::toNativeSeparators(path)),
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::Yes) == QMessageBox::Yes)
        platform::openWithDesktop(path, this);
}

} // namespace mainwindow
