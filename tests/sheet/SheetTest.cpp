#include "support/QtTestMain.h"

#include "colorscience/VisionSimulation.h"
#include "core/CssColor.h"
#include "sheet/SheetPainter.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using sheet::SheetContent;

namespace {

/// A stand-in for the preview: every pixel another colour, so each simulation changes it.
QImage previewPicture() {
    QImage image(373, 269, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / 372, y * 255 / 268, (x * 7 + y * 3) % 256));
    return image;
}

/// The sheet of a scheme set around base as Set Base Color sets it.
SheetContent contentOf(core::SchemeType rule, scheme::WheelRaster raster, const QString& base) {
    const core::ColorRGB rgb = core::rgb8Of(*core::parseCssColor(base.toStdString()).color);
    scheme::SchemeModel model;
    model.setRaster(raster);
    model.setRule(rule);
    model.setBaseColor(rgb, core::toOklch(core::oklabOf(rgb)));
    return sheet::sheetOf(model, QStringLiteral("brand <&> book"), QDate(2024, 3, 9),
                          previewPicture());
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

/// Everything the sheet says, word by word, in the order it says it: the codes computed here
/// from the scheme's colours.
QStringList expectedWords(const SheetContent& c) {
    QStringList said = {c.title, QStringLiteral("2024-03-09"), sheet::originText(c)};
    for (size_t i = 0; i < c.colors.size(); ++i) {
        const sheet::ColorCodes codes = sheet::colorCodes(c.colors[i]);
        said << QStringLiteral("Color %1").arg(i + 1) + (i == 1 ? " (base)" : "") << "HEX"
             << text(codes.hex) << "RGB" << text(codes.rgb) << "HSL" << text(codes.hsl) << "OKLCH"
             << text(codes.oklch);
        if (!codes.cssName.empty())
            said << "CSS" << text(codes.cssName);
    }
    for (size_t r = 0; r < c.system.ramps.size(); ++r) {
        said << text(colorscience::rampName(r, c.colors.size()));
        for (const colorscience::RampStep& step : c.system.ramps[r].steps)
            said << QString::number(step.step) << text(core::hexText(step.color));
    }
    const std::vector<core::ColorRGB> backgrounds = [&c] {
        std::vector<core::ColorRGB> all = c.colors;
        all.push_back({255, 255, 255});
        all.push_back({0, 0, 0});
        return all;
    }();
    for (size_t r = 0; r < c.colors.size(); ++r) {
        for (size_t b = 0; b < backgrounds.size(); ++b) {
            const double ratio = colorscience::contrastOf(c.colors[r], backgrounds[b]);
            if (b != r)
                said << text(colorscience::ratioText(ratio)) + " " + colorscience::levelMark(ratio);
        }
    }
    for (int s = 0; s < colorscience::kSimulationCount; ++s)
        said << colorscience::simulationName(static_cast<colorscience::Simulation>(s));
    return said.join(' ').split(' ', Qt::SkipEmptyParts);
}

/// The first of the wanted words that the text does not say in that order, or empty.
QString firstMissing(const QStringList& wanted, const QStringList& text) {
    qsizetype at = 0;
    for (const QString& word : wanted) {
        at = text.indexOf(word, at);
        if (at < 0)
            return word;
        ++at;
    }
    return {};
}

QStringList svgWords(const QByteArray& svg) {
    QStringList words;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            words << xml.readElementText().split(' ', Qt::SkipEmptyParts);
    }
    return words;
}

/// The SVG's title element, checking that it is one whole XML document of 1600 x 1131 units.
QString svgTitle(const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    QString title;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("svg") &&
                xml.attributes().value("viewBox") != QLatin1String("0 0 1600 1131"))
                return QStringLiteral("<no 1600 x 1131 view box>");
            if (xml.name() == QLatin1String("title"))
                title = xml.readElementText();
        }
    }
    return xml.hasError() ? xml.errorString() : title;
}

