#include "HtmlOutputWindow.h"

#include "GeneratedTextBox.h"
#include "platform/Desktop.h"
#include "ui/WindowHelpers.h"

#include <QPushButton>

namespace html {

HtmlOutputWindow::HtmlOutputWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    ui::setUpWindow(this, QStringLiteral("frmsbhtml"), QString(), QSize(577, 316),
                    ui::windowBackColor());
    setAttribute(Qt::WA_DeleteOnClose);

    m_textBox = new GeneratedTextBox(this);
    m_textBox->setObjectName(QStringLiteral("Text1"));
    m_textBox->setGeometry(16, 16, 393, 257);
    m_textBox->setAccessibleName(QStringLiteral("Generated HTML"));

    QPushButton* copyButton = ui::makeCopyButton(this, QRect(432, 64, 129, 33));
    connect(copyButton, &QPushButton::clicked, this, &HtmlOutputWindow::copyText);
    QPushButton* closeButton = ui::makeButton(this, QStringLiteral("cmdclose"),
                                              QStringLiteral("C&lose"), QRect(456, 224, 89, 25));
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

void HtmlOutputWindow::setText(const QString& text) {
    m_textBox->setGeneratedText(text);
}

void HtmlOutputWindow::copyText() {
    platform::setClipboardText(m_textBox->clipboardText());
}

} // namespace html
