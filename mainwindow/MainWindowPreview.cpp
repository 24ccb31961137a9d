#include "MainWindow.h"

#include "accessibility/AccessibilityWindow.h"
#include "core/DesignColors.h"
#include "io/FileWriter.h"
#include "platform/Desktop.h"
#include "preview/Mockups.h"
#include "preview/PixelListFile.h"
#include "preview/PreviewStyles.h"
#include "preview/PreviewSurface.h"
#include "preview/TemplateScan.h"
#include "ui/ColorConversion.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace mainwindow {

namespace {

/// Keeps Enter and Return from a combo box's text field, where the box would take them as
/// a pick of the entry typed.
class EnterKeyEater : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void MainWindow::setupPreview() {
    chkpreview = new QCheckBox(QStringLiteral("Follow-Preview"), this);
    chkpreview->setObjectName(QStringLiteral("chkpreview"));
    chkpreview->setGeometry(280, 72, 105, 17);

    cmbpreview = new QComboBox(this);
    cmbpreview->setObjectName(QStringLiteral("cmbpreview"));
    cmbpreview->setEditable(true);
    // the text field is free text: typing, even with Enter, neither completes, adds an
    // entry nor chooses a style
    cmbpreview->setInsertPolicy(QComboBox::NoInsert);
    cmbpreview->setCompleter(nullptr);
    cmbpreview->lineEdit()->installEventFilter(new EnterKeyEater(cmbpreview));
    cmbpreview->setGeometry(416, 72, 113, 21);
    cmbpreview->setAccessibleName(QStringLiteral("Preview style"));
    cmbpreview->lineEdit()->setAccessibleName(cmbpreview->accessibleName());
    for (const preview::PreviewStyle& style : preview::previewStyles())
        cmbpreview->addItem(
            QString::fromLatin1(style.entry.data(), static_cast<int>(style.entry.size())));
    cmbpreview->setCurrentIndex(0);
    // only a pick from the list (mouse or arrow keys) chooses a style
    connect(cmbpreview, &QComboBox::activated, this, [this] { cmbpreview_Click(); });

    preview = new preview::PreviewSurface(this);
    preview->move(280, 96);

