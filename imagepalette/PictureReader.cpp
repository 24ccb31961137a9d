#include "PictureReader.h"

#include "core/PrintableText.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace imagepalette {

namespace {

/// Qt's limit on one decoded picture, process-wide: 100 megapixels of 4 bytes each.
constexpr int kAllocationMegabytes = 400;

bool stopped(const std::atomic<bool>* cancel) {
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

/// 'name' of the file, shortened and with control characters escaped, for a message.
QString quotedName(const QString& path) {
    return QString::fromStdString(core::quotedText(QFileInfo(path).fileName().toStdString()));
}

PictureRead failure(const QString& path, const QString& reason) {
    PictureRead read;
    read.error = QStringLiteral("Cannot read %1: %2").arg(quotedName(path), reason);
    return read;
}

PictureRead cancelledRead(const QString& path) {
    PictureRead read;
    read.error = QStringLiteral("Reading %1 was cancelled.").arg(quotedName(path));
    read.cancelled = true;
    return read;
}

/// The file's bytes, read only when it is a regular file of at most kMaxPictureBytes; else
/// the reason, as the end of a sentence.
std::optional<QByteArray> fileBytes(const QString& path, QString& reason) {
    // a pipe or a device could block or never end: it is opened without waiting for a
    // writer and refused by what it is, not by the name it was given a moment before
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = errno == ENOENT ? QStringLiteral("there is no such file.")
                                 : QString::fromLocal8Bit(std::strerror(errno)) + QLatin1Char('.');
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        reason = file.errorString() + QLatin1Char('.');
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        reason = QStringLiteral("it is not a file.");
        return std::nullopt;
    }
    constexpr qint64 kMegabyte = 1 << 20;
    if (status.st_size > kMaxPictureBytes) {
        reason = QStringLiteral("it is too large: %1 MB, at most %2 MB.")
                     .arg((status.st_size + kMegabyte - 1) / kMegabyte)
                     .arg(kMaxPictureBytes / kMegabyte);
        return std::nullopt;
    }
    // no more than the limit, also from a file that grows while it is read, in pieces so
    // that a small file costs no more memory than its size
    QByteArray bytes;
    bytes.reserve(qsizetype(status.st_size) + 1);
    while (bytes.size() <= kMaxPictureBytes) {
        const QByteArray piece = file.read(kMegabyte);
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    if (bytes.size() > kMaxPictureBytes) {
        reason =
            QStringLiteral("it is too large: more than %1 MB.").arg(kMaxPictureBytes / kMegabyte);
        return std::nullopt;
    }
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString() + QLatin1Char('.');
        return std::nullopt;
    }
    return bytes;
}

/// While it lives, what the image decoders write goes nowhere: a picture read despite a flaw
/// needs no note, and a failure is told in the reader's own sentence. libpng and libtiff
/// write to the standard error themselves, and the toolkit's notes go there too, so the
/// standard error is pointed elsewhere for that moment (the process's, so other threads'
/// lines of that moment with it).
class QuietDecoders {
public:
    QuietDecoders() {
        const std::lock_guard<std::mutex> lock(mutex());
        if (s_count++ > 0)
            return;
        std::fflush(stderr);
        s_saved = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        if (s_saved < 0)
            return; // there is no standard error to keep quiet
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (nowhere >= 0) {
            ::dup2(nowhere, STDERR_FILENO);
            ::close(nowhere);
        }
    }
    ~QuietDecoders() {
        const std::lock_guard<std::mutex> lock(mutex());
        if (--s_count > 0 || s_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(s_saved, STDERR_FILENO);
        ::close(s_saved);
        s_saved = -1;
    }
    QuietDecoders(const QuietDecoders&) = delete;
    QuietDecoders& operator=(const QuietDecoders&) = delete;

private:
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static inline int s_count = 0;  // readers decoding now
    static inline int s_saved = -1; // the standard error meanwhile
};

const QLatin1String kCutShort("the picture is cut short.");

/// Why JPEG data cannot give its picture, as the end of a sentence; empty when it can. The
/// decoder shows a file cut short as grey below the cut without failing, which would put that
/// grey in the palette.
QString jpegFlaw(const QByteArray& bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto n = size_t(bytes.size());
    if (n < 2 || b[0] != 0xFF || b[1] != 0xD8)
        return {}; // not JPEG after all: the decoder says what it is
    size_t i = 2;
    while (i + 1 < n) {
        if (b[i] != 0xFF || b[i + 1] == 0xFF) {
            ++i; // fill bytes and stray bytes between segments, as the decoder skips them
            continue;
        }
        const unsigned char marker = b[i + 1];
        if (marker == 0xD9)
            return {};
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2; // a stuffed zero, as the decoder skips it, and the markers of no length
            continue;
        }
        // the decoder stops at a marker it does not know: the bytes are not what they were
        if (marker < 0xC0 || marker == 0xDE || marker == 0xDF || (marker >= 0xF0 && marker < 0xFE))
            return QStringLiteral("the picture is damaged (an unknown marker 0x%1).")
                .arg(marker, 2, 16, QLatin1Char('0'));
        if (i + 3 >= n)
            return kCutShort;
        i += 2 + (size_t(b[i + 2]) << 8 | b[i + 3]);
        if (marker != 0xDA)
            continue;
        // entropy-coded data follows a scan header: in it 0xFF is followed by 0x00 (a
        // stuffed byte) or a restart marker; anything else starts the next segment
        while (i + 1 < n &&
               !(b[i] == 0xFF && b[i + 1] != 0x00 && !(b[i + 1] >= 0xD0 && b[i + 1] <= 0xD7)))
            ++i;
    }
    return kCutShort;
}

/// Whether the reader's decoder makes a smaller picture for little more than the smaller
/// picture's cost. Where it cannot, the reader would decode the whole picture and then scale
/// it smoothly, slower than sampling the whole one on a grid.
bool scalesWhileDecoding(QImageReader& reader) {
    const QByteArray format = reader.format();
    return (format == "jpeg" || format == "webp") &&
           reader.supportsOption(QImageIOHandler::ScaledSize);
}

/// The straight (not premultiplied) ARGB of a pixel, whatever the image's format.
QRgb straightPixel(const QImage& image, int x, int y) {
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
    default:
        return image.pixelColor(x, y).rgba();
    }
}

