// Decoding with the desktop's imaging component (WIC) from memory.  Pixels
// are converted without dithering or colour management, so colours come out
// exactly as stored: skins rely on exact mask colours.  Scaling picks the
// nearest source pixel for the same reason.
#include <wincodec.h>
#include <wrl/client.h>

#include "imgdecmp_private.h"

using Microsoft::WRL::ComPtr;

namespace {

// The decoder's limit, 10000 x 10000 pixels: refuse rather than exhaust memory.
const ULONGLONG kMaxPixels = 10000ull * 10000ull;

// COM for the decoding call only; a thread already in another apartment
// mode keeps its mode (RPC_E_CHANGED_MODE) and WIC works there too.
class ComScope {
public:
    ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(hr_))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

    bool usable() const { return SUCCEEDED(hr_) || hr_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT hr_;
};

// Pixels with zero alpha (transparent GIF and PNG pixels) take the override.
void ApplyTransparentOverride(DecodedImage& image, COLORREF colour)
{
    for (size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
        if (image.pixels[i + 3] == 0) {
            image.pixels[i + 0] = GetBValue(colour);
            image.pixels[i + 1] = GetGValue(colour);
            image.pixels[i + 2] = GetRValue(colour);
        }
    }
}

// The decoder for a picture's own signature. Asking the imaging component
// to find one makes it read the registration of every decoder it has, which
// under Wine costs more than the decoding of a small picture.
const CLSID* DecoderForSignature(const std::vector<BYTE>& data)
{
    static const struct {
        const char* signature;
        size_t length;
        const CLSID* decoder;
    } kSignatures[] = {
        {"GIF87a", 6, &CLSID_WICGifDecoder},
        {"GIF89a", 6, &CLSID_WICGifDecoder},
        {"\x89PNG\r\n\x1a\n", 8, &CLSID_WICPngDecoder},
        {"\xff\xd8\xff", 3, &CLSID_WICJpegDecoder},
        {"BM", 2, &CLSID_WICBmpDecoder},
    };
    for (const auto& known : kSignatures) {
        if (data.size() >= known.length && memcmp(data.data(), known.signature, known.length) == 0)
            return known.decoder;
    }
    return nullptr;
}

// The decoder the signature names, else whichever the component finds.
bool CreateDecoder(IWICImagingFactory* factory, IWICStream* stream, const std::vector<BYTE>& data,
                   ComPtr<IWICBitmapDecoder>& decoder)
{
    const CLSID* known = DecoderForSignature(data);
    if (known && SUCCEEDED(CoCreateInstance(*known, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&decoder))) &&
        SUCCEEDED(decoder->Initialize(stream, WICDecodeMetadataCacheOnDemand)))
        return true;
    decoder.Reset();
    const LARGE_INTEGER start = {};
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)))
        return false;
    return SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder));
}

bool Decode(const std::vector<BYTE>& data, const ImageSizing& sizing, DecodedImage& image)
{
    if (data.size() > 0xFFFFFFFFu)
        return false;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory))))
        return false;

    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data.data()), (DWORD)data.size())))
        return false;

    ComPtr<IWICBitmapDecoder> decoder;
    if (!CreateDecoder(factory.Get(), stream.Get(), data, decoder))
        return false;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, &frame)))
        return false;

    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0)
        return false;
    UINT targetWidth = 0, targetHeight = 0;
    ScaledSize(width, height, sizing, targetWidth, targetHeight);
    if ((ULONGLONG)targetWidth * targetHeight > kMaxPixels)
        return false;

    ComPtr<IWICBitmapSource> source = frame;
    if (targetWidth != width || targetHeight != height) {
        ComPtr<IWICBitmapScaler> scaler;
        if (FAILED(factory->CreateBitmapScaler(&scaler)) ||
            FAILED(scaler->Initialize(source.Get(), targetWidth, targetHeight,
                                      WICBitmapInterpolationModeNearestNeighbor)))
            return false;
        source = scaler;
    }

    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(source.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr,
                                     0.0, WICBitmapPaletteTypeCustom)))
        return false;

    const UINT stride = targetWidth * 4;
    image.width = targetWidth;
    image.height = targetHeight;
    image.pixels.assign((size_t)stride * targetHeight, 0);
    return SUCCEEDED(converter->CopyPixels(nullptr, stride, (UINT)image.pixels.size(), image.pixels.data()));
}

} // namespace

void ScaledSize(UINT width, UINT height, const ImageSizing& sizing, UINT& outWidth, UINT& outHeight)
{
    ULONGLONG scale = sizing.scale > 0 ? (ULONGLONG)sizing.scale : 100;
    ULONGLONG w = (ULONGLONG)width * scale / 100;
    ULONGLONG h = (ULONGLONG)height * scale / 100;
    if (w == 0)
        w = 1;
    if (h == 0)
        h = 1;
    // Shrink to the limits, keeping the aspect ratio of the scaled image.
    if (sizing.maxWidth > 0 && w > (ULONGLONG)sizing.maxWidth) {
        h = h * sizing.maxWidth / w;
        w = sizing.maxWidth;
    }
    if (sizing.maxHeight > 0 && h > (ULONGLONG)sizing.maxHeight) {
        w = w * sizing.maxHeight / h;
        h = sizing.maxHeight;
    }
    outWidth = (UINT)(w ? (w > 0xFFFFFFFFull ? 0xFFFFFFFFu : w) : 1);
    outHeight = (UINT)(h ? (h > 0xFFFFFFFFull ? 0xFFFFFFFFu : h) : 1);
}

bool DecodeImage(const std::vector<BYTE>& data, const ImageSizing& sizing, COLORREF transparentOverride,
                 DecodedImage& image)
{
    ComScope com;
    if (!com.usable())
        return false;
    if (!Decode(data, sizing, image))
        return false;
    if (transparentOverride != CLR_INVALID)
        ApplyTransparentOverride(image, transparentOverride);
    return true;
}
