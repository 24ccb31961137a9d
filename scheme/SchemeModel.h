#pragma once

#include "colorscience/ColorRoles.h"
#include "core/Oklab.h"
#include "core/PerceptualWheel.h"
#include "core/Raster.h"
#include "core/SchemeState.h"

#include <QObject>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace scheme {

/// The raster the wheel shows; Perceptual is the OKLCH disc, whose colours are computed.
enum class WheelRaster { Start, Default, WebSafe, Perceptual };

/// What a change notification is about: Lightness is a new lightness of the perceptual disc
/// (the disc and the scheme's colours change), Base a scheme set around a chosen colour,
/// Swatch one swatch given a colour of its own (a contrast fix applied), Restore the whole
/// model put back as it stood before (every part may have changed), Roles a colour role set
/// or given back to the contrast search (only the roles change).
enum class Change {
    PointerMove,
    Click,
    Rule,
    PreviewStyle,
    Raster,
    Lightness,
    Base,
    Swatch,
    Restore,
    Roles
};

/// How many preview styles there are; a snapshot's style is one of them or -1. The preview
/// holds the styles themselves; the count is here so that documents check it without them.
inline constexpr int kPreviewStyleCount = 6;

/// One of the six texts of a swatch column.
enum class Field { Red, Green, Blue, Decimal, Html, WebSafe };

/// The scheme behind every window: the three colours with the texts of their columns, the
/// rule, the wheel's freeze, pointer and raster, the preview style and the colours the preview
/// is painted in. Every scheme change (tracked move, click, rule, style, raster) is announced
/// once by changed(); the windows read the model through a const reference, show it and
/// never compute codes themselves.
class SchemeModel : public QObject {
    Q_OBJECT
public:
    static constexpr double kDefaultLightness = 0.65;

    explicit SchemeModel(QObject* parent = nullptr);

    /// A base chosen by its colour: its own 8-bit colour, shown in column 2 until the pointer
    /// or the lightness changes, and its exact OKLCH.
    struct ChosenBase {
        core::Color color = 0;
        core::Oklch exact;
    };
    /// Everything the model holds that a window shows or an export writes: taken and put back
    /// whole, it gives every window exactly what it showed (undo, documents).
    struct Snapshot {
        WheelRaster raster = WheelRaster::Start;
        core::SchemeType rule = core::SchemeType::Analogous;
        bool frozen = false;
        float x = 0;
        float y = 0;
        int style = 0;
        bool followPreview = false;
        std::optional<std::array<core::Color, 3>> previewPaint;
        core::SchemeState state;
        double lightness = kDefaultLightness;
        /// The chosen base's exact angle and radius, while the pointer has not moved since.
        std::optional<std::array<double, 2>> around;
        std::optional<ChosenBase> base;
        /// The colour roles the designer set; the others follow the scheme.
        colorscience::RoleOverrides roles;
        friend bool operator==(const Snapshot& a, const Snapshot& b);
    };
    /// The model as it stands.
    const Snapshot& snapshot() const { return m_now; }
    /// Puts the model back as it stood when snapshot was taken; announced as Change::Restore.
    void restore(const Snapshot& snapshot);

    core::SchemeType rule() const { return m_now.rule; }
    bool isFrozen() const { return m_now.frozen; }
    /// The last tracked pointer position in wheel pixels; (0, 0) before the first move.
    float pointerX() const { return m_now.x; }
    float pointerY() const { return m_now.y; }
    /// Index of the preview style; -1 when the last choice named no style.
    int previewStyle() const { return m_now.style; }
    WheelRaster wheelRaster() const { return m_now.raster; }
    bool isPerceptual() const { return m_now.raster == WheelRaster::Perceptual; }
    /// The classic raster shown (the perceptual wheel has none: it gives the default wheel).
    const core::Raster& raster() const;
    const core::Raster& raster(WheelRaster kind) const;
    /// The classic raster's pixel nearest to color (smallest squared RGB distance, first in
    /// row order), where a pointer lands to start a scheme from that colour.
    std::array<float, 2> nearestPixel(core::Color color) const;

    /// Lightness 0..1 of the perceptual disc.
    double lightness() const { return m_now.lightness; }
    /// The perceptual disc drawn at lightness(); drawn when first asked for and again only
    /// after the lightness changed.
    const core::PerceptualDisc& disc() const;
    /// Centre and largest radius the rules use.
    static core::WheelGeometry geometry();

    /// Swatch k's value (k = 1..3): its colour, or the system colour reference it starts with.
    const core::SwatchValue& swatchValue(int k) const { return m_now.state.swatch.at(index(k)); }
    /// The colour swatch k shows (24-bit).
    core::Color swatchColor(int k) const;
    const core::ColumnTexts& texts(int k) const { return m_now.state.texts.at(index(k)); }
    const std::string& text(int k, Field field) const;
    /// Construction line k (1 white, 2 and 3 grey).
    const core::LineState& line(int k) const { return m_now.state.lines.at(index(k)); }

