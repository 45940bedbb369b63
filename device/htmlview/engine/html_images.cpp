#include "html_images.h"

namespace html {

namespace {

// A page holds at most this many distinct pictures and pixels; past them
// pictures show as empty frames.
const size_t kMaxImages = 256;
const long long kMaxPixels = 8ll * 1024 * 1024;

}  // namespace

int ImageStore::Find(const std::wstring& src)
{
    for (size_t i = 0; i < images_.size(); ++i)
        if (images_[i].src == src)
            return static_cast<int>(i);
    if (images_.size() >= kMaxImages)
        return -1;
    Image image;
    image.src = src;
    if (loader_ && pixels_ < kMaxPixels) {
        image.bitmap = loader_(src);
        BITMAP info = {};
        if (image.bitmap && GetObjectW(image.bitmap, sizeof(info), &info) && info.bmWidth > 0 && info.bmHeight > 0) {
            image.width = info.bmWidth;
            image.height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
            pixels_ += static_cast<long long>(image.width) * image.height;
        } else if (image.bitmap) {
            DeleteObject(image.bitmap);
            image.bitmap = nullptr;
        }
    }
    images_.push_back(std::move(image));
    return static_cast<int>(images_.size() - 1);
}

void ImageStore::Clear()
{
    for (Image& image : images_)
        if (image.bitmap)
            DeleteObject(image.bitmap);
    images_.clear();
    pixels_ = 0;
}

}  // namespace html
