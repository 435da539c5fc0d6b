#include "picture.h"

#include "application.h"
#include "file_access.h"
#include "folder_item.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

namespace {

// Pictures that went through JPEG compression carry noise in their white
// areas; anything this close to white counts as white.
constexpr int kWhiteThreshold = 250;

} // namespace

Ref<Picture> Picture::Open(const FolderItem& item, ReadFault* fault)
{
    // Read through the bounded reader, never by the decoder from the path: a
    // pipe or a device in a picture's place must not hang the program.
    WholeFile file = ReadWholeFile(item, kReadLimit);
    if (fault != nullptr)
        *fault = file.fault;
    if (file.fault != ReadFault::None)
        return {};
    // No copy: the bytes stay the string's, which outlives the decoding.
    QByteArray bytes
        = QByteArray::fromRawData(file.content.data(), static_cast<qsizetype>(file.content.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    return MakeRef<Picture>(image);
}

Ref<Picture> Picture::FromResources(const std::string& fileName, ReadFault* fault)
{
    Ref<FolderItem> folder;
    try {
        folder = ResourceFolder();
    } catch (const NilObjectException&) {
        return {}; // no application or no resource folder: the picture is missing
    }
    Ref<FolderItem> file = folder->Child(fileName);
    if (!file)
        return {};
    return Open(*file, fault);
}

Picture::Picture(const QImage& image)
    : image_(std::make_unique<QImage>(image))
{
}

Picture::~Picture() = default;

Integer Picture::Width() const
{
    return image_->width();
}

Integer Picture::Height() const
{
    return image_->height();
}

const QImage& Picture::Image() const
{
    return *image_;
}

const QImage& Picture::DrawnImage() const
{
    if (transparent_ != 1)
        return *image_;
    if (!transparentImage_) {
        QImage copy = image_->convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < copy.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
            for (int x = 0; x < copy.width(); ++x) {
                const QRgb pixel = line[x];
                if (qRed(pixel) >= kWhiteThreshold && qGreen(pixel) >= kWhiteThreshold
                    && qBlue(pixel) >= kWhiteThreshold)
                    line[x] = qRgba(0, 0, 0, 0);
            }
        }
        transparentImage_ = std::make_unique<QImage>(std::move(copy));
    }
    return *transparentImage_;
}

Ref<FolderItem> ResourceFolder()
{
    return Application::Current().ExecutableFile()->Parent()->Parent()->Child("Resources");
}
