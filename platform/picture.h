#pragma once

#include "ref.h"
#include "types.h"

#include <cstdint>
#include <memory>
#include <string>

class FolderItem;
enum class ReadFault;
class QImage;

// A decoded image (GIF, JPEG, PNG). Transparent mode 1 leaves its white
// pixels undrawn.
class Picture {
public:
    // Picture files are read whole first; one larger than this is refused.
    static constexpr std::uint64_t kReadLimit = std::uint64_t { 64 } * 1024 * 1024;

    // Nil when the file is missing, is not a regular file, is larger than
    // kReadLimit or does not decode; fault then says why it was not read
    // (None when it was read but did not decode).
    static Ref<Picture> Open(const FolderItem& item, ReadFault* fault = nullptr);
    // The file of that name in the application's resource folder (see
    // ResourceFolder); nil as for Open.
    static Ref<Picture> FromResources(const std::string& fileName, ReadFault* fault = nullptr);

    explicit Picture(const QImage& image);
    ~Picture();

    Integer Width() const;
    Integer Height() const;
    Integer Transparent() const { return transparent_; }
    void SetTransparent(Integer mode) { transparent_ = mode; }

    // Platform use: the pixels, and the pixels as drawn (white cleared in mode 1).
    const QImage& Image() const;
    const QImage& DrawnImage() const;

private:
    std::unique_ptr<QImage> image_;
    mutable std::unique_ptr<QImage> transparentImage_;
    Integer transparent_ = 0;
};

// The folder "Resources" beside the folder that holds the executable: the
// executable's parent's parent, child "Resources".
Ref<FolderItem> ResourceFolder();
