#include "TableInsertWindow.h"

#include "GeneratedTextBox.h"
#include "SpinArrows.h"
#include "TableText.h"
#include "core/DesignColors.h"
#include "platform/Desktop.h"
#include "scheme/SchemeModel.h"
#include "ui/ColorConversion.h"
#include "ui/WindowHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

#include <utility>

namespace html {

namespace {

constexpr int kClientWidth = 489;
constexpr int kClientHeight = 492;

} // namespace

TableInsertWindow::TableInsertWindow(const scheme::SchemeModel& model, QWidget* owner)
    : QWidget(owner, Qt::Window), m_model(model) {
    setObjectName(QStringLiteral("tableins"));
    setWindowTitle(QStringLiteral("Insert Table"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kClientWidth, kClientHeight);
    platform::setBackColor(*this, ui::toQColor(core::kWindowBackColor));

    auto makeLabel = [this](const char* name, const char* text, int x, int y, int w) {
        auto* label = new QLabel(QString::fromLatin1(text), this);
        label->setObjectName(QString::fromLatin1(name));
        // as high as the field beside it, so the caption lines up with the field's text
        label->setGeometry(x, y, w, 25);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    };
    auto makeNumberRow = [this, &makeLabel](const char* labelName, const char* caption, int index,
                                            const char* spinName, const char* text, int labelX,
                                            int fieldX, int y) {
        makeLabel(labelName, caption, labelX, y, fieldX - labelX - 4);
        auto* field = new QLineEdit(QString::fromLatin1(text), this);
        field->setObjectName(QStringLiteral("Text1[%1]").arg(index));
        field->setGeometry(fieldX, y, 49, 25);
        field->setAccessibleName(QString::fromLatin1(caption));
        Text1[index] = field;
        auto* spin = new SpinArrows(this);
        spin->setObjectName(QString::fromLatin1(spinName));
        spin->move(fieldX + 48, y);
        spin->upButton->setAccessibleName(QString::fromLatin1(caption) + QStringLiteral(" up"));
        spin->downButton->setAccessibleName(QString::fromLatin1(caption) + QStringLiteral(" down"));
        connect(spin, &SpinArrows::downClicked, this, [this, index] { spinDownClick(index); });
        connect(spin, &SpinArrows::upClicked, this, [this, index] { spinUpClick(index); });
        return spin;
    };
    auto makeCombo = [this](const char* name, const char* spoken, int x, int y, int w) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(name));
        combo->setEditable(true);
        combo->setAccessibleName(QString::fromLatin1(spoken));
        combo->lineEdit()->setAccessibleName(combo->accessibleName());
        // typed texts are used exactly as they are: never completed from the list (the
        // completer matches regardless of case and replaces the text), never added to it
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        combo->setGeometry(x, y, w, 21);
        return combo;
    };

    UpDown1 = makeNumberRow("lblrows", "Rows", kRows, "UpDown1", "2", 32, 96, 24);
    UpDown2 = makeNumberRow("lblcolumns", "Columns", kColumns, "UpDown2", "2", 32, 96, 56);
    UpDown3 = makeNumberRow("lblwidth", "Width", kWidth, "UpDown3", "75", 32, 96, 104);
    Combo1 = makeCombo("Combo1", "Width unit", 184, 104, 73);
    UpDown4 = makeNumberRow("lblborder", "Border", kBorder, "UpDown4", "1", 32, 96, 144);
    makeLabel("lblalign", "Align", 176, 144, 30);
    cmbtalign = makeCombo("cmbtalign", "Align", 208, 144, 89);
    UpDown5 =
        makeNumberRow("lblpadding", "Cell Padding", kCellPadding, "UpDown5", "0", 184, 272, 24);
    UpDown6 =
        makeNumberRow("lblspacing", "Cell Spacing", kCellSpacing, "UpDown6", "0", 184, 272, 64);

