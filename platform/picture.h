#pragma once

#include "ref.h"
#include "types.h"

#include <memory>
#include <string>

class FolderItem;
class QImage;

// A decoded image (GIF, JPEG, PNG). Transparent mode 1 leaves its white
// pixels undrawn.
class Picture {
public:
    // Nil when the file is missing or does not decode.
    static Ref<Picture> Open(const FolderItem& item);
    // The file of that name in the application's resource folder (see
    // ResourceFolder); nil when it is missing or does not decode.
    static Ref<Picture> FromResources(const std::string& fileName);

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
