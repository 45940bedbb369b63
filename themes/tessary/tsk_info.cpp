// The theme record, its colours and the built-in colour sets.
#include <tessary.h>

#include <strsafe.h>

namespace {

const wchar_t* const kColourValueNames[CTskColor::kCount] = {
    L"4", L"6", L"5", L"8", L"9", L"7", L"10", L"13", L"14", L"25", L"26",
};

const COLORREF kColourSets[5][CTskColor::kCount] = {
    {0x00A00000, 0x00C08080, 0x00FF8000, 0x00A00000, 0x00FFFFFF, 0x00C0C0C0, 0x000000FF, 0x00A00000, 0x00FF8000,
     0x000000FF, 0x004080FF},
    {0x00A00000, 0x00000000, 0x00FF8000, 0x00A00000, 0x00FFFFFF, 0x00FFDDB4, 0x00F08400, 0x00A00000, 0x00FF8000,
     0x000000FF, 0x004080FF},
    {0x00000000, 0x004080FF, 0x000000FF, 0x004080FF, 0x00FFFFFF, 0x000000FF, 0x000000FF, 0x00A00000, 0x00FF8000,
     0x000000FF, 0x004080FF},
    {0x00008000, 0x00000000, 0x0080E37D, 0x0020C022, 0x00FFFFFF, 0x009CEA9B, 0x0074E171, 0x0020C022, 0x009CEA9B,
     0x000000FF, 0x004080FF},
    {0x00000080, 0x00000000, 0x000080FF, 0x0000B4FF, 0x00FFFFFF, 0x007FE4FF, 0x004080FF, 0x0000B4FF, 0x004080FF,
     0x000000FF, 0x004080FF},
};

} // namespace

CTskColor::CTskColor() : m_color() {}

const wchar_t* CTskColor::ValueName(int index)
{
    return index >= 0 && index < kCount ? kColourValueNames[index] : nullptr;
}

CTskInfo::CTskInfo() : m_bAnimated(0)
{
    ClearFiles();
}

CTskInfo& CTskInfo::operator=(const CTskColor& colors)
{
    CTskColor::operator=(colors);
    return *this;
}

void CTskInfo::ClearFiles()
{
    m_szToday[0] = m_szStart[0] = L'\0';
    m_szAniMovie[0] = m_szAniPage[0] = m_szAniControl[0] = L'\0';
    m_bAnimated = 0;
}

int GetColorSet(int index, CTskColor* colors)
{
    if (!colors)
        return 0;
    if (index < 0 || index > 4)
        index = 0;
    for (int i = 0; i < CTskColor::kCount; ++i)
        colors->m_color[i] = kColourSets[index][i];
    return 1;
}

CTskTempFiles::CTskTempFiles() : m_paths()
{
    for (int i = 0; i < kTskTempCount; ++i)
        m_pointers[i] = m_paths[i];
}

int CTskTempFiles::Form(const wchar_t* folder, const wchar_t* prefix)
{
    for (int i = 0; i < kTskTempCount; ++i) {
        if (FAILED(StringCchPrintfW(m_paths[i], MAX_PATH, L"%ls%ls%03d", folder ? folder : L"",
                                    prefix ? prefix : L"", i))) {
            for (auto& path : m_paths)
                path[0] = L'\0';
            return 0;
        }
    }
    return 1;
}

void CTskTempFiles::DeleteAll() const
{
    for (const auto& path : m_paths) {
        if (!path[0] || GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
            continue;
        SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path);
    }
}
