#include "ConvertWindow.h"

#include "ColorConverter.h"
#include "PickerHandOff.h"
#include "SafeColorMap.h"
#include "core/DesignColors.h"
#include "platform/Desktop.h"
#include "core/SystemColors.h"
#include "ui/ColorConversion.h"
#include "ui/Swatch.h"
#include "ui/WindowHelpers.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace tools {

namespace {

constexpr int kClientWidth = 485;
constexpr int kClientHeight = 270;

void setIfChanged(QLineEdit* field, const std::string& text) {
    const QString value = QString::fromStdString(text);
    // rewriting an unchanged field would move its cursor and drop its undo history
    if (field->text() != value)
        field->setText(value);
}

} // namespace

ConvertWindow::ConvertWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("convert"));
    setWindowTitle(QStringLiteral("Convert Color Codes"));
    setFixedSize(kClientWidth, kClientHeight);
    platform::setBackColor(*this, ui::toQColor(core::kLightBlueBackColor));

    makeLabel(QStringLiteral("lblsource"), QStringLiteral("Source Color Code:"), 16, 24);
    auto* hint =
        new QLabel(QStringLiteral("For example: 255-255-255 or #FFFFFF or 16777215"), this);
    hint->setObjectName(QStringLiteral("lblexample"));
    QFont hintFont = hint->font();
    hintFont.setItalic(true);
    hintFont.setPointSize(8);
    hint->setFont(hintFont);
    hint->move(48, 48);
    hint->adjustSize();
    makeLabel(QStringLiteral("lblcolor"), QStringLiteral("Color:"), 320, 88);
    makeLabel(QStringLiteral("lblr"), QStringLiteral("R:"), 72, 136);
    makeLabel(QStringLiteral("lblg"), QStringLiteral("G:"), 152, 136);
    makeLabel(QStringLiteral("lblb"), QStringLiteral("B:"), 232, 136);
    makeLabel(QStringLiteral("lblrgb"), QStringLiteral("RGB Color Code:"), 72, 160);
    makeLabel(QStringLiteral("lblhtml"), QStringLiteral("HTML Color Code:"), 72, 184);
    makeLabel(QStringLiteral("lblwebsafe"), QStringLiteral("Websafe Color Code:"), 72, 208);

    // created in keyboard focus order
    txtsource = makeField(QStringLiteral("txtsource"), 136, 24, 113);
    cmdconvert = makeButton(QStringLiteral("cmdconvert"), QStringLiteral("C&onvert"),
                            QRect(136, 88, 105, 33));
    txtrgb = makeField(QStringLiteral("txtrgb"), 184, 160, 113);
    txthtml = makeField(QStringLiteral("txthtml"), 184, 184, 113);
    txtwebsafe = makeField(QStringLiteral("txtwebsafe"), 184, 208, 113);
    cmdpickcolor = makeButton(QStringLiteral("cmdpickcolor"), QStringLiteral("&Pick Color"),
                              QRect(312, 24, 121, 17));
    cmdclose =
        makeButton(QStringLiteral("cmdclose"), QStringLiteral("&Close"), QRect(376, 224, 89, 25));
    txtr = makeField(QStringLiteral("txtr"), 96, 136, 33);
    txtg = makeField(QStringLiteral("txtg"), 176, 136, 33);
    txtb = makeField(QStringLiteral("txtb"), 256, 136, 33);
    const std::pair<QWidget*, const char*> accessible[] = {
        {txtsource, "Source Color Code"}, {txtrgb, "RGB Color Code"},
        {txthtml, "HTML Color Code"},     {txtwebsafe, "Websafe Color Code"},
        {txtr, "Red component"},          {txtg, "Green component"},
        {txtb, "Blue component"},         {cmdconvert, "Convert"},
        {cmdpickcolor, "Pick Color"},     {cmdclose, "Close"}};
    for (const auto& [field, name] : accessible)
        field->setAccessibleName(QString::fromLatin1(name));
    QWidget* const focusOrder[] = {txtsource,    cmdconvert, txtrgb, txthtml, txtwebsafe,
                                   cmdpickcolor, cmdclose,   txtr,   txtg,    txtb};
    for (size_t i = 0; i + 1 < std::size(focusOrder); ++i)
        setTabOrder(focusOrder[i], focusOrder[i + 1]);

    piccolor = new ui::Swatch(kInitialSwatchColor, ui::Swatch::NoColor::Shown, this);
    piccolor->setObjectName(QStringLiteral("piccolor"));
    piccolor->setGeometry(368, 80, 65, 33);
    piccolor->setAccessibleName(QStringLiteral("Converted color swatch"));

    cmdconvert->setDefault(true);
    connect(cmdconvert, &QPushButton::clicked, this, &ConvertWindow::cmdconvert_Click);
    connect(cmdpickcolor, &QPushButton::clicked, this, &ConvertWindow::cmdpickcolor_Click);
    connect(cmdclose, &QPushButton::clicked, this, &ConvertWindow::cmdclose_Click);
    txtsource->setFocus();
}