    /// Whether a tracked move repaints the preview too (otherwise only a click, a rule or a
    /// style does).
    bool followsPreview() const { return m_now.followPreview; }
    /// The colours (24-bit, in swatch order) the preview was last painted in; none before
    /// the first paint.
    const std::optional<std::array<core::Color, 3>>& previewPaint() const {
        return m_now.previewPaint;
    }
    /// The colours the three swatches show.
    std::array<core::Color, 3> swatchColors() const;
    /// How many colours a scheme of the rule has: two for complementary (its third swatch
    /// keeps what it held), three for the others.
    static size_t colorCount(core::SchemeType rule);
    size_t colorCount() const { return colorCount(m_now.rule); }
    /// Whether there is a scheme: false until the rule first runs (a pick, a rule or style
    /// choice, a base), while the swatches still hold the system colour they start with.
    bool hasScheme() const;
    /// The colours an exported palette holds: those the scheme's own swatches show.
    std::vector<core::Color> schemeColors() const;
    /// The exact OKLCH of swatch k (1..3) on the perceptual wheel: the colour the disc, the
    /// chosen base or Monochromatic's lightness step gives, which its 8-bit colour is the sRGB
    /// gamut mapping of (outside sRGB it reaches wider screens). None on the classic wheels,
    /// where the 8-bit colour is the colour, before the first scheme, for complementary's third
    /// swatch and for a swatch given a colour of its own.
    std::optional<core::Oklch> exactColor(int k) const;
    /// exactColor of each colour schemeColors holds, in the same order.
    std::vector<std::optional<core::Oklch>> exactColors() const;
    /// The page's colour roles in light and dark, from the scheme's colours (exact where
    /// known) and the roles the designer set.
    colorscience::Roles roles() const;
    const colorscience::RoleOverrides& roleOverrides() const { return m_now.roles; }

    /// The texts a colours file holds, column by column, as the fields stand: single-byte
    /// text, where a character beyond Latin-1 becomes "?".
    std::array<core::ColumnTexts, 3> fileTexts() const;

    /// The exact OKLCH a rule's point at angle (degrees) and radius (wheel pixels) stands for
    /// on the perceptual disc of s: the disc's colour there at s's lightness, or around a
    /// chosen base beyond the rim's chroma (drawn on the rim) the base's chroma times the
    /// radius over the base's.
    static core::Oklch polarColor(const Snapshot& s, double angle, double radius);

    /// A pointer move over the wheel; a frozen wheel ignores it. Returns whether the scheme
    /// took it (not frozen, and the pixel under the pointer lies on the wheel's surface).
    bool trackPointer(float x, float y);
    /// A press on the wheel: freezes or releases the scheme.
    void toggleFreeze();
    void setRule(core::SchemeType rule);
    /// A preview style choice (-1: the choice named no style); the rule runs again.
    void setPreviewStyle(int index);
    /// Puts another raster on the wheel; only the picture changes.
    void setRaster(WheelRaster kind);
    /// A new lightness for the perceptual disc (clamped to 0..1). In the perceptual mode the
    /// rule runs again at the pointer, frozen or not: the lightness is a choice as deliberate
    /// as a rule's, and a frozen scheme that ignored it would show colours the disc no longer
    /// holds.
    void setLightness(double L);
    /// A scheme around a chosen colour, then frozen so the pointer's next move keeps it. On the
    /// perceptual wheel the lightness becomes exact.L, the pointer goes to its hue and chroma
    /// (on the rim for a chroma beyond it), the rule derives the partners from exact's L, C and
    /// h and column 2 shows rgb8 itself; on the classic wheels the pointer goes to the pixel
    /// nearest to rgb8.
    void setBaseColor(core::ColorRGB rgb8, const core::Oklch& exact);
    /// Swatch k (1..3) takes color (24-bit) with its six texts, and the scheme freezes as after
    /// a click, so the pointer's next move keeps it; the next click releases it as usual.
    void setSwatchColor(int k, core::Color color);
    /// Role of theme takes value, or with none goes back to the contrast search; only the
    /// roles change, and nothing is announced when they stay as they were.
    void setRole(colorscience::Theme theme, colorscience::Role role,
                 const std::optional<colorscience::RoleOverride>& value);
    /// A text typed into a field of column k; not a scheme change, so nothing is announced.
    void setText(int k, Field field, const std::string& text);
    /// Whether tracked moves repaint the preview; nothing is announced.
    void setFollowPreview(bool on) { m_now.followPreview = on; }

signals:
    void changed(scheme::Change what);

private:
    static size_t index(int k) { return static_cast<size_t>(k - 1); }
    std::string& textRef(int k, Field field);
    void rerun();
    /// Runs the rule on the perceptual disc at the pointer, or around the chosen base.
    void rerunPerceptual();
    void paintPreview() { m_now.previewPaint = swatchColors(); }

    core::Raster m_default;
    core::Raster m_webSafe;
    core::Raster m_start;
    mutable std::unique_ptr<core::PerceptualDisc> m_disc;
    mutable bool m_discStale = true;
    Snapshot m_now;
};

} // namespace scheme
