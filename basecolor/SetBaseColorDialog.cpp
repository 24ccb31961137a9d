#include "SetBaseColorDialog.h"

#include "colorscience/ColorDifference.h"
#include "platform/ScreenColorPicker.h"
#include "ui/ColorConversion.h"
#include "ui/Swatch.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace basecolor {

namespace {

QString hexOf(core::ColorRGB c) {
    return QString::fromStdString(core::hexText(c));
}

} // namespace

SetBaseColorDialog::SetBaseColorDialog(QWidget* parent) : SetBaseColorDialog(nullptr, parent) {}

SetBaseColorDialog::SetBaseColorDialog(platform::ScreenColorPicker* picker, QWidget* parent)
    : QDialog(parent),
      m_picker(picker != nullptr ? picker : new platform::ScreenColorPicker(this)) {
    setObjectName(QStringLiteral("frmsetbase"));
    setWindowTitle(tr("Set Base Color"));

    auto* caption = new QLabel(tr("&Color:"), this);
    caption->setObjectName(QStringLiteral("lblbasecolor"));
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("txtbasecolor"));
    m_field->setAccessibleName(tr("Base color"));
    m_field->setPlaceholderText(QStringLiteral("#7A3FC8, oklch(55% 0.15 250), teal"));
    m_field->setMinimumWidth(260);
    caption->setBuddy(m_field);

    m_swatch = new ui::Swatch(core::rgbValue(0, 0, 0), ui::Swatch::NoColor::Refused, this);
    m_swatch->setObjectName(QStringLiteral("picbasecolor"));
    m_swatch->setFixedSize(56, 56);
    m_swatch->setAccessibleName(tr("Base color swatch"));

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("lblbasemessage"));
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("lblbaseinfo"));
    m_info->setTextFormat(Qt::PlainText);
    m_info->hide();

    m_pickButton = new QPushButton(tr("&Pick from Screen"), this);
    m_pickButton->setObjectName(QStringLiteral("cmdpickscreen"));
    m_pickButton->setAccessibleName(tr("Pick from Screen"));
    m_pickButton->setAutoDefault(false);
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdok"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdcancel"));
    cancel->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(caption, 0, 0);
    grid->addWidget(m_field, 0, 1);
    grid->addWidget(m_swatch, 0, 2, 2, 1, Qt::AlignTop);
    // the message and the nearest pixel's line share room for three lines, so the dialog
    // neither jumps as they come and go nor leaves a gap between them
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(m_message);
    texts->addWidget(m_info);
    texts->addStretch(1);
    grid->addLayout(texts, 1, 1);
    grid->setRowMinimumHeight(1, 3 * fontMetrics().lineSpacing() + 2);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pickButton);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_field, &QLineEdit::textChanged, this, &SetBaseColorDialog::readText);
    connect(m_ok, &QPushButton::clicked, this, &SetBaseColorDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pickButton, &QPushButton::clicked, this, &SetBaseColorDialog::startPick);
    connect(m_picker, &platform::ScreenColorPicker::colorPicked, this, [this](core::ColorRGB c) {
        endPick();
        m_pickMessage.clear();
        setText(hexOf(c));
    });
    connect(m_picker, &platform::ScreenColorPicker::cancelled, this, [this] {
        endPick();
        m_pickMessage.clear();
        showMessage();
    });
    connect(m_picker, &platform::ScreenColorPicker::failed, this, [this](const QString& why) {
        endPick();
        m_pickMessage = why;
        showMessage();
    });
    connect(m_picker, &platform::ScreenColorPicker::unavailable, this, [this](const QString& why) {
        endPick();
        m_pickButton->setEnabled(false);
        m_pickButton->setToolTip(why);
        m_pickMessage = tr("Pick from Screen is not available: %1").arg(why);
        showMessage();
    });
    if (!m_picker->isAvailable()) {
        m_pickButton->setEnabled(false);
        m_pickButton->setToolTip(m_picker->unavailableReason());
        m_pickMessage =
            tr("Pick from Screen is not available: %1").arg(m_picker->unavailableReason());
    }
    readText();
}

