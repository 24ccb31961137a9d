#include "MainWindow.h"

#include "ClickLineEdit.h"
#include "WheelSurface.h"
#include "core/DesignColors.h"
#include "core/Numeric.h"
#include "core/SchemeRules.h"
#include "core/SystemColors.h"
#include "core/Wheel.h"
#include "document/PictureReading.h"
#include "platform/Desktop.h"
#include "ui/ColorConversion.h"
#include "ui/CopyAsMenu.h"
#include "ui/Swatch.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace mainwindow {

namespace {

constexpr int kClientWidth = 792;
constexpr int kClientHeight = 552;

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmchromalune"));
    setAcceptDrops(true);
    setWindowTitle(QStringLiteral("ChromaLune"));
    setFixedSize(kClientWidth, kClientHeight);
    platform::setBackColor(*this, ui::toQColor(core::kWindowBackColor));

    // the wheel's frame lies just outside its 260 x 260 drawing area
    auto* wheelFrame = new QFrame(this);
    wheelFrame->setObjectName(QStringLiteral("wheelframe"));
    wheelFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    wheelFrame->setLineWidth(2);
    wheelFrame->setGeometry(6, 102, 264, 264);
    m_wheel = new WheelSurface(this);
    m_wheel->move(8, 104);
    connect(m_wheel, &WheelSurface::pointerMoved, &m_model,
            [this](Qt::MouseButtons, Qt::KeyboardModifiers, float x, float y) {
                m_model.trackPointer(x, y);
            });
    connect(m_wheel, &WheelSurface::pointerPressed, &m_model, [this] {
        m_history.record([this] { m_model.toggleFreeze(); },
                         [this] {
                             return m_model.isFrozen() ? "Freeze at " + swatchCode(2)
                                                       : QStringLiteral("Release");
                         });
    });
    connect(&m_model, &scheme::SchemeModel::changed, this, &MainWindow::schemeChanged);
    connect(&m_history.document(), &document::Document::changed, this, &MainWindow::showDocument);
    m_pictures = new document::PictureReading(this);
    connect(m_pictures, &document::PictureReading::read, this, &MainWindow::showReadPicture);
    connect(m_pictures, &document::PictureReading::busy, this, [](bool on) {
        if (on)
            QApplication::setOverrideCursor(Qt::BusyCursor);
        else
            QApplication::restoreOverrideCursor();
    });

    buildSchemeFrame();
    buildLightnessSlider();
    buildSwatchPanel();
    attachCopyAs();
    showWheel();

    setupPreview();
    setupHtml();
    setupMenus();
    orderKeyboardFocus();
}

