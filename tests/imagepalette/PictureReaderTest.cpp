#include "imagepalette/PictureReader.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <future>

#include <sys/stat.h>
#include <unistd.h>

using core::ColorRGB;
using imagepalette::FoundColor;
using imagepalette::PicturePalette;
using imagepalette::PictureRead;

namespace {

const ColorRGB kBlue{51, 102, 204};
const ColorRGB kOrange{232, 163, 61};
const ColorRGB kGreen{46, 139, 87};
const ColorRGB kRaspberry{194, 24, 91};

/// Bytes of the values 0..255 given.
QByteArray bytesOf(std::initializer_list<unsigned> values) {
    QByteArray bytes;
    for (const unsigned v : values)
        bytes += char(v & 0xFFu);
    return bytes;
}

QColor qColorOf(ColorRGB c) {
    return {c.r, c.g, c.b};
}

/// width x height of four patches: blue the left half, orange the top right quarter, green
/// 15 % and raspberry 10 % below it; the raspberry starts at 4/5 of the width.
QImage patches(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height, qColorOf(kBlue));
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, qColorOf(kOrange));
    painter.fillRect(width / 2, height / 2, width * 4 / 5 - width / 2, height - height / 2,
                     qColorOf(kGreen));
    painter.fillRect(width * 4 / 5, height / 2, width - width * 4 / 5, height - height / 2,
                     qColorOf(kRaspberry));
    return image;
}

