#include "TableInsertWindow.h"

#include "GeneratedTextBox.h"
#include "SpinArrows.h"
#include "TableText.h"
#include "platform/Desktop.h"
#include "scheme/SchemeModel.h"
#include "ui/WindowHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace html {

namespace {

constexpr int kClientWidth = 489;
constexpr int kClientHeight = 492;

} // namespace

TableInsertWindow::TableInsertWindow(const scheme::SchemeModel& model, QWidget* owner)
    : QWidget(owner, Qt::Window), m_model(model) {
    ui::setUpWindow(this, QStringLiteral("tableins"), QStringLiteral("Insert Table"),
                    QSize(kClientWidth, kClientHeight), ui::windowBackColor());
    setAttribute(Qt::WA_DeleteOnClose);

    auto makeNumberRow = [this](const char* labelName, const char* caption, int index,
                                const char* spinName, const char* text, int labelX, int fieldX,
                                int y) {
        const QString spoken = QString::fromLatin1(caption);
        // as high as the field beside it, so the caption lines up with the field's text
        ui::makeLabel(this, QString::fromLatin1(labelName), spoken,
                      QRect(labelX, y, fieldX - labelX - 4, 25));
        auto* field = new QLineEdit(QString::fromLatin1(text), this);
        field->setObjectName(QStringLiteral("Text1[%1]").arg(index));
        field->setGeometry(fieldX, y, 49, 25);
        field->setAccessibleName(spoken);
        m_numberFields[index] = field;
        auto* spin = new SpinArrows(this);
        spin->setObjectName(QString::fromLatin1(spinName));
        spin->move(fieldX + 48, y);
        spin->setCaption(spoken);
        connect(spin, &SpinArrows::downClicked, this, [this, index] { stepDown(index); });
        connect(spin, &SpinArrows::upClicked, this, [this, index] { stepUp(index); });
        connect(field, &QLineEdit::textChanged, this, &TableInsertWindow::fillEmptyCounts);
    };

    makeNumberRow("lblrows", "Rows", kRows, "UpDown1", "2", 32, 96, 24);
    makeNumberRow("lblcolumns", "Columns", kColumns, "UpDown2", "2", 32, 96, 56);
    makeNumberRow("lblwidth", "Width", kWidth, "UpDown3", "75", 32, 96, 104);
    m_unitCombo = ui::makeComboBox(this, QStringLiteral("Combo1"), QStringLiteral("Width unit"),
                                   QRect(184, 104, 73, 21));
    makeNumberRow("lblborder", "Border", kBorder, "UpDown4", "1", 32, 96, 144);
    ui::makeLabel(this, QStringLiteral("lblalign"), QStringLiteral("Align"),
                  QRect(176, 144, 30, 25));
    m_alignCombo = ui::makeComboBox(this, QStringLiteral("cmbtalign"), QStringLiteral("Align"),
                                    QRect(208, 144, 89, 21));
    makeNumberRow("lblpadding", "Cell Padding", kCellPadding, "UpDown5", "0", 184, 272, 24);
    makeNumberRow("lblspacing", "Cell Spacing", kCellSpacing, "UpDown6", "0", 184, 272, 64);

    QPushButton* okButton =
        ui::makeButton(this, QStringLiteral("cmdok"), QStringLiteral("OK"), QRect(360, 24, 81, 25));
    connect(okButton, &QPushButton::clicked, this, &TableInsertWindow::generateTable);
    QPushButton* closeButton = ui::makeButton(this, QStringLiteral("cmdcancel"),
                                              QStringLiteral("Close"), QRect(360, 64, 81, 25));
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    QPushButton* copyButton = ui::makeCopyButton(this, QRect(344, 112, 129, 33));
    connect(copyButton, &QPushButton::clicked, this, &TableInsertWindow::copyTable);

    m_tableBox = new GeneratedTextBox(this);
    m_tableBox->setObjectName(QStringLiteral("tablehtml"));
    m_tableBox->setGeometry(16, 184, 449, 281);
    m_tableBox->setAccessibleName(QStringLiteral("Table HTML"));

    connect(m_unitCombo, &QComboBox::activated, this, &TableInsertWindow::fillEmptyCounts);

    ui::centreOnScreen(this);
    m_unitCombo->addItems({QStringLiteral("Percent"), QStringLiteral("Pixels")});
    m_unitCombo->setCurrentIndex(0);
    m_alignCombo->addItems({QStringLiteral("None"), QStringLiteral("center"),
                            QStringLiteral("char"), QStringLiteral("justify"),
                            QStringLiteral("left"), QStringLiteral("right")});
    m_alignCombo->setCurrentIndex(1);
    fillEmptyCounts();
}

void TableInsertWindow::fillEmptyCounts() {
    for (const int index : {kRows, kColumns})
        if (m_numberFields[index]->text().isEmpty())
            m_numberFields[index]->setText(QStringLiteral("1"));
}

void TableInsertWindow::stepDown(int index) {
    if (const auto text = html::spinDown(m_numberFields[index]->text()))
        m_numberFields[index]->setText(*text);
}

void TableInsertWindow::stepUp(int index) {
    if (const auto text = html::spinUp(m_numberFields[index]->text()))
        m_numberFields[index]->setText(*text);
}

void TableInsertWindow::markField(int index) {
    m_numberFields[index]->setFocus(Qt::OtherFocusReason);
    m_numberFields[index]->selectAll();
}

void TableInsertWindow::generateTable() {
    const auto text = [this](int index) { return m_numberFields[index]->text(); };
    const html::TableFields fields{text(kWidth),       m_unitCombo->currentText(),
                                   text(kBorder),      text(kCellSpacing),
                                   text(kCellPadding), m_alignCombo->currentText()};
    fillEmptyCounts();
    const auto rows = html::readFieldNumber(text(kRows));
    if (!rows) {
        markField(kRows);
        return;
    }
    const auto columns = html::readFieldNumber(text(kColumns));
    if (!columns) {
        markField(kColumns);
        return;
    }
    const QString code1 = QString::fromStdString(m_model.text(1, scheme::Field::Html));
    const QString code2 = QString::fromStdString(m_model.text(2, scheme::Field::Html));
    const int64_t cells = html::tableCellCount(*rows, *columns);
    // measured before it is built: long field texts repeat in every cell
    const int64_t length = html::tableHtmlLength(fields, *rows, *columns, code1, code2);
    if (length > html::kMaxTableLength) {
        constexpr int64_t kMB = int64_t{1024} * 1024;
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("A table of %1 cells is too large: its text would "
                                            "take %2 MB, at most %3 MB can be generated. Please "
                                            "lower \"Rows\" or \"Columns\".")
                                 .arg(cells)
                                 .arg((length + kMB - 1) / kMB)
                                 .arg(html::kMaxTableLength / kMB));
        markField(*columns > *rows ? kColumns : kRows);
        return;
    }
    // a table of many thousand cells takes the text box a noticeable while to lay out
    const bool slow = cells > 10000;
    if (slow)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    m_tableBox->setGeneratedText(html::tableHtml(fields, *rows, *columns, code1, code2));
    if (slow)
        QApplication::restoreOverrideCursor();
}

void TableInsertWindow::copyTable() {
    platform::setClipboardText(m_tableBox->clipboardText());
}

} // namespace html
