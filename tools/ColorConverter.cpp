#include "ColorConverter.h"

#include "core/Numeric.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <optional>
#include <vector>

namespace tools {

namespace {

/// The characters of a text as code points: well-formed UTF-8 as Qt reads it; any other
/// text byte by byte, each byte standing for itself.
QList<uint> characters(const std::string& text) {
    const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
    // a byte-order mark is a character like any other, and a cut-off sequence at the end an
    // error, as in the middle
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    QString decoded = utf8(bytes);
    if (utf8.hasError())
        decoded = QString::fromLatin1(bytes);
    return decoded.toUcs4();
}

/// Upper case as the codes' 8-bit code page knows it: its own letters only, the micro sign
/// (whose capital lies outside it) staying as it is.
uint upperCase(uint c) {
    constexpr uint kMicroSign = 0xB5;
    return c <= 0xFF && c != kMicroSign ? QChar::toUpper(c) : c;
}

int characterValue(uint c) {
    const int code = static_cast<int>(c);
    const char32_t one[] = {c};
    return isDigit(QString::fromUcs4(one, 1).toStdString()) ? code - 48 : code - 55;
}

/// One component from two characters, stored twice into a byte as the hardware would.
uint8_t pairValue(uint high, uint low) {
    const auto first = static_cast<uint8_t>(16 * characterValue(high));
    return static_cast<uint8_t>(first + characterValue(low));
}

std::string number(int value) {
    return std::to_string(value);
}

std::string webSafeCode(core::Color value, core::SystemColorLookup sysColor) {
    return core::htmlCode(core::webSafeColor(value, sysColor));
}

std::vector<std::string> splitAtDashes(const std::string& text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t dash = text.find('-', start);
        if (dash == std::string::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, dash - start));
        start = dash + 1;
    }
}

// ---- steps: each either completes or leaves its field alone ----

void setSwatchFromRgbField(ConverterFields& f) {
    const auto value = core::readInt32(f.decimal);
    // only ordinary colour values reach the swatch; anything else would paint a system colour
    // or nothing at all
    if (!value || *value < 0 || *value > core::kWhite)
        return;
    f.swatch = *value;
}

void setWebSafeFromRgbField(ConverterFields& f, core::SystemColorLookup sysColor) {
    const auto value = core::readInt32(f.decimal);
    if (!value)
        return;
    f.webSafe = webSafeCode(*value, sysColor);
}

void setHtmlFromRgbField(ConverterFields& f) {
    const auto value = core::readInt32(f.decimal);
    if (!value)
        return;
    f.html = core::htmlCode(*value);
}

void setComponents(ConverterFields& f, uint8_t r, uint8_t g, uint8_t b) {
    f.red = number(r);
    f.green = number(g);
    f.blue = number(b);
}

void setRgbFromPieces(ConverterFields& f, const std::vector<std::string>& pieces) {
    if (pieces.size() < 3)
        return;
    int component[3];
    for (size_t i = 0; i < 3; ++i) {
        const auto v = core::readInt16(pieces[i]);
        if (!v)
            return;
        component[i] = std::clamp<int>(*v, 0, 255);
    }
    f.decimal = number(core::rgbValue(component[0], component[1], component[2]));
}

void convertHtmlCode(ConverterFields& f, core::SystemColorLookup sysColor) {
    uint8_t r = 0, g = 0, b = 0;
    hexToRgb(f.source, r, g, b);
    const core::Color value = core::rgbValue(r, g, b);
    f.decimal = number(value);
    setComponents(f, r, g, b);
    setSwatchFromRgbField(f);
    f.webSafe = webSafeCode(value, sysColor);
    f.html = core::htmlCode(value);
}

void convertComponents(ConverterFields& f, core::SystemColorLookup sysColor) {
    const std::vector<std::string> pieces = splitAtDashes(f.source);
    std::string* targets[] = {&f.red, &f.green, &f.blue};
    for (size_t i = 0; i < 3 && i < pieces.size(); ++i)
        *targets[i] = pieces[i];
    setRgbFromPieces(f, pieces);
    setSwatchFromRgbField(f);
    setWebSafeFromRgbField(f, sysColor);
    setHtmlFromRgbField(f);
}

void convertDecimal(ConverterFields& f, core::SystemColorLookup sysColor) {
    f.decimal = f.source;
    setWebSafeFromRgbField(f, sysColor);
    setHtmlFromRgbField(f);
    uint8_t r = 0, g = 0, b = 0;
    hexToRgb(f.html, r, g, b);
    setComponents(f, r, g, b);
    setSwatchFromRgbField(f);
}

} // namespace

bool isDigit(std::string_view text) {
    return text.size() == 1 && text[0] >= '0' && text[0] <= '9';
}

void hexToRgb(const std::string& code, uint8_t& r, uint8_t& g, uint8_t& b) {
    QList<uint> c = characters(code);
    std::transform(c.begin(), c.end(), c.begin(), upperCase);
    qsizetype first;
    if (c.size() == 7 && c[0] == U'#')
        first = 1;
    else if (c.size() == 6)
        first = 0;
    else
        return;
    r = pairValue(c[first], c[first + 1]);
    g = pairValue(c[first + 2], c[first + 3]);
    b = pairValue(c[first + 4], c[first + 5]);
}

void convertColorCode(ConverterFields& fields, core::SystemColorLookup sysColor) {
    if (!fields.source.empty() && fields.source[0] == '#')
        convertHtmlCode(fields, sysColor);
    else if (fields.source.find('-') != std::string::npos)
        convertComponents(fields, sysColor);
    else
        convertDecimal(fields, sysColor);
}

} // namespace tools
