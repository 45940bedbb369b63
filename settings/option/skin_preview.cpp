// The Skin page's preview of a skin.
#include "skin_preview.h"

#include <algorithm>

#include <xmlaccess.h>

#include "skin_folder.h"

namespace {

const int kCornerWidth = CSkinPreview::kWidth / 2;
const int kCornerHeight = CSkinPreview::kHeight / 2;

// Text of a node, or empty.
std::wstring NodeText(const CXmlReader& reader, LPCWSTR path)
{
    std::wstring text;
    reader.GetChildNodeText(path, &text);
    return text;
}

// A multi-line edit breaks lines only at CR LF; skin files are often written
// with bare line feeds.
std::wstring WithEditLineBreaks(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r'))
            out += L'\r';
        out += text[i];
    }
    return out;
}

bool FileExists(LPCWSTR path)
{
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

void PreviewCorners(int width, int height, PreviewCorner corners[4])
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    const int copyWidth = std::min(width, kCornerWidth);
    const int copyHeight = std::min(height, kCornerHeight);
    const int right = std::max(0, width - kCornerWidth);
    const int bottom = std::max(0, height - kCornerHeight);
    const POINT sources[4] = {{0, 0}, {right, 0}, {0, bottom}, {right, bottom}};
    const POINT dests[4] = {{0, 0}, {kCornerWidth, 0}, {0, kCornerHeight}, {kCornerWidth, kCornerHeight}};
    for (int i = 0; i < 4; ++i) {
        corners[i].source = {sources[i].x, sources[i].y, sources[i].x + copyWidth, sources[i].y + copyHeight};
        corners[i].dest = dests[i];
    }
}

void CSkinPreview::Create(HDC reference)
{
    m_surface.DeleteDC();
    m_surface.CreateDCW(reference, kWidth, kHeight);
    Clear();
}

void CSkinPreview::Clear()
{
    RECT all = {0, 0, kWidth, kHeight};
    ::FillRect(m_surface, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
}

CSkinPreview::Result CSkinPreview::Build(LPCWSTR skinsFolder, LPCWSTR name, std::wstring* description)
{
    // A name that leaves the skins folder has no skin file in it.
    wchar_t skinFile[MAX_PATH];
    if (!IsPlainSkinName(name) || !JoinSkinPath(skinFile, MAX_PATH, skinsFolder, name, L"Skin.xml") ||
        !FileExists(skinFile))
        return kNoSkinFile;

    std::wstring background;
    {
        CXmlComScope com(COINIT_APARTMENTTHREADED);
        CXmlReader reader;
        if (com.IsReady() && reader.Initialize() && reader.LoadXmlFile(skinFile)) {
            *description = WithEditLineBreaks(NodeText(reader, L"/skins/skin/description"));
            background = NodeText(reader, L"/skins/skin/background");
        } else {
            description->clear();
        }
    }
    if (background.empty())
        return kNoBackgroundInfo;

    wchar_t imagePath[MAX_PATH];
    if (!JoinSkinPath(imagePath, MAX_PATH, skinsFolder, name, background.c_str()) || !FileExists(imagePath))
        return kNoBackgroundImage;

    CImage image;
    if (!image.Load(m_surface, imagePath))
        return kUnreadableImage;

    Clear();
    PreviewCorner corners[4];
    PreviewCorners(image.GetWidth(), image.GetHeight(), corners);
    for (const PreviewCorner& corner : corners) {
        const RECT& s = corner.source;
        if (s.right <= s.left || s.bottom <= s.top)
            continue;
        // Both rectangles inclusive, of the same size: a plain copy.
        RECT dest = {corner.dest.x, corner.dest.y, corner.dest.x + (s.right - s.left) - 1,
                     corner.dest.y + (s.bottom - s.top) - 1};
        RECT source = {s.left, s.top, s.right - 1, s.bottom - 1};
        image.Draw(m_surface, dest, source, kOpaqueCopy);
    }
    return kBuilt;
}

void CSkinPreview::Draw(HDC target, int x, int y)
{
    ::BitBlt(target, x, y, kWidth, kHeight, m_surface, 0, 0, SRCCOPY);
}