void MainWindow::orderKeyboardFocus() {
    // left to right, top to bottom, as the controls stand on screen; the wheel, the first
    // thing a user works with, comes after the scheme choice that governs it
    QList<QWidget*> order = {m_followPreview,
                             m_styleList,
                             m_scrollbarHtmlButton,
                             m_linksHtmlButton,
                             m_links2HtmlButton,
                             m_tableHtmlButton,
                             m_ruleOptions[4],
                             m_ruleOptions[0],
                             m_ruleOptions[1],
                             m_ruleOptions[2],
                             m_ruleOptions[3],
                             m_lightnessSlider,
                             m_wheel};
    for (size_t i = 0; i < 3; ++i)
        order << m_redFields[i] << m_greenFields[i] << m_blueFields[i];
    for (size_t i = 0; i < 3; ++i)
        order << m_decimalFields[i] << m_webSafeFields[i];
    for (size_t i = 0; i < 3; ++i)
        order << m_htmlFields[i];
    order.removeAll(nullptr);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

MainWindow::~MainWindow() = default;

QLabel* MainWindow::makeLabel(const QString& name, const QString& text, int x, int y,
                              QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(x, y);
    label->adjustSize();
    return label;
}

ClickLineEdit* MainWindow::makeCodeField(int k, scheme::Field role, const QString& name, int x,
                                         int y, int w, QWidget* parent) {
    auto* field = new ClickLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(x, y, w, 19);
    field->setTextMargins(0, 0, 0, 0);
    if (w > 25) {
        // a seven-character code of the widest digits ("#CCCCCC") must show whole in 57 pixels
        QFont codeFont = field->font();
        codeFont.setPixelSize(10);
        field->setFont(codeFont);
    }
    // copy on click: the field's text as it stands, typed or generated
    connect(field, &ClickLineEdit::clicked, this,
            [field] { platform::setClipboardText(field->text()); });
    // what the user types is the column's text until the scheme writes it again
    connect(field, &QLineEdit::textEdited, this,
            [this, k, role](const QString& text) { m_model.setText(k, role, text.toStdString()); });
    return field;
}

void MainWindow::buildSchemeFrame() {
    m_schemeFrame = new QFrame(this);
    m_schemeFrame->setObjectName(QStringLiteral("Frame1"));
    m_schemeFrame->setGeometry(664, 120, 145, 161);
    m_schemeFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* caption = new QLabel(QStringLiteral("Color Sheme"), this);
    caption->setObjectName(QStringLiteral("Frame1_caption"));
    caption->setAutoFillBackground(true);
    caption->move(672, 113);
    caption->adjustSize();
    m_ruleOptionsPanel = new QWidget(m_schemeFrame);
    m_ruleOptionsPanel->setObjectName(QStringLiteral("Picture4"));
    m_ruleOptionsPanel->setGeometry(8, 16, 129, 129);
    // the frame runs past the window's right edge, so the longest caption needs a
    // slightly smaller face to stay whole
    QFont optionFont = m_ruleOptionsPanel->font();
    optionFont.setPixelSize(10);
    m_ruleOptionsPanel->setFont(optionFont);

    struct Option {
        int index;
        int top;
        int height;
    };
    // drawn top to bottom in this order; the index, not the place, picks the rule
    static const Option kOptions[] = {
        {4, 8, 17}, {0, 24, 25}, {1, 48, 25}, {2, 72, 25}, {3, 96, 17}};
    m_ruleGroup = new QButtonGroup(this);
    for (const Option& o : kOptions) {
        const char* name = core::kSchemeRules[static_cast<size_t>(o.index)].caption;
        auto* option = new QRadioButton(QString::fromLatin1(name), m_ruleOptionsPanel);
        option->setObjectName(QStringLiteral("chktype[%1]").arg(o.index));
        option->setGeometry(0, o.top, 129, o.height);
        m_ruleGroup->addButton(option, o.index);
        m_ruleOptions[static_cast<size_t>(o.index)] = option;
    }
    m_ruleOptions[static_cast<size_t>(m_model.rule())]->setChecked(true);
    connect(m_ruleGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            m_history.record([this, id] { m_model.setRule(*core::schemeTypeFromIndex(id)); },
                             [this, id] { return "Rule: " + m_ruleOptions[size_t(id)]->text(); });
    });
}

void MainWindow::buildLightnessSlider() {
    // in the free area under the scheme options, shown only with the perceptual wheel
    m_lightnessLabel = new QLabel(this);
    m_lightnessLabel->setObjectName(QStringLiteral("lblLightness"));
    m_lightnessLabel->setGeometry(668, 292, 118, 17);
    m_lightnessSlider = new QSlider(Qt::Horizontal, this);
    m_lightnessSlider->setObjectName(QStringLiteral("sldlightness"));
    m_lightnessSlider->setGeometry(666, 312, 120, 22);
    // tenths of a percent: the arrow keys step 0.1 %, Page Up and Down 5 %
    m_lightnessSlider->setRange(0, 1000);
    m_lightnessSlider->setSingleStep(1);
    m_lightnessSlider->setPageStep(50);
    m_lightnessSlider->setFocusPolicy(Qt::StrongFocus);
    m_lightnessSlider->setAccessibleName(QStringLiteral("Lightness"));
    m_lightnessSlider->setValue(static_cast<int>(std::lround(m_model.lightness() * 1000)));
    m_lightnessLabel->setBuddy(m_lightnessSlider);
    const auto showValue = [this](int value) {
        const QString text = QStringLiteral("L %1 %").arg(value / 10.0, 0, 'f', 1);
        m_lightnessLabel->setText(text);
        m_lightnessSlider->setAccessibleDescription(text);
    };
    showValue(m_lightnessSlider->value());
    connect(m_lightnessSlider, &QSlider::valueChanged, this, [this, showValue](int value) {
        showValue(value);
        // the model's own lightness (a typed base's) must not be rounded to the slider's step
        if (static_cast<int>(std::lround(m_model.lightness() * 1000)) != value)
            m_history.record(
                [this, value] { m_model.setLightness(value / 1000.0); },
                [value] { return QStringLiteral("Lightness %1 %").arg(value / 10.0, 0, 'f', 1); },
                history::Merge::Lightness);
    });
}