    auto makeButton = [this](const char* name, const char* caption, int x, int w) {
        auto* button = new QPushButton(QString::fromLatin1(caption), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(x, 64, w, 25);
        QPalette pal = button->palette();
        pal.setColor(QPalette::Button, ui::toQColor(core::kLightBlueBackColor));
        button->setPalette(pal);
        button->hide();
        return button;
    };
    cmdgenlinkshtml = makeButton("cmdgenlinkshtml", "Generate Webpage HTML", 584, 153);
    cmdgenlinks2html = makeButton("cmdgenlinks2html", "Generate Webpage HTML", 584, 153);
    gentablehtml = makeButton("gentablehtml", "Generate Table HTML", 592, 153);
    cmdgensbhtml = makeButton("cmdgensbhtml", "Generate Scrollbar HTML", 576, 145);

    // developer commands that write pixel lists and a picture of the preview; never shown
    Command3 = new QPushButton(QStringLiteral("Command3"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setGeometry(8, 376, 81, 25);
    Command3->hide();
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    Command2 = new QPushButton(QStringLiteral("Command2"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(8, 408, 81, 25);
    Command2->hide();
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    loadPreviewStyle(m_model.previewStyle());
}

void MainWindow::show_preview() {
    m_previewPaint = preview->paintScheme({ui::toQRgb(m_model.swatchColor(1)),
                                           ui::toQRgb(m_model.swatchColor(2)),
                                           ui::toQRgb(m_model.swatchColor(3))});
    if (frmaccess)
        frmaccess->setPreviewPaint(m_previewPaint);
}

void MainWindow::cmbpreview_Click() {
    const QByteArray entry = cmbpreview->currentText().toUtf8();
    const preview::PreviewStyle* style =
        preview::findPreviewStyle(std::string_view(entry.constData(), entry.size()));
    m_model.setPreviewStyle(
        style != nullptr ? static_cast<int>(style - preview::previewStyles().data()) : -1);
}

void MainWindow::loadPreviewStyle(int index) {
    cmdgenlinkshtml->hide();
    cmdgenlinks2html->hide();
    cmdgensbhtml->hide();
    gentablehtml->hide();
    // a choice that named no style keeps the style shown
    if (index < 0)
        return;
    const preview::PreviewStyle& style = preview::previewStyles()[static_cast<size_t>(index)];
    preview->lists().clear();
    preview->setPicture(preview::mockupPicture(style.mockupKey));
    auto name = [](std::string_view file) {
        return QString::fromLatin1(file.data(), static_cast<int>(file.size()));
    };
    load_pixel_lists(name(style.files[0]), name(style.files[1]), name(style.files[2]));
    m_bareMockup = preview->image();
    m_previewPaint.reset();
    if (frmaccess) {
        frmaccess->setPreview(m_bareMockup, preview->lists());
        frmaccess->setPreviewPaint(m_previewPaint);
    }
    switch (style.button) {
    case preview::HtmlButton::Links:
        cmdgenlinkshtml->show();
        break;
    case preview::HtmlButton::Links2:
        cmdgenlinks2html->show();
        break;
    case preview::HtmlButton::Table:
        gentablehtml->show();
        break;
    case preview::HtmlButton::Scrollbar:
        cmdgensbhtml->show();
        break;
    case preview::HtmlButton::None:
        break;
    }
}

void MainWindow::load_pixel_lists(const QString& first, const QString& second,
                                  const QString& third) {
    const QString dir = platform::runtimeFilesDir() + QDir::separator();
    const QString* names[] = {&first, &second, &third};
    for (int k = 1; k <= 3; ++k) {
        const QString path = dir + *names[k - 1];
        preview::PixelList points;
        const preview::PixelListFileRead read = preview::readPixelListFile(path, points);
        if (!read.read)
            qWarning().noquote() << QStringLiteral("Cannot read the preview pixel list %1: %2")
                                        .arg(QDir::toNativeSeparators(path), read.error);
        else if (read.skippedLines > 0)
            qWarning().noquote() << QStringLiteral("Skipped %1 malformed line(s) in the preview "
                                                   "pixel list %2")
                                        .arg(read.skippedLines)
                                        .arg(QDir::toNativeSeparators(path));
        preview->lists().append(k, points);
    }
}

QString MainWindow::authoringFolder() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/authoring");
}

void MainWindow::Command3_Click() {
    const QRgb color1 = ui::toQRgb(m_model.swatchColor(1));
    const QRgb color2 = ui::toQRgb(m_model.swatchColor(2));
    const QRgb color3 = ui::toQRgb(m_model.swatchColor(3));
    const std::array<preview::ScanTarget, 3> targets = {
        {{ui::toQRgb(core::kTemplateBlue), color1},
         {ui::toQRgb(core::kTemplateGrey), color3},
         {ui::toQRgb(core::kTemplateLightBlue), color2}}};
    static const char* const kFiles[] = {"mple_table1.txt", "gri_table1.txt", "galazio_table1.txt"};
    const std::array<std::string, 3> texts = preview::scanTemplates(preview->image(), targets);
    preview->refresh();

    const QDir folder(authoringFolder());
    if (!QDir().mkpath(folder.path())) {
        qWarning().noquote() << QStringLiteral("Cannot create the folder %1")
                                    .arg(QDir::toNativeSeparators(folder.path()));
        return;
    }
    for (size_t i = 0; i < 3; ++i) {
        const QString path = folder.filePath(QString::fromLatin1(kFiles[i]));
        QString error;
        if (!preview::writeListFile(path, texts[i], &error))
            qWarning().noquote()
                << QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), error);
    }
}

void MainWindow::Command2_Click() {
    const QDir folder(authoringFolder());
    const QString path = folder.filePath(QStringLiteral("chromalune_webpage3.bmp"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QString error;
    if (!buffer.open(QIODevice::WriteOnly) || !preview->image().save(&buffer, "BMP"))
        error = QStringLiteral("The picture cannot be encoded");
    else if (!QDir().mkpath(folder.path()))
        error = QStringLiteral("The folder cannot be made");
    else if (io::writeFile(path, bytes, &error))
        return;
    qWarning().noquote()
        << QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), error);
}

} // namespace mainwindow
