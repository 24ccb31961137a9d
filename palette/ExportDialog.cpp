#include "ExportDialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cstdlib>
#include <unistd.h>

namespace palette {

namespace {

QString filterOf(formats::Format format) {
    return QString::fromStdString(formats::dialogFilter(format));
}

QString extensionOf(formats::Format format) {
    return QString::fromLatin1(formats::extension(format).data(),
                               qsizetype(formats::extension(format).size()));
}

/// Whether the working folder's name reads as text. The toolkit names any other working
/// folder with a replacement character, which names no folder at all.
bool workingFolderNamed() {
    char* bytes = ::getcwd(nullptr, 0);
    const bool named = bytes != nullptr && QFile::encodeName(QFile::decodeName(bytes)) == bytes;
    std::free(bytes);
    return named;
}

/// The name without an extension a filter gave it. The toolkit swaps only the last part of
/// a name on a change of filter ("scheme.tokens.json" becomes "scheme.tokens.css",
/// "scheme.oklch.css" becomes "scheme.oklch.gpl", and "scheme.css" becomes "scheme.json"), so
/// every part of every extension goes.
QString withoutFormatExtension(QString name) {
    for (bool stripped = true; stripped;) {
        stripped = false;
        QStringList tails;
        for (formats::Format f : formats::kFormats) {
            for (const QString& part : extensionOf(f).split(QLatin1Char('.'), Qt::SkipEmptyParts))
                tails << QLatin1Char('.') + part;
        }
        for (const QString& tail : tails) {
            if (name.size() > tail.size() && name.endsWith(tail, Qt::CaseInsensitive)) {
                name.chop(tail.size());
                stripped = true;
            }
        }
    }
    return name;
}

} // namespace

QIcon exportIcon() {
    QIcon icon;
    for (const int side : {16, 32}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(side / 16.0, side / 16.0);
        // the palette: a wooden oval with a thumb hole
        QPainterPath board;
        board.addEllipse(QRectF(0.5, 2.5, 12, 10));
        QPainterPath hole;
        hole.addEllipse(QRectF(3, 8.5, 2.6, 2.4));
        p.setPen(QPen(QColor(120, 78, 36), 1));
        p.setBrush(QColor(226, 180, 120));
        p.drawPath(board.subtracted(hole));
        p.setPen(Qt::NoPen);
        const QColor wells[] = {QColor(220, 30, 40), QColor(40, 110, 230), QColor(250, 200, 20)};
        const QPointF at[] = {{3.6, 5.6}, {6.8, 4.6}, {9.6, 6.4}};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(wells[i]);
            p.drawEllipse(at[i], 1.6, 1.6);
        }
        // the arrow out of it, down to the right
        p.setBrush(QColor(30, 150, 60));
        p.setPen(QPen(QColor(10, 90, 30), 0.8));
        const QPointF arrow[] = {{8.5, 10},    {11.5, 10},   {11.5, 8},  {15.5, 11.75},
                                 {11.5, 15.5}, {11.5, 13.5}, {8.5, 13.5}};
        p.drawPolygon(arrow, 7);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

ExportDialog::ExportDialog(QWidget* parent) : QFileDialog(parent) {
    setObjectName(QStringLiteral("exportdialog"));
    setWindowTitle(QStringLiteral("Export Palette"));
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    // the toolkit's own dialog: the same on every desktop and reachable by tests
    setOption(QFileDialog::DontUseNativeDialog);
    QStringList filters;
    for (formats::Format f : formats::kFormats)
        filters << filterOf(f);
    setNameFilters(filters);
    selectFile(QStringLiteral("scheme") + extensionOf(chosenFormat()));
    setDefaultSuffix(extensionOf(chosenFormat()));
    connect(this, &QFileDialog::filterSelected, this, &ExportDialog::followFilter);
}

formats::Format ExportDialog::chosenFormat() const {
    const qsizetype index = nameFilters().indexOf(selectedNameFilter());
    return formats::kFormats.at(static_cast<size_t>(qMax<qsizetype>(0, index)));
}

formats::Format ExportDialog::formatFor(const QString& path) const {
    return formats::formatForFileName(QFile::encodeName(path).toStdString())
        .value_or(chosenFormat());
}

void ExportDialog::followFilter() {
    // the dialog drops a leading dot and adds the rest whole: ".tokens.json" gives
    // "name.tokens.json" for a name typed without any dot
    setDefaultSuffix(extensionOf(chosenFormat()));
    auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name == nullptr || !name->text().contains(QLatin1Char('.')))
        return;
    name->setText(withoutFormatExtension(name->text()) + extensionOf(chosenFormat()));
}

void ExportDialog::accept() {
    // a filter chosen by any way counts, not only by the list
    setDefaultSuffix(extensionOf(chosenFormat()));
    const auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QString text = name != nullptr ? name->text() : QString();
    // as a shell reads it: a leading "~" is the home folder
    if (text == QLatin1String("~") || text.startsWith(QLatin1String("~/")))
        text = QDir::homePath() + text.mid(1);
    // the entry the list highlights when the name field shows its name (the dialog writes a
    // highlighted entry's name there, and the list may show another folder's entry), else the
    // name as typed, in the folder shown
    const QStringList highlighted = selectedFiles();
    const bool fromList =
        highlighted.size() == 1 && QFileInfo(highlighted.constFirst()).fileName() == text;
    // a name typed in a working folder that text cannot name stays relative: the writer
    // hands it to the system, which knows the folder by its own name
    const bool relative = !fromList && QDir::isRelativePath(text) &&
                          directory().absolutePath() == QDir::currentPath() &&
                          !workingFolderNamed();
    const QFileInfo typed(fromList   ? highlighted.constFirst()
                          : relative ? text
                                     : directory().absoluteFilePath(text));
    if (text.isEmpty() || typed.isDir()) {
        QFileDialog::accept(); // opens the folder
        return;
    }
    // The file is worked out here: the dialog's own answer depends on how far its file list
    // has loaded (a path into another folder is taken in the folder shown until the list has
    // caught up), and the question below must be about the file that is then written.
    QString target = relative ? typed.filePath() : typed.absoluteFilePath();
    // a name without an extension, or ending in a dot, takes the chosen filter's
    const QString fileName = typed.fileName();
    qsizetype dots = 0;
    while (dots < fileName.size() && fileName.at(fileName.size() - 1 - dots) == QLatin1Char('.'))
        ++dots;
    if (dots < fileName.size() && (dots > 0 || !fileName.contains(QLatin1Char('.'))))
        target = target.chopped(dots) + extensionOf(chosenFormat());
    if (QFileInfo::exists(target) && !testOption(QFileDialog::DontConfirmOverwrite) &&
        QMessageBox::warning(
            this, windowTitle(),
            tr("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(target).fileName()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    m_target = target;
    // QFileDialog's own accept would choose the file again from how far its list has loaded
    QDialog::accept(); // NOLINT(bugprone-parent-virtual-call)
}

} // namespace palette