void ConvertWindow::makeLabel(const QString& name, const QString& text, int x, int y) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->move(x, y);
    label->adjustSize();
}

QLineEdit* ConvertWindow::makeField(const QString& name, int x, int y, int w) {
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setGeometry(x, y, w, 19);
    field->setTextMargins(0, 0, 0, 0);
    return field;
}

QPushButton* ConvertWindow::makeButton(const QString& name, const QString& text,
                                       const QRect& place) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setGeometry(place);
    // Enter on a focused button presses that button, anywhere else it converts
    button->setAutoDefault(true);
    return button;
}

void ConvertWindow::cmdconvert_Click() {
    ConverterFields f;
    f.txtsource = txtsource->text().toStdString();
    f.txtrgb = txtrgb->text().toStdString();
    f.txthtml = txthtml->text().toStdString();
    f.txtwebsafe = txtwebsafe->text().toStdString();
    f.txtr = txtr->text().toStdString();
    f.txtg = txtg->text().toStdString();
    f.txtb = txtb->text().toStdString();
    f.piccolor = piccolor->backColor();

    convertColorCode(f, &core::systemColor);

    setIfChanged(txtrgb, f.txtrgb);
    setIfChanged(txthtml, f.txthtml);
    setIfChanged(txtwebsafe, f.txtwebsafe);
    setIfChanged(txtr, f.txtr);
    setIfChanged(txtg, f.txtg);
    setIfChanged(txtb, f.txtb);
    piccolor->setBackColor(f.piccolor);
}

void ConvertWindow::cmdpickcolor_Click() {
    if (m_map) {
        ui::bringToFront(m_map);
        return;
    }
    SafeColorMap* map = new SafeColorMap(this);
    map->setAttribute(Qt::WA_DeleteOnClose);
    m_map = map;
    // the wait for the map is this continuation: the source is set and converted only after
    // the map has closed, and every window stays usable meanwhile
    connect(map, &SafeColorMap::closed, this,
            [this, map](bool picked) { pickerClosed(map, picked); });
    map->show();
    PickerOpen = true;
}

void ConvertWindow::pickerClosed(SafeColorMap* map, bool picked) {
    if (m_map != map)
        return;
    m_map = nullptr;
    if (!picked)
        return;
    txtsource->setText(PickedColorCode);
    cmdconvert_Click();
}

void ConvertWindow::cmdclose_Click() {
    close();
}

void ConvertWindow::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        mods == Qt::NoModifier) {
        cmdconvert->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ConvertWindow::closeEvent(QCloseEvent* event) {
    // the map only serves this window; it has nobody to hand a code to once this one is gone
    if (m_map)
        m_map->close();
    event->accept();
}

} // namespace tools