/// What a poppler tool (pdftotext, pdfinfo) prints for the PDF.
QString popplerText(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(tool, process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class tst_Sheet : public QObject {
    Q_OBJECT

private slots:
    void textReadsBackFromTheSvgAndThePdf_data() {
        QTest::addColumn<int>("rule");
        QTest::addColumn<int>("raster");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QStringList>("known");
        // the codes of the base checked by hand, beside the ones computed
        QTest::newRow("triad on the perceptual wheel")
            << int(core::SchemeType::Triad) << int(scheme::WheelRaster::Perceptual) << "#3366CC"
            << QStringList{"Color 2 (base)",
                           "#3366CC",
                           "rgb(51, 102, 204)",
                           "hsl(220, 60%, 50%)",
                           "oklch(53.25% 0.1679 262.29)",
                           "CSS \u2248 royalblue",
                           "5.36:1 AA",
                           "Triad rule, Perceptual wheel at lightness 53.2%"};
        QTest::newRow("complementary: two colours")
            << int(core::SchemeType::Complementary) << int(scheme::WheelRaster::Default)
            << "#2A7F62" << QStringList{"Complementary rule, Default wheel"};
        QTest::newRow("monochromatic red")
            << int(core::SchemeType::Monochromatic) << int(scheme::WheelRaster::Perceptual)
            << "#FF0000"
            << QStringList{"#FF0000", "rgb(255, 0, 0)", "= red", "3.99:1 AA large", "5.25:1 AA"};
    }

    void textReadsBackFromTheSvgAndThePdf() {
        QFETCH(int, rule);
        QFETCH(int, raster);
        QFETCH(QString, base);
        QFETCH(QStringList, known);
        const SheetContent content = contentOf(static_cast<core::SchemeType>(rule),
                                               static_cast<scheme::WheelRaster>(raster), base);
        QStringList wanted = expectedWords(content);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("s.pdf"));
        QString error;
        QVERIFY2(sheet::writeSheet(pdf, sheet::SheetFormat::Pdf, content, 1, &error),
                 qPrintable(error));
        const QStringList svg = svgWords(sheet::sheetBytes(sheet::SheetFormat::Svg, content));
        // in the order the page is drawn in, as a reader copies it
        const QStringList printed = popplerText("pdftotext", {"-raw", "-enc", "UTF-8", pdf, "-"})
                                        .split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
        QCOMPARE(firstMissing(wanted, svg), QString());
        QCOMPARE(firstMissing(wanted, printed), QString());
        for (const QString& line : known) {
            const QStringList words = line.split(' ');
            QVERIFY2(firstMissing(words, wanted).isEmpty(), qPrintable(line));
            QVERIFY2(svg.join(' ').contains(line), qPrintable(line));
        }
        QCOMPARE(svg.count("HEX"), qsizetype(content.colors.size()));
        QVERIFY(popplerText("pdfinfo", {pdf})
                    .contains(QRegularExpression("Pages: +1\\n.*Page size: +842 x 595 pts \\(A4\\)",
                                                 QRegularExpression::DotMatchesEverythingOption)));
        QCOMPARE(svgTitle(sheet::sheetBytes(sheet::SheetFormat::Svg, content)), content.title);
    }

    void pngSwatchesAndPreviewsAreExact_data() {
        QTest::addColumn<int>("scale");
        QTest::newRow("1x") << 1;
        QTest::newRow("2x") << 2;
    }

    // every pixel of a swatch, of a ramp chip's corner and of each simulated preview is the
    // colour itself, read back from the PNG file
    void pngSwatchesAndPreviewsAreExact() {
        QFETCH(int, scale);
        const SheetContent content = contentOf(core::SchemeType::SplitComplementary,
                                               scheme::WheelRaster::Default, "#3366CC");
        const QImage png =
            QImage::fromData(sheet::sheetBytes(sheet::SheetFormat::Png, content, scale), "PNG");
        QCOMPARE(png.size(), QSize(1600, 1131) * scale);
        const auto at = [&png, scale](int x, int y) { return png.pixel(x * scale, y * scale); };
        for (size_t i = 0; i < content.colors.size(); ++i) {
            const core::ColorRGB c = content.colors[i];
            const QRect swatch = sheet::swatchRect(i);
            int wrong = 0;
            for (int y = swatch.top() * scale; y <= swatch.bottom() * scale + scale - 1; ++y)
                for (int x = swatch.left() * scale; x <= swatch.right() * scale + scale - 1; ++x)
                    wrong += png.pixel(x, y) != qRgb(c.r, c.g, c.b);
            QCOMPARE(wrong, 0);
        }
        for (size_t r = 0; r < content.system.ramps.size(); ++r) {
            for (size_t s = 0; s < colorscience::kRampSize; ++s) {
                const core::ColorRGB c = content.system.ramps[r].steps[s].color;
                const QRect chip = sheet::rampChipRect(r, s);
                QCOMPARE(at(chip.left() + 3, chip.top() + 3), qRgb(c.r, c.g, c.b));
                QCOMPARE(at(chip.right(), chip.bottom()), qRgb(c.r, c.g, c.b));
            }
        }
        for (int s = 0; s < colorscience::kSimulationCount; ++s) {
            const auto simulation = static_cast<colorscience::Simulation>(s);
            const QRect place = sheet::simulationRect(simulation);
            const auto seen = [simulation](QRgb pixel) {
                const core::ColorRGB c = colorscience::simulate(
                    simulation,
                    {uint8_t(qRed(pixel)), uint8_t(qGreen(pixel)), uint8_t(qBlue(pixel))});
                return qRgb(c.r, c.g, c.b);
            };
            int wrong = 0;
            for (int y = 0; y < content.preview.height(); y += 3)
                for (int x = 0; x < content.preview.width(); x += 3)
                    wrong +=
                        at(place.left() + x, place.top() + y) != seen(content.preview.pixel(x, y));
            QCOMPARE(wrong, 0);
        }
    }

    // a document's name without its extension, control characters shown as U+FFFD: the SVG
    // stays one well-formed document whatever the file is called
    void titlesComeFromTheDocumentsName_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("none") << ""
                              << "Untitled scheme";
        QTest::newRow("tokens") << "/d/brand.tokens.json"
                                << "brand";
        QTest::newRow("any case") << "/d/Brand.TOKENS.JSON"
                                  << "Brand";
        QTest::newRow("other extension") << "/d/x.y.json"
                                         << "x.y";
        QTest::newRow("markup") << "/d/<a & b>.tokens.json"
                                << "<a & b>";
        QTest::newRow("control characters") << "/d/a\x1b]0;t\x07\x7f.tokens.json"
                                            << "a\uFFFD]0;t\uFFFD\uFFFD";
        QTest::newRow("noncharacters") << "/d/Brand\uFFFENew\uFFFF.tokens.json"
                                       << "Brand\uFFFDNew\uFFFD";
        const QChar high(0xD800), low(0xDC00), emoji[] = {QChar(0xD83D), QChar(0xDE00)};
        QTest::newRow("lone surrogates")
            << "/d/a" + QString(high) + "b" + low + QString(emoji, 2) + ".tokens.json"
            << "a\uFFFDb\uFFFD" + QString(emoji, 2);
    }

    void titlesComeFromTheDocumentsName() {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(sheet::titleOf(path), title);
        SheetContent content =
            contentOf(core::SchemeType::Triad, scheme::WheelRaster::Default, "#3366CC");
        content.title = sheet::titleOf(path);
        QCOMPARE(svgTitle(sheet::sheetBytes(sheet::SheetFormat::Svg, content)), title);
    }

    void cssNamesAreGivenOnlyWhenNear_data() {
        QTest::addColumn<QString>("color");
        QTest::addColumn<QString>("name");
        QTest::newRow("exact") << "#FF0000"
                               << "= red";
        QTest::newRow("shared colour: the first name") << "#00FFFF"
                                                       << "= aqua";
        QTest::newRow("near") << "#FE0202"
                              << "\u2248 red";
        QTest::newRow("0.045 from a name") << "#7A1FD0"
                                           << "\u2248 blueviolet";
        QTest::newRow("0.057 from the nearest") << "#7F00FF"
                                                << "";
        QTest::newRow("far from every name") << "#5A00FF"
                                             << "";
    }

    void cssNamesAreGivenOnlyWhenNear() {
        QFETCH(QString, color);
        QFETCH(QString, name);
        const core::ColorRGB c = core::rgb8Of(*core::parseCssColor(color.toStdString()).color);
        QCOMPARE(text(sheet::colorCodes(c).cssName), name);
    }
};

CHROMALUNE_TEST_MAIN(tst_Sheet)
#include "SheetTest.moc"
