#include "MainWindow.h"

#include "ClickLineEdit.h"
#include "Swatch.h"
#include "WheelSurface.h"
#include "core/Numeric.h"
#include "core/Wheel.h"
#include "platform/Desktop.h"
#include "platform/SystemColors.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QColor kWindowBackground(228, 234, 254);
constexpr int kClientWidth = 792;
constexpr int kClientHeight = 552;

/// The swatch panel's three slots as the scheme engine sees them.
class PanelSlots : public core::SchemeSlots {
public:
    explicit PanelSlots(MainWindow& w) : m_w(w) {}
    void setSwatchColor(int k, core::Color v) override { m_w.swatch(k)->setBackColor(v); }
    void setDecimalText(int k, const std::string& text) override {
        m_w.decimalField(k)->setText(QString::fromStdString(text));
    }
    void setHtmlText(int k, const std::string& text) override {
        m_w.htmlField(k)->setText(QString::fromStdString(text));
    }

private:
    MainWindow& m_w;
};

} // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    // Form_Initialize
    platform::InitCommonControls();

    setObjectName(QStringLiteral("frmchromalune"));
    setWindowTitle(QStringLiteral("ChromaLune"));
    setFixedSize(kClientWidth, kClientHeight);
    platform::setBackColor(*this, kWindowBackground);

    rasterDefault = core::GenerateWheel();
    rasterStart = core::makeStartRaster(rasterDefault);
    rasterWebsafe = core::makeWebSafeRaster();

    // the wheel's frame lies just outside its 260 x 260 drawing area
    auto* wheelFrame = new QFrame(this);
    wheelFrame->setObjectName(QStringLiteral("wheelframe"));
    wheelFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    wheelFrame->setLineWidth(2);
    wheelFrame->setGeometry(6, 102, 264, 264);
    wheel = new WheelSurface(this);
    wheel->move(8, 104);
    wheel->setRaster(rasterStart);
    connect(wheel, &WheelSurface::pointerMoved, this, &MainWindow::wheel_MouseMove);
    connect(wheel, &WheelSurface::pointerPressed, this, &MainWindow::wheel_MouseDown);

    buildSchemeFrame();
    buildSwatchPanel();

    // Form_Load
    platform::DwmEnableComposition(0);
    wheel_half_width = static_cast<int16_t>(core::roundHalfEven(wheel->width() / 2.0));
    wheel_half_height = static_cast<float>(core::roundHalfEven(wheel->height() / 2.0));
    wheel_x = 0;
    wheel_y = 0;
    setupPreview();
    setupHtml();
    setupMenus();
    orderKeyboardFocus();
}

