#include "Sheet.h"

#include "core/CssColor.h"
#include "core/SchemeRules.h"
#include "core/Text.h"
#include "scheme/WheelNames.h"

#include <QFileInfo>

#include <algorithm>
#include <cctype>

namespace sheet {

ColorCodes colorCodes(core::ColorRGB color) {
    return {core::hexText(color), core::rgbText(color), core::hslText(color),
            core::oklchText(color), core::namedColorText(color)};
}

QString titleOf(const QString& documentPath) {
    if (documentPath.isEmpty())
        return kUntitled;
    QString name = QFileInfo(documentPath).fileName();
    // a control character is no text to show, and the SVG's XML holds no control character
    // but tab and line ends, no U+FFFE or U+FFFF and no half of a surrogate pair
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.category() == QChar::Other_Control || c.isSurrogate() || c.unicode() == 0xFFFE ||
            c.unicode() == 0xFFFF)
            name[i] = QChar::ReplacementCharacter;
    }
    const QString tokens = QStringLiteral(".tokens.json");
    if (name.endsWith(tokens, Qt::CaseInsensitive) && name.size() > tokens.size())
        return name.chopped(int(tokens.size()));
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

SheetContent sheetOf(const scheme::SchemeModel& model, const QString& title, const QDate& date,
                     const QImage& preview) {
    SheetContent content;
    content.title = title;
    content.date = date;
    content.rule = model.rule();
    content.raster = model.wheelRaster();
    content.lightness = model.lightness();
    for (const core::Color c : model.schemeColors())
        content.colors.push_back(core::splitColor(c));
    content.system = colorscience::designSystemOf(content.colors, model.exactColors());
    content.preview = preview;
    return content;
}

QString originText(const SheetContent& content) {
    QString text = QStringLiteral("%1 rule, %2 wheel")
                       .arg(QLatin1String(core::schemeRule(content.rule).caption),
                            QLatin1String(scheme::wheelName(content.raster).caption));
    if (content.raster == scheme::WheelRaster::Perceptual)
        text += QStringLiteral(" at lightness %1%").arg(content.lightness * 100, 0, 'f', 1);
    return text;
}

std::optional<SheetFormat> sheetFormatForFileName(std::string_view fileName) {
    if (core::endsWithNoCase(fileName, ".png"))
        return SheetFormat::Png;
    if (core::endsWithNoCase(fileName, ".svg"))
        return SheetFormat::Svg;
    if (core::endsWithNoCase(fileName, ".pdf"))
        return SheetFormat::Pdf;
    return std::nullopt;
}

} // namespace sheet
