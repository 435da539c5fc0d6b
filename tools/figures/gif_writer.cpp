#include "gif_writer.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kMaxCodes = 1 << kMaxCodeBits;

// Packs variable-width codes least significant bit first, as GIF wants, and
// cuts the stream into data sub-blocks of at most 255 bytes.
class CodeWriter final {
public:
    void Write(int code, int bits)
    {
        accumulator_ |= static_cast<std::uint32_t>(code) << pending_;
        pending_ += bits;
        while (pending_ >= 8) {
            bytes_.push_back(static_cast<char>(accumulator_ & 0xFF));
            accumulator_ >>= 8;
            pending_ -= 8;
        }
    }

    QByteArray Finish()
    {
        if (pending_ > 0)
            bytes_.push_back(static_cast<char>(accumulator_ & 0xFF));
        accumulator_ = 0;
        pending_ = 0;
        QByteArray blocks;
        for (qsizetype at = 0; at < bytes_.size(); at += 255) {
            const qsizetype length = std::min<qsizetype>(255, bytes_.size() - at);
            blocks.append(static_cast<char>(length));
            blocks.append(bytes_.constData() + at, length);
        }
        blocks.append('\0');
        return blocks;
    }

private:
    QByteArray bytes_;
    std::uint32_t accumulator_ = 0;
    int pending_ = 0;
};

void AppendWord(QByteArray& out, int value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

QByteArray Compress(const std::vector<std::uint8_t>& indexes, int minimumCodeSize, int paletteSize)
{
    const int clearCode = 1 << minimumCodeSize;
    const int endCode = clearCode + 1;
    // next[code * paletteSize + index]: the code of the string `code` followed
    // by `index`, or 0 when that string is not in the table yet.
    std::vector<std::uint16_t> next(static_cast<std::size_t>(kMaxCodes) * paletteSize, 0);
    int codeSize = minimumCodeSize + 1;
    int lastCode = endCode;

    CodeWriter writer;
    writer.Write(clearCode, codeSize);
    int current = -1;
    for (std::uint8_t index : indexes) {
        if (current < 0) {
            current = index;
            continue;
        }
        std::uint16_t& child = next[static_cast<std::size_t>(current) * paletteSize + index];
        if (child != 0) {
            current = child;
            continue;
        }
        writer.Write(current, codeSize);
        child = static_cast<std::uint16_t>(++lastCode);
        // The reader widens its codes once its table reaches the next power of
        // two; it adds each entry one code later than we do, so we widen as
        // soon as our own table has gone past it.
        if (lastCode >= (1 << codeSize) && codeSize < kMaxCodeBits)
            ++codeSize;
        if (lastCode == kMaxCodes - 1) {
            writer.Write(clearCode, codeSize);
            std::fill(next.begin(), next.end(), 0);
            codeSize = minimumCodeSize + 1;
            lastCode = endCode;
        }
        current = index;
    }
    if (current >= 0)
        writer.Write(current, codeSize);
    // A clear code before the end keeps the end code's width unambiguous.
    writer.Write(clearCode, codeSize);
    writer.Write(endCode, minimumCodeSize + 1);
    return writer.Finish();
}

} // namespace

int CountColours(const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> seen;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            seen.insert(line[x] | 0xFF000000u, 0);
    }
    return static_cast<int>(seen.size());
}

QByteArray EncodeGif(const QImage& image)
{
    if (image.isNull() || image.width() > 0xFFFF || image.height() > 0xFFFF)
        return {};
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);

    // Palette in order of first appearance, so the same picture always gives
    // the same bytes.
    std::vector<QRgb> palette;
    QHash<QRgb, int> paletteIndex;
    std::vector<std::uint8_t> indexes;
    indexes.reserve(static_cast<std::size_t>(pixels.width()) * pixels.height());
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb colour = line[x] | 0xFF000000u;
            auto found = paletteIndex.constFind(colour);
            if (found == paletteIndex.constEnd()) {
                if (palette.size() == 256)
                    return {};
                found = paletteIndex.insert(colour, static_cast<int>(palette.size()));
                palette.push_back(colour);
            }
            indexes.push_back(static_cast<std::uint8_t>(found.value()));
        }
    }

    int tableBits = 1;
    while ((1 << tableBits) < static_cast<int>(palette.size()))
        ++tableBits;
    const int tableSize = 1 << tableBits;
    const int minimumCodeSize = std::max(2, tableBits);

    QByteArray out("GIF89a");
    AppendWord(out, pixels.width());
    AppendWord(out, pixels.height());
    // Global colour table present, 8 bits of colour resolution, unsorted.
    out.append(static_cast<char>(0x80 | 0x70 | (tableBits - 1)));
    out.append('\0'); // background colour index
    out.append('\0'); // no pixel aspect ratio
    for (int entry = 0; entry < tableSize; ++entry) {
        const QRgb colour
            = entry < static_cast<int>(palette.size()) ? palette[entry] : qRgb(0, 0, 0);
        out.append(static_cast<char>(qRed(colour)));
        out.append(static_cast<char>(qGreen(colour)));
        out.append(static_cast<char>(qBlue(colour)));
    }

    out.append(',');
    AppendWord(out, 0);
    AppendWord(out, 0);
    AppendWord(out, pixels.width());
    AppendWord(out, pixels.height());
    out.append('\0'); // no local colour table, not interlaced

    out.append(static_cast<char>(minimumCodeSize));
    out.append(Compress(indexes, minimumCodeSize, static_cast<int>(palette.size())));
    out.append(';');
    return out;
}

bool WriteGif(const QImage& image, const QString& path, QString* error)
{
    const QByteArray data = EncodeGif(image);
    if (data.isEmpty()) {
        if (error)
            *error
                = QStringLiteral("%1: the picture is empty or has more than 256 colours").arg(path);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QImage ReduceToInkShades(const QImage& image, const QColor& ink, int levels)
{
    levels = std::clamp(levels, 2, 256);
    const int inkChannels[3] = { ink.red(), ink.green(), ink.blue() };
    int channel = 0;
    for (int c = 1; c < 3; ++c) {
        if (inkChannels[c] < inkChannels[channel])
            channel = c;
    }
    const int range = 255 - inkChannels[channel];
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    if (range == 0) {
        out.fill(Qt::white);
        return out;
    }
    // Shades worked out once per level, so equal levels give equal colours.
    std::vector<QRgb> shades(levels);
    for (int level = 0; level < levels; ++level) {
        const double amount = static_cast<double>(level) / (levels - 1);
        auto mix = [amount](int inkValue) {
            return static_cast<int>(std::lround(255 - amount * (255 - inkValue)));
        };
        shades[level] = qRgb(mix(ink.red()), mix(ink.green()), mix(ink.blue()));
    }
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int values[3] = { qRed(line[x]), qGreen(line[x]), qBlue(line[x]) };
            const double amount
                = std::clamp(static_cast<double>(255 - values[channel]) / range, 0.0, 1.0);
            line[x] = shades[static_cast<std::size_t>(std::lround(amount * (levels - 1)))];
        }
    }
    return out;
}