void MainWindow::orderKeyboardFocus() {
    // left to right, top to bottom, as the controls stand on screen; the wheel, the first
    // thing a user works with, comes after the scheme choice that governs it
    QList<QWidget*> order = {chkpreview,       cmbpreview,   cmdgensbhtml, cmdgenlinkshtml,
                             cmdgenlinks2html, gentablehtml, chktype[4],   chktype[0],
                             chktype[1],       chktype[2],   chktype[3],   wheel};
    for (size_t i = 0; i < 3; ++i)
        order << txtrc[i] << txtgc[i] << txtbc[i];
    for (int k = 1; k <= 3; ++k)
        order << decimalField(k) << webSafeField(k);
    for (int k = 1; k <= 3; ++k)
        order << htmlField(k);
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

ClickLineEdit* MainWindow::makeCodeField(const QString& name, int x, int y, int w,
                                         QWidget* parent) {
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
    return field;
}

void MainWindow::buildSchemeFrame() {
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(664, 120, 145, 161);
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* caption = new QLabel(QStringLiteral("Color Sheme"), this);
    caption->setObjectName(QStringLiteral("Frame1_caption"));
    caption->setAutoFillBackground(true);
    caption->move(672, 113);
    caption->adjustSize();
    Picture4 = new QWidget(Frame1);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    Picture4->setGeometry(8, 16, 129, 129);
    // the frame runs past the window's right edge, so the longest caption needs a
    // slightly smaller face to stay whole
    QFont optionFont = Picture4->font();
    optionFont.setPixelSize(10);
    Picture4->setFont(optionFont);

    struct Option {
        int index;
        const char* caption;
        int top;
        int height;
    };
    // drawn top to bottom in this order; the index, not the place, picks the rule
    static const Option kOptions[] = {{4, "Monochromatic", 8, 17},
                                      {0, "Complementary", 24, 25},
                                      {1, "Analogous", 48, 25},
                                      {2, "Split Complementary", 72, 25},
                                      {3, "Triad", 96, 17}};
    chktypeGroup = new QButtonGroup(this);
    for (const Option& o : kOptions) {
        auto* option = new QRadioButton(QString::fromLatin1(o.caption), Picture4);
        option->setObjectName(QStringLiteral("chktype[%1]").arg(o.index));
        option->setGeometry(0, o.top, 129, o.height);
        chktypeGroup->addButton(option, o.index);
        chktype[static_cast<size_t>(o.index)] = option;
    }
    chktype[1]->setChecked(true);
    connect(chktypeGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            chktype_Click(id);
    });
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

    Swatch** swatches[] = {&Picture1, &Picture2, &Picture3};
    ClickLineEdit** decimal[] = {&txtrgb1, &txtrgb2, &txtrgb3};
    ClickLineEdit** html[] = {&txthtml1, &txthtml2, &txthtml3};
    ClickLineEdit** websafe[] = {&txtwebsafe1, &txtwebsafe2, &txtwebsafe3};

    for (int i = 0; i < 3; ++i) {
        const int k = i + 1;
        auto* sw = new Swatch(this);
        sw->setObjectName(QStringLiteral("Picture%1").arg(k));
        sw->setGeometry(kSwatchLeft[i], 376, 57, 33);
        sw->setAccessibleName(QStringLiteral("Color %1 swatch").arg(k));
        *swatches[i] = sw;
        makeLabel(QStringLiteral("Label8[%1]").arg(i), QString::fromLatin1(kCaptions[i]),
                  kCaptionLeft[i], 410, this);

        auto* frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("frmc[%1]").arg(i));
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        frame->setGeometry(kFrameLeft[i], 424, 161, 49);
        static const char* const kComponents[] = {"R:", "G:", "B:"};
        std::array<ClickLineEdit*, 3>* arrays[] = {&txtrc, &txtgc, &txtbc};
        static const char* const kNames[] = {"txtrc", "txtgc", "txtbc"};
        static const char* const kWords[] = {"red", "green", "blue"};
        for (int c = 0; c < 3; ++c) {
            makeLabel(QStringLiteral("Label10[%1]").arg(3 * i + c),
                      QString::fromLatin1(kComponents[c]), 8 + 48 * c, 18, frame);
            ClickLineEdit* field = makeCodeField(QStringLiteral("%1[%2]").arg(kNames[c]).arg(i),
                                                 24 + 48 * c, 16, 25, frame);
            field->setAccessibleName(QStringLiteral("Color %1 %2").arg(k).arg(kWords[c]));
            (*arrays[c])[static_cast<size_t>(i)] = field;
        }

        makeLabel(QStringLiteral("Label7[%1]").arg(i), QStringLiteral("RGB:"), kLabelLeft[i], 482,
                  this);
        *decimal[i] = makeCodeField(QStringLiteral("txtrgb%1").arg(k), kCodeLeft[i], 480, 57, this);
        (*decimal[i])->setAccessibleName(QStringLiteral("Color %1 decimal code").arg(k));
        makeLabel(QStringLiteral("Label11[%1]").arg(i), QStringLiteral("Websafe"),
                  kWebsafeLabelLeft[i], 482, this);
        *websafe[i] =
            makeCodeField(QStringLiteral("txtwebsafe%1").arg(k), kWebsafeLeft[i], 480, 57, this);
        (*websafe[i])->setAccessibleName(QStringLiteral("Color %1 web-safe code").arg(k));
        makeLabel(QStringLiteral("Label9[%1]").arg(i), QStringLiteral("HTML"), kLabelLeft[i], 514,
                  this);
        *html[i] = makeCodeField(QStringLiteral("txthtml%1").arg(k), kCodeLeft[i], 512, 57, this);
        (*html[i])->setAccessibleName(QStringLiteral("Color %1 HTML code").arg(k));
    }
}

