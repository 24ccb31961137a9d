#include "SchemeDocument.h"

#include "PaletteFile.h"
#include "core/Numeric.h"
#include "core/PrintableText.h"
#include "core/SchemeRules.h"
#include "core/SystemColors.h"
#include "core/Wheel.h"
#include "io/FileReader.h"
#include "scheme/WheelNames.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

#include <algorithm>
#include <cmath>
#include <limits>

namespace document {

namespace {

using Snapshot = scheme::SchemeModel::Snapshot;

constexpr const char* kFields[] = {"red", "green", "blue", "decimal", "html", "websafe"};
/// Farther than any pointer or line end on the wheel's surface can lie.
constexpr double kFarthest = 1e6;
/// Longer than any text a field shows.
constexpr qsizetype kLongestText = 4096;

std::string core::ColumnTexts::*const kTextMembers[] = {
    &core::ColumnTexts::red,     &core::ColumnTexts::green, &core::ColumnTexts::blue,
    &core::ColumnTexts::decimal, &core::ColumnTexts::html,  &core::ColumnTexts::webSafe};

QJsonArray colorArray(const std::array<core::Color, 3>& colors) {
    return {colors[0], colors[1], colors[2]};
}

/// Reads the parts of a state object, keeping the first thing found wrong.
class StateReader {
public:
    QString error;