    cmdok = new QPushButton(QStringLiteral("OK"), this);
    cmdok->setObjectName(QStringLiteral("cmdok"));
    cmdok->setGeometry(360, 24, 81, 25);
    connect(cmdok, &QPushButton::clicked, this, &TableInsertWindow::cmdok_Click);

    cmdcancel = new QPushButton(QStringLiteral("Close"), this);
    cmdcancel->setObjectName(QStringLiteral("cmdcancel"));
    cmdcancel->setGeometry(360, 64, 81, 25);
    connect(cmdcancel, &QPushButton::clicked, this, &TableInsertWindow::cmdcancel_Click);

    cmdclipboard = ui::makeCopyButton(this, QRect(344, 112, 129, 33));
    connect(cmdclipboard, &QPushButton::clicked, this, &TableInsertWindow::cmdclipboard_Click);

    tablehtml = new GeneratedTextBox(this);
    tablehtml->setObjectName(QStringLiteral("tablehtml"));
    tablehtml->setGeometry(16, 184, 449, 281);
    tablehtml->setAccessibleName(QStringLiteral("Table HTML"));

    for (const int index : {kRows, kCellSpacing, kCellPadding, kBorder, kWidth, kColumns})
        connect(Text1[index], &QLineEdit::textChanged, this,
                [this, index] { Text1_Change(index); });
    connect(Combo1, &QComboBox::activated, this, &TableInsertWindow::Combo1_Click);

    Form_Load();
}

void TableInsertWindow::Form_Load() {
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : nullptr;
    if (!screen)
        screen = QApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    Combo1->addItems({QStringLiteral("Percent"), QStringLiteral("Pixels")});
    Combo1->setCurrentIndex(0);
    cmbtalign->addItems({QStringLiteral("None"), QStringLiteral("center"), QStringLiteral("char"),
                         QStringLiteral("justify"), QStringLiteral("left"),
                         QStringLiteral("right")});
    cmbtalign->setCurrentIndex(1);
    fillEmptyCounts();
}

void TableInsertWindow::fillEmptyCounts() {
    if (Text1[kRows]->text().isEmpty())
        Text1[kRows]->setText(QStringLiteral("1"));
    if (Text1[kColumns]->text().isEmpty())
        Text1[kColumns]->setText(QStringLiteral("1"));
}

void TableInsertWindow::Text1_Change(int /*index*/) {
    fillEmptyCounts();
}

void TableInsertWindow::Combo1_Click() {
    fillEmptyCounts();
}

void TableInsertWindow::spinDownClick(int index) {
    if (const auto text = html::spinDown(Text1[index]->text()))
        Text1[index]->setText(*text);
}

void TableInsertWindow::spinUpClick(int index) {
    if (const auto text = html::spinUp(Text1[index]->text()))
        Text1[index]->setText(*text);
}

void TableInsertWindow::markField(int index) {
    Text1[index]->setFocus(Qt::OtherFocusReason);
    Text1[index]->selectAll();
}

void TableInsertWindow::cmdok_Click() {
    const html::TableFields fields{Text1[kWidth]->text(),       Combo1->currentText(),
                                   Text1[kBorder]->text(),      Text1[kCellSpacing]->text(),
                                   Text1[kCellPadding]->text(), cmbtalign->currentText()};
    fillEmptyCounts();
    const auto rows = html::readFieldNumber(Text1[kRows]->text());
    if (!rows) {
        markField(kRows);
        return;
    }
    const auto columns = html::readFieldNumber(Text1[kColumns]->text());
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
        constexpr int64_t kMB = 1024 * 1024;
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
    tablehtml->setGeneratedText(html::tableHtml(fields, *rows, *columns, code1, code2));
    if (slow)
        QApplication::restoreOverrideCursor();
}

void TableInsertWindow::cmdclipboard_Click() {
    platform::setClipboardText(tablehtml->clipboardText());
}

void TableInsertWindow::cmdcancel_Click() {
    close();
}

} // namespace html
