// The image cache shared by every skin window of a process: CImgList and its
// entries, CSharedImage.
#include "skininfo.h"

#include <strsafe.h>

// Made when the library loads, destroyed when it unloads.
SKIVEL_API CImgList g_imgList;

// ---- CSharedImage ----------------------------------------------------------

CSharedImage::CSharedImage() : m_pImage(nullptr)
{
    m_szPath[0] = L'\0';
}

CSharedImage::~CSharedImage()
{
    delete m_pImage;
}

CImage* CSharedImage::LoadImageW(CDC* dc, LPCWSTR path)
{
    delete m_pImage;
    m_pImage = nullptr;
    m_szPath[0] = L'\0';
    if (!path || FAILED(StringCchCopyW(m_szPath, MAX_PATH, path))) {
        m_szPath[0] = L'\0';
        return nullptr;
    }
    CImage* image = new CImage;
    if (!image->LoadStored(dc ? dc->GetSafeHdc() : nullptr, path) || !image->IsLoaded()) {
        delete image;
        m_szPath[0] = L'\0';
        return nullptr;
    }
    m_pImage = image;
    return m_pImage;
}

// ---- CImgList --------------------------------------------------------------

CImgList::CImgList() : CObList(10), m_pDC(nullptr), m_forgotten(10) {}

CImgList::~CImgList()
{
    RemoveAll();
}

CImage* CImgList::LookUp(LPCWSTR path) const
{
    if (!path)
        return nullptr;
    for (POSITION pos = GetHeadPosition(); pos;) {
        const CSharedImage* entry = static_cast<const CSharedImage*>(GetNext(pos));
        if (wcscmp(entry->GetPath(), path) == 0)
            return entry->GetImage();
    }
    return nullptr;
}

CImage* CImgList::GetImage(LPCWSTR path)
{
    CImage* image = LookUp(path);
    return image ? image : AddImage(path);
}

CImage* CImgList::AddImage(LPCWSTR path)
{
    if (!path || !*path)
        return nullptr;
    CSharedImage* entry = new CSharedImage;
    CImage* image = entry->LoadImageW(m_pDC, path);
    if (!image) {
        delete entry;
        return nullptr;
    }
    AddTail(entry);
    return image;
}

int CImgList::ForgetFolder(LPCWSTR folder)
{
    if (!folder || !*folder)
        return 0;
    // The file system ignores case, so a folder is the same whatever case a
    // path spells it in.
    const int length = lstrlenW(folder);
    int forgotten = 0;
    for (POSITION pos = GetHeadPosition(); pos;) {
        POSITION current = pos;
        CSharedImage* entry = static_cast<CSharedImage*>(GetNext(pos));
        if (lstrlenW(entry->GetPath()) > length &&
            CompareStringOrdinal(entry->GetPath(), length, folder, length, TRUE) == CSTR_EQUAL) {
            RemoveAt(current);
            m_forgotten.AddTail(entry);
            ++forgotten;
        }
    }
    return forgotten;
}

void CImgList::RemoveAll()
{
    while (!IsEmpty())
        delete static_cast<CSharedImage*>(RemoveHead());
    while (!m_forgotten.IsEmpty())
        delete static_cast<CSharedImage*>(m_forgotten.RemoveHead());
}
