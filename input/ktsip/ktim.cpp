#include "ktim.h"

namespace {

const COLORREF kMaskColour = RGB(0xC0, 0xC0, 0xC0);
// A panel of no height at the top of the menu bars' strip.
const RECT kPanel = {0, 294, 239, 294};

HIMAGELIST LoadImages(int bitmapId, int width)
{
    HIMAGELIST images = ImageList_Create(width, 16, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (!images)
        return nullptr;
    HBITMAP bitmap =
        (HBITMAP)LoadImageW(KtSipModule(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!bitmap || ImageList_AddMasked(images, bitmap, kMaskColour) < 0) {
        if (bitmap)
            DeleteObject(bitmap);
        ImageList_Destroy(images);
        return nullptr;
    }
    DeleteObject(bitmap);
    return images;
}

}  // namespace

KtIM::KtIM()
{
    KtSipLock();
}

KtIM::~KtIM()
{
    // A host that releases without deselecting leaves nothing behind; the
    // side bar is not closed then.
    if (m_wnd && IsWindow(m_wnd))
        DestroyWindow(m_wnd);
    if (m_classRegistered)
        UnregisterClassW(KTIM_WINDOW_CLASS, KtSipModule());
    DestroyImages();
    SetCallback(nullptr);
    KtSipUnlock();
}

HRESULT KtIM::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    // IKtIM adds nothing to IUnknown: the input method's table serves it.
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IInputMethod) || IsEqualIID(iid, IID_IKtIM)) {
        *object = static_cast<IInputMethod*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG KtIM::AddRef()
{
    return (ULONG)InterlockedIncrement(&m_refs);
}

ULONG KtIM::Release()
{
    LONG left = InterlockedDecrement(&m_refs);
    if (left == 0)
        delete this;
    return (ULONG)left;
}

void KtIM::PrepareInfo()
{
    if (!m_narrow)
        m_narrow = LoadImages(IDB_KTIM_NARROW, 16);
    if (!m_wide)
        m_wide = LoadImages(IDB_KTIM_WIDE, 32);
    m_info.cbSize = sizeof(IMINFO);
    m_info.hImageNarrow = m_narrow;
    m_info.hImageWide = m_wide;
    m_info.iNarrow = 0;
    m_info.iWide = 0;
    m_info.fdwFlags = SIPF_DOCKED;
    m_info.rcSipRect = kPanel;
}

void KtIM::DestroyImages()
{
    if (m_narrow)
        ImageList_Destroy(m_narrow);
    if (m_wide)
        ImageList_Destroy(m_wide);
    m_narrow = nullptr;
    m_wide = nullptr;
    m_info.hImageNarrow = nullptr;
    m_info.hImageWide = nullptr;
}

void KtIM::SetCallback(IIMCallback* callback)
{
    if (callback)
        callback->AddRef();
    if (m_callback)
        m_callback->Release();
    m_callback = callback;
}

HRESULT KtIM::Select(HWND hwndSip)
{
    if (!m_classRegistered) {
        WNDCLASSW wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = KtSipModule();
        wc.lpszClassName = KTIM_WINDOW_CLASS;
        // A second method of this library in the process has it already.
        if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return E_FAIL;
        m_classRegistered = true;
    }
    if (m_wnd && IsWindow(m_wnd))
        DestroyWindow(m_wnd);
    m_wnd =
        CreateWindowExW(0, KTIM_WINDOW_CLASS, L"", WS_CHILD, 0, 0, 10, 10, hwndSip, nullptr, KtSipModule(), nullptr);
    PrepareInfo();
    return m_wnd ? S_OK : E_FAIL;
}

HRESULT KtIM::Deselect()
{
    // Only what exists is destroyed: Deselect may come before Select, or twice.
    DestroyImages();
    if (m_wnd && IsWindow(m_wnd))
        DestroyWindow(m_wnd);
    m_wnd = nullptr;
    if (m_classRegistered)
        UnregisterClassW(KTIM_WINDOW_CLASS, KtSipModule());
    m_classRegistered = false;
    CloseBarShowingKeyboard();
    return S_OK;
}

HRESULT KtIM::Showing()
{
    if (m_callback) {
        PrepareInfo();
        m_callback->SetImInfo(&m_info);
    }
    return S_OK;
}

HRESULT KtIM::Hiding()
{
    return S_OK;
}

// Hosts may ask before Select (the panel, the keyboard applet): the record
// is prepared here as well.
HRESULT KtIM::GetInfo(IMINFO* pimi)
{
    if (!pimi)
        return E_POINTER;
    PrepareInfo();
    *pimi = m_info;
    return S_OK;
}

HRESULT KtIM::ReceiveSipInfo(SIPINFO* /*psi*/)
{
    return S_OK;
}

HRESULT KtIM::RegisterCallback(IIMCallback* callback)
{
    SetCallback(callback);
    return callback ? S_OK : E_POINTER;
}

HRESULT KtIM::GetImData(DWORD /*size*/, void* /*data*/)
{
    return E_NOTIMPL;
}

HRESULT KtIM::SetImData(DWORD /*size*/, void* /*data*/)
{
    return E_NOTIMPL;
}

HRESULT KtIM::UserOptionsDlg(HWND /*parent*/)
{
    return E_NOTIMPL;
}