    bool fail(const QString& where, const QString& what) {
        if (error.isEmpty())
            error = QStringLiteral("The scheme's \"%1\" %2.").arg(where, what);
        return false;
    }
    double number(const QJsonValue& v, const QString& where, double min, double max) {
        const double d = v.toDouble(std::numeric_limits<double>::quiet_NaN());
        if (!v.isDouble() || !std::isfinite(d) || d < min || d > max)
            fail(where, QStringLiteral("is not a number from %1 to %2").arg(min).arg(max));
        return std::isfinite(d) ? std::clamp(d, min, max) : min;
    }
    bool boolean(const QJsonValue& v, const QString& where) {
        if (!v.isBool())
            fail(where, QStringLiteral("is not true or false"));
        return v.toBool();
    }
    /// The index whose name (nameOf(index)) the value is, of count choices.
    template <typename NameOf>
    int choice(const QJsonValue& v, const QString& where, int count, NameOf nameOf) {
        for (int i = 0; i < count; ++i) {
            if (v.toString() == QLatin1String(nameOf(i)))
                return i;
        }
        fail(where, QStringLiteral("names none of its choices"));
        return 0;
    }
    QJsonArray array(const QJsonValue& v, const QString& where, qsizetype size) {
        if (!v.isArray() || v.toArray().size() != size)
            fail(where, QStringLiteral("is not a list of %1").arg(size));
        return v.isArray() && v.toArray().size() == size ? v.toArray() : QJsonArray();
    }
    /// A 24-bit colour, or with system also a reference to an entry the system colour table
    /// holds, each as its code (swatchCode).
    core::SwatchValue swatch(const QJsonValue& v, const QString& where, bool system) {
        const double d = v.toDouble(-1);
        const bool whole = v.isDouble() && d == std::floor(d);
        const bool plain = whole && d >= 0 && d <= 0xFFFFFF;
        const bool negative = whole && d >= INT32_MIN && d < 0;
        const core::SwatchValue value =
            core::swatchValueOfCode(plain || negative ? static_cast<int32_t>(d) : 0);
        const bool reference =
            system && negative && value.systemEntry && core::systemColor(*value.systemEntry) != 0;
        if (!plain && !reference) {
            fail(where, QStringLiteral("is not a colour"));
            return {};
        }
        return value;
    }
    /// A 24-bit colour.
    core::Color color(const QJsonValue& v, const QString& where) {
        return core::colorValue(swatch(v, where, false).rgb);
    }
    void text(const QJsonValue& v, const QString& where) {
        if (!v.isString() || v.toString().size() > kLongestText)
            fail(where, QStringLiteral("is not a text of at most %1 characters").arg(kLongestText));
    }
};

/// A key of the file in a message: printable, cut where it runs long.
QString keyText(const QString& key) {
    return QString::fromStdString(core::printableText(key.toStdString(), core::kQuotedLength));
}

/// One role the designer set: {"step": "900"} or {"color": value} with, for a colour beyond
/// sRGB, its exact "L", "C" and "h" (which then give the 8-bit colour, as a ramp's steps do).
colorscience::RoleOverride roleOf(const QJsonValue& v, const QString& where, StateReader& r) {
    colorscience::RoleOverride o;
    const QJsonObject role = v.toObject();
    if (!v.isObject() || role.contains("step") == role.contains("color")) {
        r.fail(where, QStringLiteral("is not a step or a colour"));
        return o;
    }
    if (role.contains("step")) {
        const std::optional<int> choice =
            colorscience::choiceFromName(role["step"].toString().toStdString());
        if (!role["step"].isString() || !choice)
            r.fail(where + ".step", QStringLiteral("names no step (50 to 950, white or black)"));
        o.choice = choice.value_or(0);
        return o;
    }
    o.color = core::splitColor(r.color(role["color"], where + ".color"));
    if (role.contains("L") || role.contains("C") || role.contains("h")) {
        const core::Oklch exact{r.number(role["L"], where + ".L", 0, 1),
                                r.number(role["C"], where + ".C", 0, 1),
                                r.number(role["h"], where + ".h", 0, 360)};
        // inside sRGB the 8-bit colour is the colour
        if (core::outsideSrgb(exact)) {
            o.exact = exact;
            o.color = core::shownOfDisplayP3(exact);
        }
    }
    return o;
}

/// The roles the designer set, by theme and role id; none where the document holds none.
colorscience::RoleOverrides rolesOf(const QJsonValue& v, StateReader& r) {
    colorscience::RoleOverrides roles;
    if (v.isUndefined() || v.isNull())
        return roles;
    if (!v.isObject()) {
        r.fail("roles", QStringLiteral("is not a group of themes"));
        return roles;
    }
    const QJsonObject themes = v.toObject();
    for (auto t = themes.begin(); t != themes.end(); ++t) {
        const QString where = "roles." + keyText(t.key());
        const auto theme = colorscience::themeFromName(t.key().toStdString());
        if (!theme) {
            r.fail(where, QStringLiteral("names no theme (light or dark)"));
            continue;
        }
        if (!t.value().isObject()) {
            r.fail(where, QStringLiteral("is not a group of colour roles"));
            continue;
        }
        const QJsonObject set = t.value().toObject();
        for (auto k = set.begin(); k != set.end(); ++k) {
            const QString at = where + "." + keyText(k.key());
            const auto role = colorscience::roleFromId(k.key().toStdString());
            if (!role)
                r.fail(at, QStringLiteral("names no colour role"));
            else
                roles.at(*theme, *role) = roleOf(k.value(), at, r);
        }
    }
    return roles;
}

/// The roles the designer set as the document holds them; none is no member at all, so a
/// scheme without them writes what it always wrote.
QJsonObject rolesJson(const colorscience::RoleOverrides& roles) {
    QJsonObject themes;
    for (const auto theme : {colorscience::Theme::Light, colorscience::Theme::Dark}) {
        QJsonObject set;
        for (const colorscience::RoleInfo& info : colorscience::roleTable()) {
            const std::optional<colorscience::RoleOverride>& o = roles.at(theme, info.role);
            if (!o)
                continue;
            QJsonObject role;
            if (o->choice >= 0) {
                role["step"] = QString::fromStdString(colorscience::choiceName(o->choice));
            } else {
                role["color"] = core::rgbValue(o->color.r, o->color.g, o->color.b);
                if (o->exact) {
                    role["L"] = o->exact->L;
                    role["C"] = o->exact->C;
                    role["h"] = o->exact->h;
                }
            }
            set[QLatin1String(info.id)] = role;
        }
        if (!set.isEmpty())
            themes[QLatin1String(colorscience::themeName(theme))] = set;
    }
    return themes;
}

Snapshot snapshotOf(const QJsonObject& o, StateReader& r) {
    Snapshot s;
    s.raster = static_cast<scheme::WheelRaster>(
        r.choice(o["wheel"], "wheel", int(scheme::kWheelNames.size()),
                 [](int i) { return scheme::kWheelNames[size_t(i)].word; }));
    s.rule = static_cast<core::SchemeType>(
        r.choice(o["rule"], "rule", int(core::kSchemeRules.size()),
                 [](int i) { return core::kSchemeRules[size_t(i)].word; }));
    s.frozen = r.boolean(o["frozen"], "frozen");
    s.x = static_cast<float>(r.number(o["x"], "x", -kFarthest, kFarthest));
    s.y = static_cast<float>(r.number(o["y"], "y", -kFarthest, kFarthest));
    const double style = r.number(o["style"], "style", -1, scheme::kPreviewStyleCount - 1);
    if (style != std::floor(style))
        r.fail("style", QStringLiteral("is not a whole number"));
    s.style = static_cast<int>(style);
    s.followPreview = r.boolean(o["followPreview"], "followPreview");
    s.lightness = r.number(o["lightness"], "lightness", 0, 1);
    if (!o["previewPaint"].isNull()) {
        const QJsonArray paint = r.array(o["previewPaint"], "previewPaint", 3);
        std::array<core::Color, 3> colors{};
        for (qsizetype i = 0; i < paint.size(); ++i)
            colors[size_t(i)] = r.color(paint[i], "previewPaint");
        s.previewPaint = colors;
    }
    const QJsonArray swatches = r.array(o["swatches"], "swatches", 3);
    for (qsizetype i = 0; i < swatches.size(); ++i)
        s.state.swatch[size_t(i)] = r.swatch(swatches[i], "swatches", true);
    // the texts are written for the programs that read the file; the colours give them here
    const QJsonArray texts = r.array(o["texts"], "texts", 3);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QJsonArray fields = r.array(texts[i], "texts", 6);
        for (qsizetype f = 0; f < fields.size(); ++f)
            r.text(fields[f], QStringLiteral("texts.") + kFields[f]);
    }
    const QJsonArray lines = r.array(o["lines"], "lines", 3);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QJsonArray l = r.array(lines[i], "lines", 5);
        if (l.size() != 5)
            continue;
        core::LineState& line = s.state.lines[size_t(i)];
        line.visible = r.boolean(l[0], "lines");
        float* ends[] = {&line.x1, &line.y1, &line.x2, &line.y2};
        for (int e = 0; e < 4; ++e)
            *ends[e] = static_cast<float>(r.number(l[e + 1], "lines", -kFarthest, kFarthest));
    }
    if (!o["around"].isNull()) {
        const QJsonArray around = r.array(o["around"], "around", 2);
        if (around.size() == 2)
            s.around = std::array<double, 2>{r.number(around[0], "around", -kFarthest, kFarthest),
                                             r.number(around[1], "around", 0, kFarthest)};
    }
    if (!o["base"].isNull()) {
        const QJsonObject base = o["base"].toObject();
        if (!o["base"].isObject())
            r.fail("base", QStringLiteral("is not a colour and its OKLCH"));
        scheme::SchemeModel::ChosenBase chosen;
        chosen.color = r.color(base["color"], "base.color");
        chosen.exact = {r.number(base["L"], "base.L", 0, 1), r.number(base["C"], "base.C", 0, 1),
                        r.number(base["h"], "base.h", 0, 360)};
        s.base = chosen;
    }
    s.roles = rolesOf(o["roles"], r);
    return s;
}