void SetBaseColorDialog::setText(const QString& text) {
    if (m_field->text() == text)
        readText(); // the same text again still gets a fresh info line
    else
        m_field->setText(text);
    m_field->selectAll();
    m_field->setFocus();
}

QString SetBaseColorDialog::text() const {
    return m_field->text();
}

void SetBaseColorDialog::setNearestWheelColor(
    std::function<core::ColorRGB(core::ColorRGB)> nearest) {
    m_nearest = std::move(nearest);
    // a wheel that lands on the colour itself has no nearest pixel to name
    if (!m_nearest)
        setInfoText(QString());
    readText();
}

void SetBaseColorDialog::setInfoText(const QString& text) {
    m_info->setText(text);
    m_info->setVisible(!text.isEmpty());
}

void SetBaseColorDialog::readText() {
    const QString text = m_field->text();
    const core::CssParseResult read = core::parseCssColor(text.toStdString());
    m_color.reset();
    if (text.trimmed().isEmpty()) {
        m_colorMessage = tr("Type a CSS color: #RRGGBB, rgb(), hsl(), hwb(), lab(), lch(), "
                            "oklab(), oklch() or a color name.");
    } else if (!read.color) {
        m_colorMessage = tr("Cannot read this color: %1.").arg(QString::fromStdString(read.error));
    } else {
        m_color = core::baseColorOf(*read.color);
        QStringList lines = {hexOf(m_color->rgb8) + QStringLiteral("   ") +
                             QString::fromStdString(core::oklchText(m_color->exact))};
        if (read.color->outOfGamut)
            lines << tr("Outside sRGB: gamut-mapped to %1.").arg(hexOf(m_color->rgb8));
        if (read.color->hadAlpha)
            lines << tr("The alpha value is ignored: a base color is opaque.");
        m_colorMessage = lines.join(QLatin1Char('\n'));
    }
    m_ok->setEnabled(m_color.has_value());
    if (m_color) {
        m_swatch->setBackColor(core::colorValue(m_color->rgb8));
        m_swatch->setToolTip(hexOf(m_color->rgb8));
    } else {
        // an unreadable text shows no colour: the swatch takes the dialog's own background
        m_swatch->setBackColor(ui::fromQColor(palette().color(QPalette::Window)));
        m_swatch->setToolTip(QString());
    }
    if (m_nearest && m_color) {
        const core::ColorRGB pixel = m_nearest(m_color->rgb8);
        const double distance = colorscience::colorDifference(m_color->rgb8, pixel);
        setInfoText(tr("The nearest wheel pixel is %1, ΔE2000 = %2.")
                        .arg(hexOf(pixel))
                        .arg(distance, 0, 'f', 2));
    } else if (m_nearest) {
        setInfoText(QString());
    }
    showMessage();
    if (m_color)
        emit colorEdited(m_color->rgb8, m_color->exact);
}

void SetBaseColorDialog::showMessage() {
    QString text = m_colorMessage;
    if (!m_pickMessage.isEmpty())
        text += QLatin1Char('\n') + m_pickMessage;
    m_message->setText(text);
}

void SetBaseColorDialog::startPick() {
    if (m_picker->isPicking())
        return;
    m_pickMessage.clear();
    showMessage();
    // out of the way of the colour under it; a modal dialog must stay, as hiding would end it
    if (!isModal() && isVisible()) {
        m_hiddenForPick = true;
        hide();
        // give the window system time to take the dialog off the screen before it is read
        QTimer::singleShot(200, m_picker, &platform::ScreenColorPicker::pick);
        return;
    }
    m_picker->pick();
}

void SetBaseColorDialog::endPick() {
    if (!m_hiddenForPick)
        return;
    m_hiddenForPick = false;
    show();
    raise();
    activateWindow();
}

void SetBaseColorDialog::accept() {
    if (!m_color)
        return;
    emit baseColorChosen(m_color->rgb8, m_color->exact);
    QDialog::accept();
}

} // namespace basecolor
