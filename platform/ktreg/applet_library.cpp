// CAppletLibrary: loading an applet library, its item window and options
// dialog, and letting it go again.
#include "applet_library.h"

#include <strsafe.h>

#include <corvane.h>

namespace {

// An export by ordinal, as an untyped address for the caller to cast.
void* FindExport(HMODULE library, int ordinal)
{
    return reinterpret_cast<void*>(::GetProcAddress(library, MAKEINTRESOURCEA(ordinal)));
}

// The bytes the module's image takes in memory.
SIZE_T ImageSize(HMODULE module)
{
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return 0;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return nt->Signature == IMAGE_NT_SIGNATURE ? nt->OptionalHeader.SizeOfImage : 0;
}

}  // namespace

CAppletLibrary::CAppletLibrary()
    : m_hLib(nullptr), m_szPath{}, m_item{}, m_pfnInitialize(nullptr), m_pfnOptions(nullptr),
      m_pfnCheckNotify(nullptr)
{
}

CAppletLibrary::~CAppletLibrary()
{
    Unload();
}

void CAppletLibrary::Trace(LPCWSTR cause) const
{
    CWnd::WriteLog(L"Applet library [%ls]: %ls", m_szPath, cause);
}

int CAppletLibrary::Load(LPCWSTR dllPath)
{
    Unload();
    m_szPath[0] = 0;
    if (!dllPath || !dllPath[0] || FAILED(StringCchCopyW(m_szPath, MAX_PATH, dllPath))) {
        Trace(L"no library");
        m_szPath[0] = 0;
        return 0;
    }
    {
        // The library's entry point may make its module the framework's instance.
        CorInstanceScope keepInstance;
        m_hLib = ::LoadLibraryW(m_szPath);
    }
    if (!m_hLib) {
        Trace(L"no library");
        return 0;
    }
    m_pfnInitialize = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(FindExport(m_hLib, ORDINAL_INITIALIZEITEM));
    m_pfnOptions = reinterpret_cast<DLGPROC>(FindExport(m_hLib, ORDINAL_OPTIONSDIALOGPROC));
    m_pfnCheckNotify = reinterpret_cast<PFNCUSTOMCHECKNOTIFY>(FindExport(m_hLib, ORDINAL_CHECKNOTIFY));

    ZeroMemory(&m_item, sizeof(m_item));
    StringCchCopyW(m_item.szName, MAX_ITEMNAME, m_szPath);  // cut to the field, terminated
    m_item.tlit = tlitOwnerInfo;
    m_item.fEnabled = TRUE;
    m_item.fOptions = TRUE;
    StringCchCopyW(m_item.szDLLPath, MAX_PATH, m_szPath);
    m_item.hinstDLL = m_hLib;
    return 1;
}

HWND CAppletLibrary::CreateItemWindow(HWND parent)
{
    if (!m_hLib)
        return nullptr;
    if (!m_pfnInitialize) {
        Trace(L"no export 240");
        return nullptr;
    }
    HWND window;
    {
        CorInstanceScope keepInstance;
        window = m_pfnInitialize(&m_item, parent);
    }
    if (!window || !::IsWindow(window)) {
        Trace(L"240 returned no window");
        return nullptr;
    }
    m_item.hwndCustom = window;
    return window;
}

BOOL CAppletLibrary::RunOptionsDialog(HWND owner)
{
    if (!m_hLib || !m_pfnOptions ||
        !::FindResourceW(m_hLib, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), (LPCWSTR)RT_DIALOG))
        return FALSE;
    CorInstanceScope keepInstance;
    return ::DialogBoxParamW(m_hLib, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), owner, m_pfnOptions,
                             reinterpret_cast<LPARAM>(&m_item)) != -1;
}

BOOL CAppletLibrary::IsRunningOnThisThread() const
{
    if (!m_hLib)
        return FALSE;
    const auto* begin = reinterpret_cast<const BYTE*>(m_hLib);
    const BYTE* end = begin + ImageSize(m_hLib);
    const ULONG kBatch = 62;  // the most one call returns
    void* frames[kBatch];
    for (ULONG skip = 0; skip < 16 * kBatch; skip += kBatch) {
        const USHORT count = ::RtlCaptureStackBackTrace(skip, kBatch, frames, nullptr);
        for (USHORT i = 0; i < count; ++i) {
            const auto* address = static_cast<const BYTE*>(frames[i]);
            if (address >= begin && address < end)
                return TRUE;
        }
        if (count < kBatch)
            break;
    }
    return FALSE;
}

void CAppletLibrary::Unload()
{
    CorInstanceScope keepInstance;
    if (HWND window = m_item.hwndCustom) {
        m_item.hwndCustom = nullptr;
        if (::IsWindow(window)) {
            ::SendMessageW(window, WM_TODAYCUSTOM_CLEARCACHE, reinterpret_cast<WPARAM>(&m_item), 0);
            if (::IsWindow(window))
                ::DestroyWindow(window);
        }
    }
    if (m_hLib) {
        ::FreeLibrary(m_hLib);
        m_hLib = nullptr;
    }
    m_pfnInitialize = nullptr;
    m_pfnOptions = nullptr;
    m_pfnCheckNotify = nullptr;
}
