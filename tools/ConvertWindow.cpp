#include "ConvertWindow.h"

#include "ColorConverter.h"
#include "SafeColorMap.h"
#include "core/SystemColors.h"
#include "ui/Swatch.h"
#include "ui/WindowHelpers.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tools {

namespace {

void setIfChanged(QLineEdit* field, const std::string& text) {
    const QString value = QString::fromStdString(text);
    // rewriting an unchanged field would move its cursor and drop its undo history
    if (field->text() != value)
        field->setText(value);
}

} // namespace

ConvertWindow::ConvertWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    ui::setUpWindow(this, QStringLiteral("convert"), QStringLiteral("Convert Color Codes"),
                    QSize(485, 270), ui::lightBlueColor());

    const auto label = [this](const char* name, const char* text, int x, int y) {
        ui::makeLabel(this, QString::fromLatin1(name), QString::fromLatin1(text), QPoint(x, y));
    };
    label("lblsource", "Source Color Code:", 16, 24);
    QLabel* hint = ui::makeLabel(this, QStringLiteral("lblexample"),
                                 QStringLiteral("For example: 255-255-255 or #FFFFFF or 16777215"),
                                 QPoint(48, 48));
    QFont hintFont = hint->font();
    hintFont.setItalic(true);
    hint->setFont(hintFont);
    hint->adjustSize();
    label("lblcolor", "Color:", 320, 88);
    label("lblr", "R:", 72, 136);
    label("lblg", "G:", 152, 136);
    label("lblb", "B:", 232, 136);
    label("lblrgb", "RGB Color Code:", 72, 160);
    label("lblhtml", "HTML Color Code:", 72, 184);
    label("lblwebsafe", "Websafe Color Code:", 72, 208);

    const auto field = [this](const char* name, const char* spoken, int x, int y, int w) {
        QLineEdit* made = ui::makeField(this, QString::fromLatin1(name), QRect(x, y, w, 19));
        made->setAccessibleName(QString::fromLatin1(spoken));
        return made;
    };
    const auto button = [this](const char* name, const char* caption, const QRect& place) {
        QPushButton* made =
            ui::makeButton(this, QString::fromLatin1(name), QString::fromLatin1(caption), place);
        // Enter on a focused button presses that button, anywhere else it converts
        made->setAutoDefault(true);
        return made;
    };
    // created in keyboard focus order
    m_sourceField = field("txtsource", "Source Color Code", 136, 24, 113);
    m_convertButton = button("cmdconvert", "C&onvert", QRect(136, 88, 105, 33));
    m_decimalField = field("txtrgb", "RGB Color Code", 184, 160, 113);
    m_htmlField = field("txthtml", "HTML Color Code", 184, 184, 113);
    m_webSafeField = field("txtwebsafe", "Websafe Color Code", 184, 208, 113);
    QPushButton* pickButton = button("cmdpickcolor", "&Pick Color", QRect(312, 24, 121, 17));
    QPushButton* closeButton = button("cmdclose", "&Close", QRect(376, 224, 89, 25));
    m_redField = field("txtr", "Red component", 96, 136, 33);
    m_greenField = field("txtg", "Green component", 176, 136, 33);
    m_blueField = field("txtb", "Blue component", 256, 136, 33);

    m_swatch = new ui::Swatch(kInitialSwatchColor, ui::Swatch::NoColor::Shown, this);
    m_swatch->setObjectName(QStringLiteral("piccolor"));
    m_swatch->setGeometry(368, 80, 65, 33);
    m_swatch->setAccessibleName(QStringLiteral("Converted color swatch"));

    m_convertButton->setDefault(true);
    connect(m_convertButton, &QPushButton::clicked, this, &ConvertWindow::convert);
    connect(pickButton, &QPushButton::clicked, this, &ConvertWindow::pickColor);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    m_sourceField->setFocus();
}

void ConvertWindow::convert() {
    ConverterFields f;
    f.source = m_sourceField->text().toStdString();
    f.decimal = m_decimalField->text().toStdString();
    f.html = m_htmlField->text().toStdString();
    f.webSafe = m_webSafeField->text().toStdString();
    f.red = m_redField->text().toStdString();
    f.green = m_greenField->text().toStdString();
    f.blue = m_blueField->text().toStdString();
    f.swatch = m_swatch->backColor();

    convertColorCode(f, &core::systemColor);

    setIfChanged(m_decimalField, f.decimal);
    setIfChanged(m_htmlField, f.html);
    setIfChanged(m_webSafeField, f.webSafe);
    setIfChanged(m_redField, f.red);
    setIfChanged(m_greenField, f.green);
    setIfChanged(m_blueField, f.blue);
    m_swatch->setBackColor(f.swatch);
}

void ConvertWindow::pickColor() {
    // a map that is closing hands its code over first; the next press opens a fresh one
    if (!m_map || !m_map->isVisible()) {
        m_map = new SafeColorMap(this);
        m_map->setAttribute(Qt::WA_DeleteOnClose);
        // the wait for the map is this connection: the source is set and converted only after
        // the map has closed, and every window stays usable meanwhile
        connect(m_map, &SafeColorMap::colorPicked, this, &ConvertWindow::convertPicked);
    }
    ui::bringToFront(m_map);
}

void ConvertWindow::convertPicked(const QString& code) {
    m_sourceField->setText(code);
    convert();
}

void ConvertWindow::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        mods == Qt::NoModifier) {
        m_convertButton->click();
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
