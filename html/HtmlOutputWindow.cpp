#include "HtmlOutputWindow.h"

#include "GeneratedTextBox.h"
#include "core/DesignColors.h"
#include "platform/Desktop.h"
#include "ui/ColorConversion.h"
#include "ui/WindowHelpers.h"

#include <QPushButton>

namespace html {

HtmlOutputWindow::HtmlOutputWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmsbhtml"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(577, 316);
    platform::setBackColor(*this, ui::toQColor(core::kWindowBackColor));

    Text1 = new GeneratedTextBox(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(16, 16, 393, 257);
    Text1->setAccessibleName(QStringLiteral("Generated HTML"));

    cmdclipboard = ui::makeCopyButton(this, QRect(432, 64, 129, 33));
    connect(cmdclipboard, &QPushButton::clicked, this, &HtmlOutputWindow::cmdclipboard_Click);

    cmdclose = new QPushButton(QStringLiteral("C&lose"), this);
    cmdclose->setObjectName(QStringLiteral("cmdclose"));
    cmdclose->setGeometry(456, 224, 89, 25);
    cmdclose->setAccessibleName(QStringLiteral("Close"));
    connect(cmdclose, &QPushButton::clicked, this, &HtmlOutputWindow::cmdclose_Click);
}

void HtmlOutputWindow::setText(const QString& text) {
    Text1->setGeneratedText(text);
}

void HtmlOutputWindow::cmdclipboard_Click() {
    platform::setClipboardText(Text1->clipboardText());
}

void HtmlOutputWindow::cmdclose_Click() {
    close();
}

} // namespace html