/// Whether the document's pointer lies on the wheel's surface, where the rule ran; off it a
/// move changed the pointer but no colour.
bool onSurface(const Snapshot& s) {
    const int32_t x = core::pixelCoordinate(s.x), y = core::pixelCoordinate(s.y);
    return x >= 0 && y >= 0 && x < core::kWheelSurfaceSize && y < core::kWheelSurfaceSize;
}

/// The colours a run of the document's rule gives on wheel, at its position, lightness and
/// base.
std::array<core::SwatchValue, 3> ruleColors(scheme::SchemeModel& model, Snapshot s,
                                            scheme::WheelRaster wheel) {
    s.raster = wheel;
    model.restore(s);
    model.setRule(s.rule);
    return model.snapshot().state.swatch;
}

/// The six texts of every column as the scheme's colours give them: none before the first
/// scheme; the components and web-safe code of a colour the rule has not replaced yet (a
/// system colour), but no codes for it, nor in the column complementary leaves alone.
void deriveTexts(Snapshot& s) {
    core::SchemeState& state = s.state;
    state.texts = {};
    const auto isReference = [](const core::SwatchValue& v) { return v.systemEntry.has_value(); };
    if (std::all_of(state.swatch.begin(), state.swatch.end(), isReference))
        return;
    core::refreshColumnCodes(state, &core::systemColor);
    for (size_t i = 0; i < 3; ++i) {
        if (isReference(state.swatch[i]) || (i == 2 && s.rule == core::SchemeType::Complementary))
            continue;
        const core::Color color = core::colorValue(state.swatch[i].rgb);
        state.texts[i].decimal = core::decimalCode(color);
        state.texts[i].html = core::htmlCode(color);
    }
}