/// Position along one axis in the picture of pixel i of an image n pixels long over a
/// picture length pixels long: the picture pixel under the image pixel's centre.
int scaledPosition(int i, int n, int length) {
    return std::min(length - 1, int((i + 0.5) * length / n));
}

/// About kSampleTarget pixels of image on an even grid, at coordinates of a picture shown
/// at size; empty when cancelled.
std::vector<Sample> gridSamples(const QImage& image, QSize size, const std::atomic<bool>* cancel) {
    const int width = image.width();
    const int height = image.height();
    int columns = width;
    int rows = height;
    const double pixels = double(width) * height;
    if (pixels > kSampleTarget) {
        const double scale = std::sqrt(kSampleTarget / pixels);
        columns = std::clamp(int(std::lround(width * scale)), 1, width);
        rows = std::clamp(int(std::lround(height * scale)), 1, height);
    }
    std::vector<Sample> samples;
    samples.reserve(size_t(columns) * size_t(rows));
    for (int row = 0; row < rows; ++row) {
        if (stopped(cancel))
            return {};
        const int y = scaledPosition(row, rows, height);
        for (int column = 0; column < columns; ++column) {
            const int x = scaledPosition(column, columns, width);
            const QRgb p = straightPixel(image, x, y);
            Sample s;
            s.rgb = {uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p))};
            s.alpha = uint8_t(qAlpha(p));
            s.x = scaledPosition(x, width, size.width());
            s.y = scaledPosition(y, height, size.height());
            samples.push_back(s);
        }
    }
    return samples;
}

/// The samples of a picture in its own colour space (not sRGB), in sRGB: the 8-bit colour,
/// and the exact colour where it lies beyond sRGB.
void convertToSrgb(std::vector<Sample>& samples, const QColorSpace& space) {
    if (samples.empty())
        return;
    QImage coded(int(samples.size()), 1, QImage::Format_RGBA32FPx4);
    auto* channels = reinterpret_cast<float*>(coded.scanLine(0));
    for (const Sample& s : samples) {
        *channels++ = float(s.rgb.r) / 255;
        *channels++ = float(s.rgb.g) / 255;
        *channels++ = float(s.rgb.b) / 255;
        *channels++ = 1;
    }
    coded.setColorSpace(space);
    // in floating point the toolkit keeps what lies beyond sRGB instead of clipping it
    coded.convertToColorSpace(QColorSpace::SRgbLinear);
    const auto* linear = reinterpret_cast<const float*>(coded.constScanLine(0));
    for (Sample& s : samples) {
        const core::LinearRgb c{linear[0], linear[1], linear[2]};
        linear += 4;
        s.rgb = core::toRgb8(c);
        if (liesBeyondSrgb(c))
            s.beyondSrgb = core::oklabOf(c);
    }
}