Swatch* MainWindow::swatch(int k) const {
    return k == 1 ? Picture1 : k == 2 ? Picture2 : Picture3;
}
ClickLineEdit* MainWindow::decimalField(int k) const {
    return k == 1 ? txtrgb1 : k == 2 ? txtrgb2 : txtrgb3;
}
ClickLineEdit* MainWindow::htmlField(int k) const {
    return k == 1 ? txthtml1 : k == 2 ? txthtml2 : txthtml3;
}
ClickLineEdit* MainWindow::webSafeField(int k) const {
    return k == 1 ? txtwebsafe1 : k == 2 ? txtwebsafe2 : txtwebsafe3;
}

core::WheelGeometry MainWindow::wheelGeometry() const {
    // the largest radius is read from the wheel afresh at every run
    return {wheel_half_width, wheel_half_height, static_cast<float>(wheel->width()) / 2.0f};
}

int MainWindow::selectedSchemeIndex() const {
    for (size_t i = 0; i < chktype.size(); ++i) {
        if (chktype[i]->isChecked())
            return static_cast<int>(i);
    }
    return 1;
}

void MainWindow::apply_scheme(float x, float y) {
    PanelSlots panel(*this);
    const auto type = core::schemeTypeFromIndex(selectedSchemeIndex());
    core::runScheme(*type, x, y, wheelGeometry(), *wheel, panel, *wheel);
}

void MainWindow::refreshSwatchCodes() {
    core::ColorRGB* colors[] = {&color1, &color2, &color3};
    for (int k = 1; k <= 3; ++k)
        *colors[k - 1] = core::SplitColor(swatch(k)->backColor());
    for (int k = 1; k <= 3; ++k) {
        const core::Color safe = core::WebSafeColor(swatch(k)->backColor(), &platform::GetSysColor);
        webSafeField(k)->setText(QString::fromStdString(core::HtmlCode(safe)));
    }
    for (size_t i = 0; i < 3; ++i)
        txtrc[i]->setText(QString::number(colors[i]->r));
    for (size_t i = 0; i < 3; ++i)
        txtgc[i]->setText(QString::number(colors[i]->g));
    for (size_t i = 0; i < 3; ++i)
        txtbc[i]->setText(QString::number(colors[i]->b));
}

void MainWindow::wheel_MouseMove(int /*Button*/, int /*Shift*/, float X, float Y) {
    if (wheel_locked)
        return;
    wheel_x = X;
    wheel_y = Y;
    const core::Color c = wheel->GetPixel(core::pixelCoordinate(X), core::pixelCoordinate(Y));
    if (c == core::kNoColor)
        return;
    Picture1->setBackColor(c);
    apply_scheme(X, Y);
    refreshSwatchCodes();
    if (chkpreview != nullptr && chkpreview->isChecked())
        show_preview();
}

void MainWindow::wheel_MouseDown(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {
    wheel_locked = !wheel_locked;
    show_preview();
}

void MainWindow::chktype_Click(int /*Index*/) {
    apply_scheme(wheel_x, wheel_y);
    // keep every notation of a column describing the same colour after a re-run
    refreshSwatchCodes();
    show_preview();
}

void MainWindow::setWheelRaster(const core::Raster& raster) {
    wheel->setRaster(raster);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
}
