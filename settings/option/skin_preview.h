// The Skin page's preview: the four corners of a skin's background picture
// side by side in a 220 x 50 surface, and the skin's description.
#pragma once

#include <windows.h>

#include <string>

#include <corvane.h>

// One corner's copy: the source area of the picture and where it lands in
// the preview. Areas are half-open (right and bottom excluded).
struct PreviewCorner {
    RECT source;
    POINT dest;
};

// The corners of a width x height picture, each up to 110 x 25, clamped to
// the picture so a small picture never reads outside itself. A picture
// without area gives corners without area.
void PreviewCorners(int width, int height, PreviewCorner corners[4]);

class CSkinPreview {
public:
    static constexpr int kWidth = 220;
    static constexpr int kHeight = 50;

    enum Result {
        kBuilt,
        kNoSkinFile,          // "Skin.xml" is missing
        kNoBackgroundInfo,    // the skin names no background picture
        kNoBackgroundImage,   // the named picture is missing
        kUnreadableImage,     // the picture exists but does not decode
    };

    // The surface, compatible with the reference context, filled white.
    void Create(HDC reference);

    // Reads the skin "name" of the skins folder. Unless the skin file is
    // missing, *description receives its description ("" when it has none).
    // The surface changes only when the picture was read.
    Result Build(LPCWSTR skinsFolder, LPCWSTR name, std::wstring* description);

    void Draw(HDC target, int x, int y);
    HDC GetSafeHdc() const { return m_surface.GetSafeHdc(); }

private:
    void Clear();

    CBitmapDC m_surface;
};