/// The snapshot with what its parts determine made so: the texts from the colours, and the
/// colours from the rule when they match no run of it. A frozen scheme may hold colours of its
/// own (an applied fix freezes it), and so may one whose preview was painted in them (a fix,
/// then a release); colours the rule gave on another wheel (the wheel changed since) stay too.
Snapshot consistent(Snapshot s) {
    const bool ran = !s.state.swatch[1].systemEntry;
    std::array<core::Color, 3> shown{};
    for (size_t i = 0; i < 3; ++i)
        shown[i] = core::displayedColor(s.state.swatch[i]);
    const bool painted = s.previewPaint && *s.previewPaint == shown;
    if (ran && !s.frozen && !painted && onSurface(s)) {
        scheme::SchemeModel model;
        // the column complementary leaves alone holds whatever it held
        const auto determined = std::ptrdiff_t(scheme::SchemeModel::colorCount(s.rule));
        const auto matches = [&](const std::array<core::SwatchValue, 3>& colors) {
            return std::equal(colors.begin(), colors.begin() + determined, s.state.swatch.begin());
        };
        const std::array<core::SwatchValue, 3> own = ruleColors(model, s, s.raster);
        bool any = matches(own);
        for (int wheel = 0; wheel < 4 && !any; ++wheel)
            any = matches(ruleColors(model, s, static_cast<scheme::WheelRaster>(wheel)));
        if (!any)
            std::copy(own.begin(), own.begin() + determined, s.state.swatch.begin());
    }
    deriveTexts(s);
    return s;
}

} // namespace