void MainWindow::attachCopyAs() {
    for (size_t i = 0; i < 3; ++i) {
        const int k = static_cast<int>(i) + 1;
        const auto colorOf = [this, k] { return core::splitColor(m_model.swatchColor(k)); };
        const auto exactOf = [this, k] { return m_model.exactColor(k); };
        ui::attachCopyAsMenu(m_swatches[i], colorOf, exactOf);
        for (ClickLineEdit* field : {m_redFields[i], m_greenFields[i], m_blueFields[i],
                                     m_decimalFields[i], m_htmlFields[i], m_webSafeFields[i]})
            ui::attachCopyAsMenu(field, colorOf, exactOf);
    }
}

void MainWindow::showWheel() {
    const bool perceptual = m_model.isPerceptual();
    if (perceptual) {
        const core::PerceptualDisc& disc = m_model.disc();
        m_wheel->setPixels(disc.pixels(), disc.size());
    } else {
        m_wheel->setRaster(m_model.raster());
    }
    const int value = static_cast<int>(std::lround(m_model.lightness() * 1000));
    if (m_lightnessSlider->value() != value)
        m_lightnessSlider->setValue(value);
    m_lightnessSlider->setVisible(perceptual);
    m_lightnessLabel->setVisible(perceptual);
}

void MainWindow::buildSwatchPanel() {
    static const int kSwatchLeft[] = {112, 352, 640};
    static const int kCaptionLeft[] = {120, 360, 648};
    static const char* const kCaptions[] = {"Color 1", "Color2", "Color 3"};
    static const int kFrameLeft[] = {48, 296, 584};
    static const int kLabelLeft[] = {16, 272, 552};
    static const int kCodeLeft[] = {48, 304, 584};
    static const int kWebsafeLabelLeft[] = {120, 368, 648};
    static const int kWebsafeLeft[] = {168, 416, 696};

    for (int i = 0; i < 3; ++i) {
        const int k = i + 1;
        // a swatch starts with the model's colour (the title-bar text colour before the first
        // pick) and keeps its colour when handed none
        auto* sw = new ui::Swatch(m_model.swatchColor(k), ui::Swatch::NoColor::Refused, this);
        sw->setObjectName(QStringLiteral("Picture%1").arg(k));
        sw->setGeometry(kSwatchLeft[i], 376, 57, 33);
        sw->setAccessibleName(QStringLiteral("Color %1 swatch").arg(k));
        m_swatches[static_cast<size_t>(i)] = sw;
        makeLabel(QStringLiteral("Label8[%1]").arg(i), QString::fromLatin1(kCaptions[i]),
                  kCaptionLeft[i], 410, this);

        auto* frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("frmc[%1]").arg(i));
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        frame->setGeometry(kFrameLeft[i], 424, 161, 49);
        static const char* const kComponents[] = {"R:", "G:", "B:"};
        std::array<ClickLineEdit*, 3>* arrays[] = {&m_redFields, &m_greenFields, &m_blueFields};
        static const char* const kNames[] = {"txtrc", "txtgc", "txtbc"};
        static const char* const kWords[] = {"red", "green", "blue"};
        static const scheme::Field kRoles[] = {scheme::Field::Red, scheme::Field::Green,
                                               scheme::Field::Blue};
        for (int c = 0; c < 3; ++c) {
            makeLabel(QStringLiteral("Label10[%1]").arg(3 * i + c),
                      QString::fromLatin1(kComponents[c]), 8 + 48 * c, 18, frame);
            ClickLineEdit* field =
                makeCodeField(k, kRoles[c], QStringLiteral("%1[%2]").arg(kNames[c]).arg(i),
                              24 + 48 * c, 16, 25, frame);
            field->setAccessibleName(QStringLiteral("Color %1 %2").arg(k).arg(kWords[c]));
            (*arrays[c])[static_cast<size_t>(i)] = field;
        }

        makeLabel(QStringLiteral("Label7[%1]").arg(i), QStringLiteral("RGB:"), kLabelLeft[i], 482,
                  this);
        const size_t j = static_cast<size_t>(i);
        m_decimalFields[j] =
            makeCodeField(k, scheme::Field::Decimal, QStringLiteral("txtrgb%1").arg(k),
                          kCodeLeft[i], 480, 57, this);
        m_decimalFields[j]->setAccessibleName(QStringLiteral("Color %1 decimal code").arg(k));
        makeLabel(QStringLiteral("Label11[%1]").arg(i), QStringLiteral("Websafe"),
                  kWebsafeLabelLeft[i], 482, this);
        m_webSafeFields[j] =
            makeCodeField(k, scheme::Field::WebSafe, QStringLiteral("txtwebsafe%1").arg(k),
                          kWebsafeLeft[i], 480, 57, this);
        m_webSafeFields[j]->setAccessibleName(QStringLiteral("Color %1 web-safe code").arg(k));
        makeLabel(QStringLiteral("Label9[%1]").arg(i), QStringLiteral("HTML"), kLabelLeft[i], 514,
                  this);
        m_htmlFields[j] = makeCodeField(k, scheme::Field::Html, QStringLiteral("txthtml%1").arg(k),
                                        kCodeLeft[i], 512, 57, this);
        m_htmlFields[j]->setAccessibleName(QStringLiteral("Color %1 HTML code").arg(k));
    }
}