class PictureFiles : public testing::Test {
protected:
    /// image written in format to a file of the temporary folder.
    QString write(const QImage& image, const char* format, const QString& name = {}) {
        QString path = m_dir.filePath(
            name.isEmpty() ? QStringLiteral("picture.") + QLatin1String(format) : name);
        QImageWriter writer(path, format);
        writer.setQuality(95);
        EXPECT_TRUE(writer.write(image)) << format << writer.errorString().toStdString();
        return path;
    }
    /// bytes in a file of the temporary folder.
    QString writeBytes(const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QTemporaryDir m_dir;
};

const FoundColor& nearestTo(const std::vector<FoundColor>& found, ColorRGB c) {
    const auto distance = [&](const FoundColor& f) {
        return core::deltaEOK(f.oklab, core::oklabOf(c));
    };
    return *std::min_element(found.begin(), found.end(), [&](const auto& l, const auto& r) {
        return distance(l) < distance(r);
    });
}

/// What is written to the standard error (the file, whoever writes it) while it lives.
class StandardError {
public:
    StandardError() : m_file(std::tmpfile()) {
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        ::dup2(fileno(m_file), STDERR_FILENO);
    }
    ~StandardError() { release(); }
    std::string text() {
        release();
        std::string text(size_t(std::ftell(m_file)), '\0');
        std::rewind(m_file);
        text.resize(std::fread(text.data(), 1, text.size(), m_file));
        return text;
    }

private:
    void release() {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
        std::fseek(m_file, 0, SEEK_END);
    }
    std::FILE* m_file;
    int m_saved = -1;
};

class EveryFormat : public PictureFiles, public testing::WithParamInterface<const char*> {};

/// A PNG chunk: length, type, data and the CRC-32 of type and data.
QByteArray pngChunk(const char* type, const QByteArray& data) {
    QByteArray chunk = QByteArray(type) + data;
    uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : chunk) {
        crc ^= uint8_t(byte);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc = ~crc;
    const auto be32 = [](uint32_t v) { return bytesOf({v >> 24, v >> 16, v >> 8, v}); };
    return be32(uint32_t(data.size())) + chunk + be32(crc);
}

/// A 2 x 2 GIF of two frames, the first orange, the second blue. Each code follows a clear
/// code, so the codes stay 3 bits wide and the table never grows.
QByteArray twoFrameGif() {
    QByteArray gif("GIF89a\x02\x00\x02\x00\xF1\x00\x00", 13);
    for (const ColorRGB c : {kOrange, kBlue, ColorRGB{0, 0, 0}, ColorRGB{255, 255, 255}})
        gif += bytesOf({c.r, c.g, c.b});
    gif += QByteArray("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (int index = 0; index < 2; ++index) {
        gif += QByteArray("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8);
        gif += QByteArray("\x2C\x00\x00\x00\x00\x02\x00\x02\x00\x00\x02", 11);
        uint32_t bits = 0;
        for (int pixel = 0; pixel < 4; ++pixel)
            bits |= uint32_t(4 | index << 3) << (6 * pixel);
        bits |= 5u << 24;
        gif += bytesOf({4, bits, bits >> 8, bits >> 16, bits >> 24, 0});
    }
    return gif + ';';
}

} // namespace

TEST_P(EveryFormat, FindsThePatchesWhereTheyAre) {
    const QString path = write(patches(400, 300), GetParam());
    const PicturePalette got = imagepalette::readPicturePalette(path);
    ASSERT_TRUE(got.error.isEmpty()) << got.error.toStdString();
    EXPECT_EQ(got.picture->size, QSize(400, 300));
    EXPECT_EQ(got.picture->preview.size(), QSize(400, 300));
    const std::pair<ColorRGB, double> expected[] = {
        {kBlue, 50}, {kOrange, 25}, {kGreen, 15}, {kRaspberry, 10}};
    for (const auto& [color, share] : expected) {
        const FoundColor& f = nearestTo(got.extraction.dominant, color);
        EXPECT_LT(core::deltaEOK(f.oklab, core::oklabOf(color)), 0.02) << core::hexText(color);
        EXPECT_NEAR(f.share, share, 2.0) << core::hexText(color);
    }
    const FoundColor& raspberry = nearestTo(got.extraction.colors, kRaspberry);
    EXPECT_GE(raspberry.x, 320);
    EXPECT_GE(raspberry.y, 150);
    const std::optional<ColorRGB> clicked = imagepalette::colorAt(*got.picture, {380, 280});
    ASSERT_TRUE(clicked);
    EXPECT_LT(core::deltaEOK(core::oklabOf(*clicked), core::oklabOf(kRaspberry)), 0.02);
    EXPECT_FALSE(imagepalette::colorAt(*got.picture, {400, 10}));
    EXPECT_EQ(imagepalette::readPicturePalette(path).extraction.colors, got.extraction.colors);
}

INSTANTIATE_TEST_SUITE_P(PictureReader, EveryFormat,
                         testing::Values("png", "jpeg", "bmp", "webp", "tiff"));

TEST_F(PictureFiles, TransparentPixelsAreLeftOutAndTranslucentOnesKeepTheirColour) {
    // left half clear, top right green at alpha 200, bottom right blue
    QImage image(100, 100, QImage::Format_ARGB32);
    image.fill(QColor(255, 0, 0, 0));
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(50, 0, 50, 50, QColor(kGreen.r, kGreen.g, kGreen.b, 200));
    painter.fillRect(50, 50, 50, 50, qColorOf(kBlue));
    painter.end();
    for (const char* format : {"png", "tiff", "webp"}) {
        const PicturePalette got = imagepalette::readPicturePalette(write(image, format));
        ASSERT_TRUE(got.error.isEmpty()) << format << got.error.toStdString();
        for (const ColorRGB color : {kGreen, kBlue}) {
            const FoundColor& f = nearestTo(got.extraction.colors, color);
            EXPECT_LT(core::deltaEOK(f.oklab, core::oklabOf(color)), 0.02) << format;
            EXPECT_NEAR(f.share, 50, 2) << format;
        }
    }
}

TEST_F(PictureFiles, ALargePictureIsSampledSmallAtItsOwnCoordinates) {
    for (const char* format : {"jpeg", "png"}) {
        const QString path = write(patches(3000, 2000), format);
        const PicturePalette got = imagepalette::readPicturePalette(path);
        ASSERT_TRUE(got.error.isEmpty()) << format << got.error.toStdString();
        EXPECT_EQ(got.picture->size, QSize(3000, 2000));
        EXPECT_EQ(got.picture->preview.size(), QSize(512, 341));
        // the preview is the picture made small, its patches where they were
        for (const auto& [point, color] :
             {std::pair{QPoint(300, 1000), kBlue}, std::pair{QPoint(2900, 1900), kRaspberry}}) {
            const std::optional<ColorRGB> shown = imagepalette::colorAt(*got.picture, point);
            ASSERT_TRUE(shown) << format;
            EXPECT_LT(core::deltaEOK(core::oklabOf(*shown), core::oklabOf(color)), 0.02) << format;
        }
        EXPECT_NEAR(double(got.picture->samples.size()), 128 * 128, 200);
        const FoundColor& raspberry = nearestTo(got.extraction.colors, kRaspberry);
        EXPECT_NEAR(raspberry.share, 10, 2) << format;
        EXPECT_GE(raspberry.x, 2400) << format;
        EXPECT_GE(raspberry.y, 1000) << format;
        const QPoint shown = imagepalette::previewPointOf(*got.picture, {2999, 1999});
        EXPECT_EQ(shown, QPoint(511, 340));
        EXPECT_EQ(imagepalette::originalPointOf(*got.picture, QPointF(256, 170.5)),
                  QPoint(1500, 1000));
    }
}

TEST_F(PictureFiles, ARotatedPhotoIsReadAsItIsShown) {
    // an EXIF orientation of 6: the stored picture is shown turned a quarter clockwise
    QByteArray jpeg = readAll(write(patches(1200, 800), "jpeg"));
    jpeg.insert(2, QByteArray("\xFF\xE1\x00\x22"
                              "Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0"
                              "\0\0\0\0",
                              36));
    const PicturePalette got =
        imagepalette::readPicturePalette(writeBytes(QStringLiteral("turned.jpg"), jpeg));
    ASSERT_TRUE(got.error.isEmpty()) << got.error.toStdString();
    EXPECT_EQ(got.picture->size, QSize(800, 1200));
    EXPECT_EQ(got.picture->preview.size(), QSize(341, 512));
    // the raspberry, bottom right as stored, is bottom left as shown
    const FoundColor& raspberry = nearestTo(got.extraction.colors, kRaspberry);
    EXPECT_LT(raspberry.x, 400);
    EXPECT_GE(raspberry.y, 960);
}

// A photo tagged with its colour space is read in it: a colour inside sRGB comes out as it
// was, one beyond it exactly, and the palette keeps it so.
TEST_F(PictureFiles, ATaggedPictureIsReadInItsOwnColourSpace) {
    const ColorRGB brick{200, 85, 61};
    QImage adobe(300, 200, QImage::Format_RGB32);
    adobe.fill(qColorOf(brick));
    adobe.setColorSpace(QColorSpace::SRgb);
    adobe.convertToColorSpace(QColorSpace::AdobeRgb);
    // the left half pure display-p3 red, far beyond sRGB; the right half the brick
    QImage p3 = adobe.convertedToColorSpace(QColorSpace::DisplayP3);
    QPainter(&p3).fillRect(0, 0, 150, 200, QColor(255, 0, 0));
    const core::Oklab p3Red = core::oklabOf(core::linearP3Of(core::DisplayP3{1, 0, 0}));
    for (const auto& [image, format] :
         {std::pair{adobe, "jpeg"}, std::pair{adobe, "png"}, std::pair{p3, "png"}}) {
        const PicturePalette got = imagepalette::readPicturePalette(write(image, format));
        ASSERT_TRUE(got.error.isEmpty()) << got.error.toStdString();
        const FoundColor& found = nearestTo(got.extraction.dominant, brick);
        EXPECT_LT(core::deltaEOK(found.oklab, core::oklabOf(brick)), 0.01) << format;
        EXPECT_FALSE(found.beyondSrgb);
        const std::optional<ColorRGB> clicked = imagepalette::colorAt(*got.picture, {250, 100});
        EXPECT_LT(core::deltaEOK(core::oklabOf(clicked.value()), core::oklabOf(brick)), 0.01);
    }
    const PicturePalette wide = imagepalette::readPicturePalette(write(p3, "png"));
    ASSERT_EQ(wide.extraction.dominant.size(), 2u);
    const FoundColor& red = wide.extraction.dominant[0].beyondSrgb ? wide.extraction.dominant[0]
                                                                   : wide.extraction.dominant[1];
    EXPECT_TRUE(red.beyondSrgb);
    EXPECT_LT(core::deltaEOK(red.oklab, p3Red), 0.005);
    EXPECT_NEAR(red.share, 50, 1);
    const core::Palette palette = imagepalette::paletteOf(wide.extraction);
    const auto entry = std::find_if(palette.colors.begin(), palette.colors.end(),
                                    [](const auto& c) { return c.color.outOfGamut; });
    ASSERT_NE(entry, palette.colors.end());
    EXPECT_LT(core::deltaEOK(entry->color.oklab, p3Red), 0.005);
    EXPECT_EQ(entry->rgb, core::rgb8Of(entry->color));
}

TEST_F(PictureFiles, OneColourAndTheFirstFrameGiveOneColour) {
    QImage one(1, 1, QImage::Format_RGB32);
    one.fill(qColorOf(kGreen));
    QImage flat(64, 48, QImage::Format_RGB32);
    flat.fill(qColorOf(kOrange));
    const std::pair<QString, ColorRGB> cases[] = {
        {write(one, "png", QStringLiteral("one.png")), kGreen},
        {write(flat, "bmp", QStringLiteral("flat.bmp")), kOrange},
        {writeBytes(QStringLiteral("animated.gif"), twoFrameGif()), kOrange}};
    EXPECT_EQ(QImageReader(cases[2].first).imageCount(), 2);
    for (const auto& [path, color] : cases) {
        const PicturePalette got = imagepalette::readPicturePalette(path);
        ASSERT_TRUE(got.error.isEmpty()) << got.error.toStdString();
        ASSERT_EQ(got.extraction.colors.size(), 1u) << path.toStdString();
        EXPECT_EQ(got.extraction.colors[0].rgb, color) << path.toStdString();
        EXPECT_DOUBLE_EQ(got.extraction.colors[0].share, 100.0);
        EXPECT_EQ(imagepalette::paletteOf(got.extraction).colors.size(), 2u);
    }
}

TEST_F(PictureFiles, BadFilesAreRefusedWithTheReason) {
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImage noise(200, 200, QImage::Format_RGB32);
        for (int i = 0; i < 200 * 200; ++i)
            noise.setPixel(i % 200, i / 200, uint(i) * 2654435761u);
        noise.save(&buffer, "png");
    }
    const QString jpeg = write(patches(400, 300), "jpeg");
    QByteArray unknownMarker = readAll(jpeg);
    unknownMarker.insert(2, QByteArray("\xFF\x47\xFF\xFF", 4));
    QByteArray tiff;
    {
        QBuffer buffer(&tiff);
        buffer.open(QIODevice::WriteOnly);
        patches(40, 30).save(&buffer, "tiff");
    }
    for (int i = 8; i < tiff.size(); i += 13)
        tiff[i] = char(tiff[i] ^ 0x5A);
    QByteArray corrupt = png;
    for (int i = 100; i < corrupt.size(); i += 7)
        corrupt[i] = char(corrupt[i] ^ 0x5A);
    const QByteArray ihdr("\x00\x01\x86\xA0\x00\x01\x86\xA0\x08\x06\x00\x00\x00", 13);
    const QByteArray bomb = QByteArray("\x89PNG\r\n\x1A\n") + pngChunk("IHDR", ihdr) +
                            pngChunk("IDAT", QByteArray("\x78\x9C\x03\x00\x00\x00\x00\x01", 8)) +
                            pngChunk("IEND", {});
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QFile huge(m_dir.filePath(QStringLiteral("huge.png")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(imagepalette::kMaxPictureBytes + 1));
    QImage clear(40, 30, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);

    const std::pair<QString, QString> cases[] = {
        {writeBytes(QStringLiteral("cut.png"), png.left(png.size() / 2)),
         QStringLiteral("Cannot read 'cut.png': the picture is damaged")},
        {writeBytes(QStringLiteral("cut.jpg"), readAll(jpeg).left(int(QFileInfo(jpeg).size() / 2))),
         QStringLiteral("Cannot read 'cut.jpg': the picture is cut short.")},
        {writeBytes(QStringLiteral("marker.jpg"), unknownMarker),
         QStringLiteral("Cannot read 'marker.jpg': the picture is damaged (an unknown marker "
                        "0x47).")},
        {writeBytes(QStringLiteral("damaged.tif"), tiff),
         QStringLiteral("Cannot read 'damaged.tif': the picture is damaged")},
        {writeBytes(QStringLiteral("corrupt.png"), corrupt),
         QStringLiteral("Cannot read 'corrupt.png': the picture is damaged")},
        {writeBytes(QStringLiteral("text.png"), "not a picture at all"),
         QStringLiteral("Cannot read 'text.png': it is not a picture ChromaLune can read")},
        {writeBytes(QStringLiteral("empty.png"), {}),
         QStringLiteral("Cannot read 'empty.png': it is not a picture ChromaLune can read")},
        {writeBytes(QStringLiteral("bomb.png"), bomb),
         QStringLiteral("Cannot read 'bomb.png': the picture is too large: 100000 x 100000 "
                        "pixels, at most 100 megapixels.")},
        {fifo, QStringLiteral("Cannot read 'pipe.png': it is not a file.")},
        {QStringLiteral("/dev/zero"), QStringLiteral("Cannot read 'zero': it is not a file.")},
        {m_dir.path() + QStringLiteral("/missing.png"),
         QStringLiteral("Cannot read 'missing.png': there is no such file.")},
        {huge.fileName(),
         QStringLiteral("Cannot read 'huge.png': it is too large: 257 MB, at most 256 MB.")},
        {write(clear, "png", QStringLiteral("clear.png")),
         QStringLiteral("No colours in 'clear.png': The picture is fully transparent: it has "
                        "no colour to take.")},
    };
    for (const auto& [path, error] : cases) {
        // the reason in one line, and not a word from the decoders themselves
        StandardError written;
        const PicturePalette got = imagepalette::readPicturePalette(path);
        EXPECT_TRUE(got.error.startsWith(error)) << got.error.toStdString();
        EXPECT_FALSE(got.error.contains(QLatin1Char('\n')));
        EXPECT_TRUE(got.extraction.colors.empty()) << path.toStdString();
        EXPECT_EQ(written.text(), "") << path.toStdString();
    }
    // stray bytes before a marker, which the decoder reads past with a note: nothing is said
    QByteArray stray = readAll(jpeg);
    stray.insert(stray.indexOf("\xFF\xDA"), "abc");
    StandardError written;
    const PicturePalette got =
        imagepalette::readPicturePalette(writeBytes(QStringLiteral("stray.jpg"), stray));
    EXPECT_TRUE(got.error.isEmpty()) << got.error.toStdString();
    EXPECT_EQ(written.text(), "");
}

TEST_F(PictureFiles, AWorkerThreadReadsTheSameAndStopsWhenCancelled) {
    const QString path = write(patches(400, 300), "png");
    auto worker = std::async(std::launch::async, [&] {
        return imagepalette::readPicturePalette(path).extraction.colors;
    });
    EXPECT_EQ(worker.get(), imagepalette::readPicturePalette(path).extraction.colors);
    const std::atomic<bool> cancel{true};
    const PicturePalette got = imagepalette::readPicturePalette(path, &cancel);
    EXPECT_TRUE(got.cancelled);
    EXPECT_EQ(got.error, QStringLiteral("Reading 'picture.png' was cancelled."));
}