QJsonObject schemeStateJson(const Snapshot& s) {
    QJsonObject o;
    o["version"] = kSchemeStateVersion;
    o["wheel"] = scheme::wheelName(s.raster).word;
    o["rule"] = core::schemeRule(s.rule).word;
    o["frozen"] = s.frozen;
    o["x"] = double(s.x);
    o["y"] = double(s.y);
    o["style"] = s.style;
    o["followPreview"] = s.followPreview;
    o["lightness"] = s.lightness;
    o["previewPaint"] = s.previewPaint ? QJsonValue(colorArray(*s.previewPaint)) : QJsonValue();
    o["swatches"] =
        QJsonArray{core::swatchCode(s.state.swatch[0]), core::swatchCode(s.state.swatch[1]),
                   core::swatchCode(s.state.swatch[2])};
    QJsonArray texts, lines;
    for (size_t i = 0; i < 3; ++i) {
        QJsonArray fields;
        for (auto member : kTextMembers)
            fields.append(QString::fromStdString(s.state.texts[i].*member));
        texts.append(fields);
        const core::LineState& l = s.state.lines[i];
        lines.append(QJsonArray{l.visible, double(l.x1), double(l.y1), double(l.x2), double(l.y2)});
    }
    o["texts"] = texts;
    o["lines"] = lines;
    o["around"] = s.around ? QJsonValue(QJsonArray{(*s.around)[0], (*s.around)[1]}) : QJsonValue();
    if (s.base)
        o["base"] = QJsonObject{{"color", s.base->color},
                                {"L", s.base->exact.L},
                                {"C", s.base->exact.C},
                                {"h", s.base->exact.h}};
    else
        o["base"] = QJsonValue();
    if (!s.roles.empty())
        o["roles"] = rolesJson(s.roles);
    return o;
}

std::string schemeStateText(const Snapshot& snapshot) {
    return QJsonDocument(schemeStateJson(snapshot)).toJson(QJsonDocument::Compact).toStdString();
}

DocumentRead readSchemeDocument(const QByteArray& text) {
    DocumentRead read;
    QJsonParseError parsed{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &parsed);
    const QByteArray key(formats::kTokenExtensionKey.data(),
                         qsizetype(formats::kTokenExtensionKey.size()));
    if (parsed.error != QJsonParseError::NoError) {
        // one damaged byte must not make a scheme document pass for a palette of another kind
        read.holdsScheme = text.contains('"' + key + '"');
        read.error =
            (read.holdsScheme ? QStringLiteral("It is a damaged ChromaLune scheme: %1 at byte %2.")
                              : QStringLiteral("It is not a design-tokens file: %1 at byte %2."))
                .arg(parsed.errorString())
                .arg(parsed.offset);
        return read;
    }
    if (!document.isObject()) {
        read.error = QStringLiteral("It is not a design-tokens file: it holds no group.");
        return read;
    }
    const QJsonValue state = document.object()["$extensions"][QString::fromLatin1(key)]["scheme"];
    if (!state.isObject()) {
        read.palette = true;
        read.error = QStringLiteral("It is a palette, not a ChromaLune scheme: it holds no "
                                    "scheme to open.");
        return read;
    }
    read.holdsScheme = true;
    const QJsonObject o = state.toObject();
    if (!o["version"].isDouble() || o["version"].toDouble() < 1) {
        read.error = QStringLiteral("The scheme has no version.");
        return read;
    }
    if (o["version"].toDouble() > kSchemeStateVersion) {
        read.error = QStringLiteral("The scheme was written by a newer ChromaLune (version %1); "
                                    "this one reads version %2.")
                         .arg(o["version"].toDouble())
                         .arg(kSchemeStateVersion);
        return read;
    }
    StateReader reader;
    const Snapshot snapshot = snapshotOf(o, reader);
    if (!reader.error.isEmpty())
        read.error = reader.error;
    else
        read.snapshot = consistent(snapshot);
    return read;
}

DocumentRead readSchemeDocumentFile(const QString& path) {
    DocumentRead read;
    const std::optional<QByteArray> text =
        io::readRegularFile(path, kMaxDocumentBytes, &read.error);
    return text ? readSchemeDocument(*text) : read;
}

QString withDocumentExtension(const QString& path) {
    if (path.endsWith(kDocumentExtension, Qt::CaseInsensitive))
        return path;
    return path +
           (path.endsWith(QLatin1Char('.')) ? kDocumentExtension.mid(1) : kDocumentExtension);
}

bool writeSchemeDocument(const QString& path, const scheme::SchemeModel& model,
                         std::string* reason) {
    return writePaletteFile(path, formats::Format::DesignTokens, model.schemeColors(), reason,
                            {false, false, model.exactColors(), model.roleOverrides()},
                            schemeStateText(model.snapshot()));
}

} // namespace document
