#include "SchemeModel.h"

#include "core/Numeric.h"
#include "core/SystemColors.h"
#include "core/Wheel.h"

#include <QString>

namespace scheme {

SchemeModel::SchemeModel(QObject* parent)
    : QObject(parent), m_default(core::makeDefaultRaster()), m_webSafe(core::makeWebSafeRaster()),
      m_start(core::makeStartRaster(m_default)) {
    // before the first pick every swatch shows the title-bar text colour
    m_state.swatch.fill(INT32_MIN | core::kSystemCaptionText);
}

const core::Raster& SchemeModel::raster(WheelRaster kind) const {
    switch (kind) {
    case WheelRaster::Default:
        return m_default;
    case WheelRaster::WebSafe:
        return m_webSafe;
    case WheelRaster::Start:
        break;
    }
    return m_start;
}

const core::Raster& SchemeModel::raster() const {
    return raster(m_rasterKind);
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

std::vector<core::Color> SchemeModel::schemeColors() const {
    const std::array<core::Color, 3> all = swatchColors();
    return {all.begin(), all.begin() + static_cast<std::ptrdiff_t>(colorCount())};
}

std::array<core::ColumnTexts, 3> SchemeModel::fileTexts() const {
    const auto narrow = [](const std::string& utf8) {
        return QString::fromStdString(utf8).toLatin1().toStdString();
    };
    std::array<core::ColumnTexts, 3> texts;
    for (size_t i = 0; i < texts.size(); ++i) {
        const core::ColumnTexts& t = m_state.texts[i];
        texts[i] = {narrow(t.red),     narrow(t.green), narrow(t.blue),
                    narrow(t.decimal), narrow(t.html),  narrow(t.webSafe)};
    }
    return texts;
}

std::string& SchemeModel::textRef(int k, Field field) {
    core::ColumnTexts& t = m_state.texts.at(index(k));
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

bool SchemeModel::trackPointer(float x, float y) {
    if (m_locked)
        return false;
    m_x = x;
    m_y = y;
    core::RasterSurface surface(raster(), core::systemColor(core::kSystemButtonFace));
    if (!core::trackPointer(m_state, m_rule, x, y, geometry(), surface, &core::systemColor))
        return false;
    if (m_followPreview)
        paintPreview();
    emit changed(Change::PointerMove);
    return true;
}

void SchemeModel::click() {
    m_locked = !m_locked;
    paintPreview();
    emit changed(Change::Click);
}

void SchemeModel::rerun() {
    core::RasterSurface surface(raster(), core::systemColor(core::kSystemButtonFace));
    core::rerunScheme(m_state, m_rule, m_x, m_y, geometry(), surface, &core::systemColor);
}

void SchemeModel::setRule(core::SchemeType rule) {
    m_rule = rule;
    rerun();
    paintPreview();
    emit changed(Change::Rule);
}

void SchemeModel::setPreviewStyle(int index) {
    m_style = index;
    rerun();
    paintPreview();
    emit changed(Change::PreviewStyle);
}

void SchemeModel::setRaster(WheelRaster kind) {
    m_rasterKind = kind;
    emit changed(Change::Raster);
}

} // namespace scheme
