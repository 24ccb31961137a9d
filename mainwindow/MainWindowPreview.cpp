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
    m_followPreview = new QCheckBox(QStringLiteral("Follow-Preview"), this);
    m_followPreview->setObjectName(QStringLiteral("chkpreview"));
    m_followPreview->setGeometry(280, 72, 105, 17);

    m_styleList = new QComboBox(this);
    m_styleList->setObjectName(QStringLiteral("cmbpreview"));
    m_styleList->setEditable(true);
    // the text field is free text: typing, even with Enter, neither completes, adds an
    // entry nor chooses a style
    m_styleList->setInsertPolicy(QComboBox::NoInsert);
    m_styleList->setCompleter(nullptr);
    m_styleList->lineEdit()->installEventFilter(new EnterKeyEater(m_styleList));
    m_styleList->setGeometry(416, 72, 113, 21);
    m_styleList->setAccessibleName(QStringLiteral("Preview style"));
    m_styleList->lineEdit()->setAccessibleName(m_styleList->accessibleName());
    for (const preview::PreviewStyle& style : preview::previewStyles())
        m_styleList->addItem(
            QString::fromLatin1(style.entry.data(), static_cast<int>(style.entry.size())));
    m_styleList->setCurrentIndex(0);
    // only a pick from the list (mouse or arrow keys) chooses a style
    connect(m_styleList, &QComboBox::activated, this, &MainWindow::chooseStyleFromList);
    connect(m_followPreview, &QCheckBox::toggled, this, [this](bool on) {
        m_history.record([this, on] { m_model.setFollowPreview(on); },
                         [on] { return QStringLiteral("Follow-Preview ") + (on ? "on" : "off"); });
    });

    m_preview = new preview::PreviewSurface(this);
    m_preview->move(280, 96);
    m_preview->follow(m_model);

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
    m_linksHtmlButton = makeButton("cmdgenlinkshtml", "Generate Webpage HTML", 584, 153);
    m_links2HtmlButton = makeButton("cmdgenlinks2html", "Generate Webpage HTML", 584, 153);
    m_tableHtmlButton = makeButton("gentablehtml", "Generate Table HTML", 592, 153);
    m_scrollbarHtmlButton = makeButton("cmdgensbhtml", "Generate Scrollbar HTML", 576, 145);

    // developer commands that write pixel lists and a picture of the preview; never shown
    m_writeListsButton = new QPushButton(QStringLiteral("Command3"), this);
    m_writeListsButton->setObjectName(QStringLiteral("Command3"));
    m_writeListsButton->setGeometry(8, 376, 81, 25);
    m_writeListsButton->hide();
    connect(m_writeListsButton, &QPushButton::clicked, this, &MainWindow::writeTemplateLists);
    m_savePictureButton = new QPushButton(QStringLiteral("Command2"), this);
    m_savePictureButton->setObjectName(QStringLiteral("Command2"));
    m_savePictureButton->setGeometry(8, 408, 81, 25);
    m_savePictureButton->hide();
    connect(m_savePictureButton, &QPushButton::clicked, this, &MainWindow::savePreviewPicture);

    showStyleButton(m_model.previewStyle());
}

void MainWindow::chooseStyleFromList() {
    const QByteArray entry = m_styleList->currentText().toUtf8();
    const preview::PreviewStyle* style =
        preview::findPreviewStyle(std::string_view(entry.constData(), entry.size()));
    const int index =
        style != nullptr ? static_cast<int>(style - preview::previewStyles().data()) : -1;
    m_history.record([this, index] { m_model.setPreviewStyle(index); },
                     [this] { return "Style: " + m_styleList->currentText(); });
}

void MainWindow::showStyleButton(int index) {
    m_linksHtmlButton->hide();
    m_links2HtmlButton->hide();
    m_scrollbarHtmlButton->hide();
    m_tableHtmlButton->hide();
    if (index < 0)
        return;
    const preview::PreviewStyle& style = preview::previewStyles()[static_cast<size_t>(index)];
    switch (style.button) {
    case preview::HtmlButton::Links:
        m_linksHtmlButton->show();
        break;
    case preview::HtmlButton::Links2:
        m_links2HtmlButton->show();
        break;
    case preview::HtmlButton::Table:
        m_tableHtmlButton->show();
        break;
    case preview::HtmlButton::Scrollbar:
        m_scrollbarHtmlButton->show();
        break;
    case preview::HtmlButton::None:
        break;
    }
}

QString MainWindow::authoringFolder() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/authoring");
}

void MainWindow::writeTemplateLists() {
    const QRgb color1 = ui::toQRgb(m_model.swatchColor(1));
    const QRgb color2 = ui::toQRgb(m_model.swatchColor(2));
    const QRgb color3 = ui::toQRgb(m_model.swatchColor(3));
    const std::array<preview::ScanTarget, 3> targets = {
        {{ui::toQRgb(core::kTemplateBlue), color1},
         {ui::toQRgb(core::kTemplateGrey), color3},
         {ui::toQRgb(core::kTemplateLightBlue), color2}}};
    static const char* const kFiles[] = {"mple_table1.txt", "gri_table1.txt", "galazio_table1.txt"};
    const std::array<std::string, 3> texts = preview::scanTemplates(m_preview->image(), targets);
    m_preview->refresh();

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

void MainWindow::savePreviewPicture() {
    const QDir folder(authoringFolder());
    const QString path = folder.filePath(QStringLiteral("chromalune_webpage3.bmp"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QString error;
    if (!buffer.open(QIODevice::WriteOnly) || !m_preview->image().save(&buffer, "BMP"))
        error = QStringLiteral("The picture cannot be encoded");
    else if (!QDir().mkpath(folder.path()))
        error = QStringLiteral("The folder cannot be made");
    else if (io::writeFile(path, bytes, &error))
        return;
    qWarning().noquote()
        << QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), error);
}

} // namespace mainwindow
