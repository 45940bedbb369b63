// The pictures of a page, loaded once per source through the caller's
// loader and released with the store.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace html {

struct Image {
    std::wstring src;
    HBITMAP bitmap = nullptr;  // null when it could not be loaded
    int width = 0;
    int height = 0;
};

class ImageStore {
public:
    // The loader turns an <img src> as written into a bitmap the store then
    // owns, or null.
    using Loader = std::function<HBITMAP(const std::wstring& src)>;

    explicit ImageStore(Loader loader = nullptr) : loader_(std::move(loader)) {}
    ~ImageStore() { Clear(); }
    ImageStore(const ImageStore&) = delete;
    ImageStore& operator=(const ImageStore&) = delete;

    void SetLoader(Loader loader) { loader_ = std::move(loader); }
    // The picture for src, loaded on first use.
    int Find(const std::wstring& src);
    const Image& Get(int index) const { return images_[index]; }
    void Clear();

private:
    Loader loader_;
    std::vector<Image> images_;
    long long pixels_ = 0;  // of every bitmap held
};

}  // namespace html