/// The image at most kPreviewSide long. A large one is first reduced by picking pixels to
/// twice that, so that the smooth reduction reads a few hundred thousand pixels, not all.
QImage previewOf(const QImage& image) {
    if (std::max(image.width(), image.height()) <= kPreviewSide)
        return image;
    const auto fit = [&](int side) {
        return image.size().scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    };
    QImage reduced = image;
    if (std::max(image.width(), image.height()) > 2 * kPreviewSide)
        reduced =
            image.scaled(fit(2 * kPreviewSide), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return reduced.scaled(fit(kPreviewSide), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

PictureRead readPicture(const QString& path, const std::atomic<bool>* cancel) {
    static std::once_flag limitSet;
    std::call_once(limitSet, [] { QImageReader::setAllocationLimit(kAllocationMegabytes); });
    if (stopped(cancel))
        return cancelledRead(path);
    QString reason;
    std::optional<QByteArray> bytes = fileBytes(path, reason);
    if (!bytes)
        return failure(path, reason);
    if (stopped(cancel))
        return cancelledRead(path);

    std::optional<QuietDecoders> quiet(std::in_place);
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return failure(path, QStringLiteral("it is not a picture ChromaLune can read (%1).")
                                 .arg(reader.errorString()));
    Picture picture;
    picture.format = reader.format();
    const QSize stored = reader.size();
    if (stored.isValid() && qint64(stored.width()) * stored.height() > kMaxPicturePixels)
        return failure(path, QStringLiteral("the picture is too large: %1 x %2 pixels, at most "
                                            "%3 megapixels.")
                                 .arg(stored.width())
                                 .arg(stored.height())
                                 .arg(kMaxPicturePixels / 1'000'000));
    if (picture.format == "jpeg") {
        if (const QString flaw = jpegFlaw(*bytes); !flaw.isEmpty())
            return failure(path, flaw);
    }
    if (stored.isValid() && scalesWhileDecoding(reader) &&
        std::max(stored.width(), stored.height()) > kPreviewSide)
        reader.setScaledSize(
            stored.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio).expandedTo({1, 1}));
    const bool turned = (reader.transformation() & QImageIOHandler::TransformationRotate90) != 0;

    QImage image;
    if (!reader.read(&image))
        return failure(path,
                       QStringLiteral("the picture is damaged (%1).").arg(reader.errorString()));
    quiet.reset();
    if (stopped(cancel))
        return cancelledRead(path);
    picture.size = stored.isValid() ? (turned ? stored.transposed() : stored) : image.size();
    if (qint64(picture.size.width()) * picture.size.height() > kMaxPicturePixels)
        return failure(path, QStringLiteral("the picture is too large: %1 x %2 pixels, at most "
                                            "%3 megapixels.")
                                 .arg(picture.size.width())
                                 .arg(picture.size.height())
                                 .arg(kMaxPicturePixels / 1'000'000));
    picture.samples = gridSamples(image, picture.size, cancel);
    if (stopped(cancel))
        return cancelledRead(path);
    picture.preview = previewOf(image);
    // a photo tagged with its camera's or screen's colour space (Display P3, Adobe RGB) holds
    // its colours in that space, not in sRGB
    const QColorSpace space = image.colorSpace();
    if (space.isValid() && space != QColorSpace(QColorSpace::SRgb)) {
        convertToSrgb(picture.samples, space);
        if (picture.preview.format() != QImage::Format_RGB32 &&
            picture.preview.format() != QImage::Format_ARGB32)
            picture.preview = picture.preview.convertToFormat(
                picture.preview.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        picture.preview.convertToColorSpace(QColorSpace::SRgb);
    }
    PictureRead read;
    read.picture = std::move(picture);
    return read;
}

PicturePalette readPicturePalette(const QString& path, const std::atomic<bool>* cancel) {
    PicturePalette result;
    PictureRead read = readPicture(path, cancel);
    result.cancelled = read.cancelled;
    if (!read.picture) {
        result.error = read.error;
        return result;
    }
    result.extraction = extractColors(read.picture->samples, cancel);
    result.picture = std::move(read.picture);
    if (result.extraction.cancelled) {
        result.cancelled = true;
        result.error = QStringLiteral("Reading %1 was cancelled.").arg(quotedName(path));
    } else if (result.extraction.colors.empty()) {
        result.error =
            QStringLiteral("No colours in %1: %2")
                .arg(quotedName(path), QString::fromStdString(result.extraction.message));
    }
    return result;
}

QPoint previewPointOf(const Picture& picture, QPoint original) {
    const QSize preview = picture.preview.size();
    return {scaledPosition(original.x(), picture.size.width(), preview.width()),
            scaledPosition(original.y(), picture.size.height(), preview.height())};
}

QPoint originalPointOf(const Picture& picture, QPointF inPreview) {
    const QSize preview = picture.preview.size();
    const auto along = [](double at, int from, int to) {
        return std::clamp(int(std::floor(at * to / from)), 0, to - 1);
    };
    return {along(inPreview.x(), preview.width(), picture.size.width()),
            along(inPreview.y(), preview.height(), picture.size.height())};
}

std::optional<core::ColorRGB> colorAt(const Picture& picture, QPoint original) {
    if (!QRect(QPoint(), picture.size).contains(original) || picture.preview.isNull())
        return std::nullopt;
    const QPoint centre = previewPointOf(picture, original);
    core::LinearRgb sum;
    int count = 0;
    for (int y = centre.y() - 1; y <= centre.y() + 1; ++y) {
        for (int x = centre.x() - 1; x <= centre.x() + 1; ++x) {
            if (!picture.preview.valid(x, y))
                continue;
            const QRgb p = straightPixel(picture.preview, x, y);
            if (qAlpha(p) < kOpaqueAlpha)
                continue;
            const core::LinearRgb linear = core::linearOf(
                core::ColorRGB{uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p))});
            sum.r += linear.r;
            sum.g += linear.g;
            sum.b += linear.b;
            ++count;
        }
    }
    if (count == 0)
        return std::nullopt;
    return core::toRgb8({sum.r / count, sum.g / count, sum.b / count});
}

} // namespace imagepalette