void MainWindow::showScheme() {
    for (size_t i = 0; i < 3; ++i) {
        const int k = static_cast<int>(i) + 1;
        m_swatches[i]->setBackColor(m_model.swatchColor(k));
        const core::ColumnTexts& t = m_model.texts(k);
        m_decimalFields[i]->setText(fromStd(t.decimal));
        m_htmlFields[i]->setText(fromStd(t.html));
        m_webSafeFields[i]->setText(fromStd(t.webSafe));
        m_redFields[i]->setText(fromStd(t.red));
        m_greenFields[i]->setText(fromStd(t.green));
        m_blueFields[i]->setText(fromStd(t.blue));
        m_wheel->setLine(k, m_model.line(k));
    }
}

void MainWindow::schemeChanged(scheme::Change what) {
    // the preview and the accessibility check follow the model themselves
    switch (what) {
    case scheme::Change::PointerMove:
    case scheme::Change::Rule:
    case scheme::Change::Swatch:
        showScheme();
        break;
    case scheme::Change::PreviewStyle:
        showStyleButton(m_model.previewStyle());
        showScheme();
        break;
    case scheme::Change::Click:
    case scheme::Change::Roles:
        break;
    case scheme::Change::Raster:
        showWheel();
        showSetBaseWheel();
        break;
    case scheme::Change::Lightness:
        showWheel();
        showScheme();
        break;
    case scheme::Change::Base:
        // the keys go on from the chosen colour, not from where the pointer last was
        m_wheel->followPointer(QPointF(m_model.pointerX(), m_model.pointerY()));
        showWheel();
        showScheme();
        break;
    case scheme::Change::Restore:
        showChoices();
        m_wheel->followPointer(QPointF(m_model.pointerX(), m_model.pointerY()));
        showStyleButton(m_model.previewStyle());
        showWheel();
        showSetBaseWheel();
        showScheme();
        break;
    }
}

void MainWindow::showChoices() {
    // shown, not chosen again: a choice would run the rule and change what is restored
    const QSignalBlocker rules(m_ruleGroup);
    const QSignalBlocker follow(m_followPreview);
    m_ruleOptions[static_cast<size_t>(m_model.rule())]->setChecked(true);
    m_followPreview->setChecked(m_model.followsPreview());
    if (m_model.previewStyle() >= 0)
        m_styleList->setCurrentIndex(m_model.previewStyle());
    const scheme::WheelRaster wheel = m_model.wheelRaster();
    m_webSafeWheelAction->setChecked(wheel == scheme::WheelRaster::WebSafe);
    m_perceptualWheelAction->setChecked(wheel == scheme::WheelRaster::Perceptual);
    m_defaultWheelAction->setChecked(wheel == scheme::WheelRaster::Default ||
                                     wheel == scheme::WheelRaster::Start);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    closeOtherWindows();
    event->accept();
}

QString MainWindow::swatchCode(int k) const {
    return QString::fromStdString(core::htmlCode(m_model.swatchColor(k)));
}

} // namespace mainwindow
