#include "SchemeModel.h"

#include "core/Numeric.h"
#include "core/SystemColors.h"
#include "core/Wheel.h"

#include <QString>

#include <algorithm>
#include <climits>

namespace scheme {

SchemeModel::SchemeModel(QObject* parent)
    : QObject(parent), m_default(core::makeDefaultRaster()), m_webSafe(core::makeWebSafeRaster()),
      m_start(core::makeStartRaster(m_default)) {
    // before the first pick every swatch shows the title-bar text colour
    m_now.state.swatch.fill(core::SwatchValue::system(core::kSystemCaptionText));
}

const core::Raster& SchemeModel::raster(WheelRaster kind) const {
    switch (kind) {
    case WheelRaster::Default:
        return m_default;
    case WheelRaster::WebSafe:
        return m_webSafe;
    case WheelRaster::Perceptual:
        return m_default;
    case WheelRaster::Start:
        break;
    }
    return m_start;
}

const core::Raster& SchemeModel::raster() const {
    return raster(m_now.raster);
}

core::WheelGeometry SchemeModel::geometry() {
    const double half = core::kWheelSurfaceSize / 2.0;
    return {static_cast<int16_t>(core::roundHalfEven(half)),
            static_cast<float>(core::roundHalfEven(half)), static_cast<float>(half)};
}

core::Color SchemeModel::swatchColor(int k) const {
    return core::displayedColor(swatchValue(k));
}

std::array<core::Color, 3> SchemeModel::swatchColors() const {
    return {swatchColor(1), swatchColor(2), swatchColor(3)};
}

size_t SchemeModel::colorCount(core::SchemeType rule) {
    return rule == core::SchemeType::Complementary ? 2 : 3;
}

bool SchemeModel::hasScheme() const {
    // no rule gives a system colour: the swatches hold one only until the first run
    const auto first = m_now.state.swatch.begin();
    return std::none_of(first, first + static_cast<std::ptrdiff_t>(colorCount()),
                        [](const core::SwatchValue& v) { return v.systemEntry.has_value(); });
}

std::vector<core::Color> SchemeModel::schemeColors() const {
    const std::array<core::Color, 3> all = swatchColors();
    return {all.begin(), all.begin() + static_cast<std::ptrdiff_t>(colorCount())};
}

std::optional<core::Oklch> SchemeModel::exactColor(int k) const {
    if (!isPerceptual() || !hasScheme())
        return std::nullopt;
    const core::Color shown = swatchColor(k);
    // the chosen base is exact, and column 2 shows its own 8-bit colour
    if (k == 2 && m_now.base)
        return shown == m_now.base->color ? std::optional(m_now.base->exact) : std::nullopt;
    const core::WheelGeometry g = geometry();
    const double theta =
        m_now.around ? (*m_now.around)[0] : core::pointerTheta(m_now.x, m_now.y, g);
    const double r = m_now.around ? (*m_now.around)[1] : core::clampedRadius(m_now.x, m_now.y, g);
    std::optional<core::Oklch> exact;
    if (m_now.rule == core::SchemeType::Monochromatic && k != 2) {
        const core::Oklch base =
            m_now.base ? m_now.base->exact : core::perceptualPolar(theta, r, m_now.lightness, g);
        exact = core::monochromePartners(base).at(k == 1 ? 0 : 1);
    } else if (const auto at = core::schemePolarPoints(m_now.rule, theta, r, g).at(index(k))) {
        exact = polarColor(m_now, (*at)[0], (*at)[1]);
    }
    // a swatch given a colour of its own (a contrast fix) no longer shows the wheel's colour
    if (exact) {
        const core::ColorRGB mapped = core::mapToRgb8(*exact);
        if (core::colorValue(mapped) != shown)
            return std::nullopt;
    }
    return exact;
}

std::vector<std::optional<core::Oklch>> SchemeModel::exactColors() const {
    std::vector<std::optional<core::Oklch>> exact;
    for (size_t i = 0; i < colorCount(); ++i)
        exact.push_back(exactColor(static_cast<int>(i) + 1));
    return exact;
}

std::array<core::ColumnTexts, 3> SchemeModel::fileTexts() const {
    const auto narrow = [](const std::string& utf8) {
        return QString::fromStdString(utf8).toLatin1().toStdString();
    };
    std::array<core::ColumnTexts, 3> texts;
    for (size_t i = 0; i < texts.size(); ++i) {
        const core::ColumnTexts& t = m_now.state.texts[i];
        texts[i] = {narrow(t.red),     narrow(t.green), narrow(t.blue),
                    narrow(t.decimal), narrow(t.html),  narrow(t.webSafe)};
    }
    return texts;
}

std::string& SchemeModel::textRef(int k, Field field) {
    core::ColumnTexts& t = m_now.state.texts.at(index(k));
    switch (field) {
    case Field::Red:
        return t.red;
    case Field::Green:
        return t.green;
    case Field::Blue:
        return t.blue;
    case Field::Decimal:
        return t.decimal;
    case Field::Html:
        return t.html;
    case Field::WebSafe:
        break;
    }
    return t.webSafe;
}

const std::string& SchemeModel::text(int k, Field field) const {
    return const_cast<SchemeModel*>(this)->textRef(k, field);
}

void SchemeModel::setText(int k, Field field, const std::string& text) {
    textRef(k, field) = text;
}

core::Oklch SchemeModel::polarColor(const Snapshot& s, double angle, double radius) {
    core::Oklch c = core::perceptualPolar(angle, radius, s.lightness, geometry());
    // a chosen base beyond the rim's chroma sits on the rim: the rule's radii stand for its
    // own chroma, so the partners are derived from it exactly
    if (s.base && s.around && s.base->exact.C > core::kPerceptualRimChroma && (*s.around)[1] > 0)
        c.C = s.base->exact.C * radius / (*s.around)[1];
    return c;
}

namespace {

/// The perceptual disc's colours, computed at a rule's exact angles and radii.
class DiscColors final : public core::PolarColorSource {
public:
    explicit DiscColors(const SchemeModel::Snapshot& s) : m_s(s) {}
    core::Color colorAt(double angle, double radius) override {
        const core::ColorRGB c = core::mapToRgb8(SchemeModel::polarColor(m_s, angle, radius));
        return core::colorValue(c);
    }

private:
    const SchemeModel::Snapshot& m_s;
};

} // namespace

std::array<float, 2> SchemeModel::nearestPixel(core::Color color) const {
    const core::Raster& wheel = raster();
    const core::ColorRGB want = core::splitColor(color);
    int best = INT_MAX;
    std::array<float, 2> at{};
    for (int y = 0; y < wheel.height(); ++y) {
        for (int x = 0; x < wheel.width(); ++x) {
            const core::ColorRGB c = core::splitColor(wheel.at(x, y));
            const int dr = c.r - want.r, dg = c.g - want.g, db = c.b - want.b;
            const int d = dr * dr + dg * dg + db * db;
            if (d < best) {
                best = d;
                at = {static_cast<float>(x), static_cast<float>(y)};
            }
        }
    }
    return at;
}

const core::PerceptualDisc& SchemeModel::disc() const {
    if (!m_disc)
        m_disc = std::make_unique<core::PerceptualDisc>(geometry(), core::kWheelSurfaceSize);
    if (m_discStale) {
        m_disc->draw(m_now.lightness);
        m_discStale = false;
    }
    return *m_disc;
}

void SchemeModel::rerunPerceptual() {
    const core::WheelGeometry g = geometry();
    DiscColors colors(m_now);
    const double theta =
        m_now.around ? (*m_now.around)[0] : core::pointerTheta(m_now.x, m_now.y, g);
    const double r = m_now.around ? (*m_now.around)[1] : core::clampedRadius(m_now.x, m_now.y, g);
    core::rerunSchemeAround(m_now.state, m_now.rule, theta, r, m_now.x, m_now.y, g, colors,
                            &core::systemColor);
    const auto show = [this](size_t slot, core::Color color) {
        m_now.state.swatch.at(slot) = {core::splitColor(color), std::nullopt};
        m_now.state.texts.at(slot).decimal = core::decimalCode(color);
        m_now.state.texts.at(slot).html = core::htmlCode(color);
    };
    // the chosen colour itself, not its position's colour rounded once more
    if (m_now.base)
        show(1, m_now.base->color);
    if (m_now.rule == core::SchemeType::Monochromatic) {
        const core::Oklch base =
            m_now.base ? m_now.base->exact : core::perceptualPolar(theta, r, m_now.lightness, g);
        const std::array<core::Oklch, 2> partners = core::monochromePartners(base);
        for (size_t i = 0; i < partners.size(); ++i) {
            const core::ColorRGB c = core::mapToRgb8(partners[i]);
            show(i * 2, core::colorValue(c));
        }
    }
    core::refreshColumnCodes(m_now.state, &core::systemColor);
}

bool SchemeModel::trackPointer(float x, float y) {
    if (m_now.frozen)
        return false;
    if (isPerceptual()) {
        // the disc covers the surface as a raster does: off it the move is ignored
        const int32_t px = core::pixelCoordinate(x), py = core::pixelCoordinate(y);
        if (px < 0 || py < 0 || px >= core::kWheelSurfaceSize || py >= core::kWheelSurfaceSize)
            return false;
        m_now.x = x;
        m_now.y = y;
        m_now.around.reset();
        m_now.base.reset();
        rerunPerceptual();
        if (m_now.followPreview)
            paintPreview();
        emit changed(Change::PointerMove);
        return true;
    }
    m_now.x = x;
    m_now.y = y;
    core::RasterSurface surface(raster(), core::systemColor(core::kSystemButtonFace));
    if (!core::trackPointer(m_now.state, m_now.rule, x, y, geometry(), surface, &core::systemColor))
        return false;
    if (m_now.followPreview)
        paintPreview();
    emit changed(Change::PointerMove);
    return true;
}

void SchemeModel::toggleFreeze() {
    m_now.frozen = !m_now.frozen;
    paintPreview();
    emit changed(Change::Click);
}

void SchemeModel::rerun() {
    if (isPerceptual()) {
        rerunPerceptual();
        return;
    }
    core::RasterSurface surface(raster(), core::systemColor(core::kSystemButtonFace));
    core::rerunScheme(m_now.state, m_now.rule, m_now.x, m_now.y, geometry(), surface,
                      &core::systemColor);
}

void SchemeModel::setRule(core::SchemeType rule) {
    m_now.rule = rule;
    rerun();
    paintPreview();
    emit changed(Change::Rule);
}

void SchemeModel::setPreviewStyle(int index) {
    m_now.style = index;
    rerun();
    paintPreview();
    emit changed(Change::PreviewStyle);
}

void SchemeModel::setRaster(WheelRaster kind) {
    m_now.raster = kind;
    // a chosen base belongs to the disc it was placed on
    m_now.around.reset();
    m_now.base.reset();
    emit changed(Change::Raster);
}

void SchemeModel::setLightness(double L) {
    L = std::clamp(L, 0.0, 1.0);
    if (L == m_now.lightness)
        return;
    m_now.lightness = L;
    m_discStale = true;
    // the base keeps its hue and chroma but is no longer the chosen colour
    m_now.base.reset();
    if (isPerceptual()) {
        rerunPerceptual();
        paintPreview();
    }
    emit changed(Change::Lightness);
}

void SchemeModel::setBaseColor(core::ColorRGB rgb8, const core::Oklch& exact) {
    const core::WheelGeometry g = geometry();
    if (isPerceptual()) {
        if (std::clamp(exact.L, 0.0, 1.0) != m_now.lightness)
            m_discStale = true;
        m_now.lightness = std::clamp(exact.L, 0.0, 1.0);
        // the disc's angle is the hue (counter-clockwise, y growing downwards) and its radius
        // the chroma over the rim's
        const double r =
            std::min(exact.C / core::kPerceptualRimChroma * static_cast<double>(g.rmax),
                     static_cast<double>(g.rmax));
        const core::SamplePoint at = core::pointAt(exact.h, r, g);
        m_now.x = core::toSingle(at.x);
        m_now.y = core::toSingle(at.y);
        m_now.around = std::array<double, 2>{exact.h, r};
        m_now.base = ChosenBase{core::colorValue(rgb8), exact};
        rerunPerceptual();
    } else {
        const std::array<float, 2> at = nearestPixel(core::colorValue(rgb8));
        m_now.x = at[0];
        m_now.y = at[1];
        core::RasterSurface surface(raster(), core::systemColor(core::kSystemButtonFace));
        core::trackPointer(m_now.state, m_now.rule, m_now.x, m_now.y, g, surface,
                           &core::systemColor);
    }
    // frozen as after a click, so the pointer leaving the dialog does not undo the choice
    m_now.frozen = true;
    paintPreview();
    emit changed(Change::Base);
}

void SchemeModel::setSwatchColor(int k, core::Color color) {
    color &= 0xFFFFFF;
    m_now.state.swatch.at(index(k)) = {core::splitColor(color), std::nullopt};
    core::ColumnTexts& t = m_now.state.texts.at(index(k));
    t.decimal = core::decimalCode(color);
    t.html = core::htmlCode(color);
    const core::ColorRGB c = core::splitColor(color);
    // the other columns keep what may have been typed into them
    t.red = std::to_string(c.r);
    t.green = std::to_string(c.g);
    t.blue = std::to_string(c.b);
    t.webSafe = core::htmlCode(core::webSafeColor(color, &core::systemColor));
    if (k == 2)
        m_now.base.reset();
    m_now.frozen = true;
    paintPreview();
    emit changed(Change::Swatch);
}

bool operator==(const SchemeModel::Snapshot& a, const SchemeModel::Snapshot& b) {
    const auto sameBase = [](const std::optional<SchemeModel::ChosenBase>& x,
                             const std::optional<SchemeModel::ChosenBase>& y) {
        if (!x || !y)
            return x.has_value() == y.has_value();
        return x->color == y->color && x->exact.L == y->exact.L && x->exact.C == y->exact.C &&
               x->exact.h == y->exact.h;
    };
    return a.raster == b.raster && a.rule == b.rule && a.frozen == b.frozen && a.x == b.x &&
           a.y == b.y && a.style == b.style && a.followPreview == b.followPreview &&
           a.previewPaint == b.previewPaint && a.state.swatch == b.state.swatch &&
           a.state.texts == b.state.texts && a.state.lines == b.state.lines &&
           a.lightness == b.lightness && a.around == b.around && sameBase(a.base, b.base) &&
           a.roles == b.roles;
}

colorscience::Roles SchemeModel::roles() const {
    std::vector<core::ColorRGB> colors;
    for (const core::Color c : schemeColors())
        colors.push_back(core::splitColor(c));
    return colorscience::deriveRoles(colors, exactColors(), m_now.roles);
}

void SchemeModel::setRole(colorscience::Theme theme, colorscience::Role role,
                          const std::optional<colorscience::RoleOverride>& value) {
    std::optional<colorscience::RoleOverride>& now = m_now.roles.at(theme, role);
    if (now == value)
        return;
    now = value;
    emit changed(Change::Roles);
}

void SchemeModel::restore(const Snapshot& snapshot) {
    if (snapshot.lightness != m_now.lightness)
        m_discStale = true;
    m_now = snapshot;
    emit changed(Change::Restore);
}

} // namespace scheme
