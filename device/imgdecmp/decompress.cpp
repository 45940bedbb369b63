// DecompressImageIndirect: the decoder's one entry.
#include "imgdecmp_private.h"

extern "C" HRESULT WINAPI DecompressImageIndirect(DecompressImageInfo* pImageInfo)
{
    // The record must be this layout; a smaller size is an older or 32-bit
    // caller whose fields would be misread.
    if (!pImageInfo || pImageInfo->dwSize < sizeof(DecompressImageInfo) || !pImageInfo->phBM)
        return E_FAIL;
    if (pImageInfo->ppImageRender)
        *pImageInfo->ppImageRender = nullptr;

    std::vector<BYTE> data;
    if (!PullImageData(pImageInfo->pfnGetData, pImageInfo->lParam, data))
        return E_FAIL;

    ImageSizing sizing;
    sizing.scale = pImageInfo->iScale;
    sizing.maxWidth = pImageInfo->iMaxWidth;
    sizing.maxHeight = pImageInfo->iMaxHeight;
    DecodedImage image;
    if (!DecodeImage(data, sizing, pImageInfo->crTransparentOverride, image))
        return E_FAIL;

    HBITMAP bitmap = CreateImageBitmap(image, pImageInfo->iBitDepth, pImageInfo->hdc);
    if (!bitmap)
        return E_FAIL;
    *pImageInfo->phBM = bitmap;
    return S_OK;
}
