#include "keyboard_method.h"

namespace {

const COLORREF kMaskColour = RGB(0xC0, 0xC0, 0xC0);

HIMAGELIST LoadImages(int bitmapId, int width)
{
    HIMAGELIST images = ImageList_Create(width, 16, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (!images)
        return nullptr;
    HBITMAP bitmap =
        (HBITMAP)LoadImageW(KeyboardModule(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
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

KeyboardMethod::KeyboardMethod()
{
    ComServerAddRef();
}

KeyboardMethod::~KeyboardMethod()
{
    Deselect();
    DropCallback();
    if (m_narrow)
        ImageList_Destroy(m_narrow);
    if (m_wide)
        ImageList_Destroy(m_wide);
    ComServerRelease();
}

HRESULT KeyboardMethod::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IInputMethod)) {
        *object = static_cast<IInputMethod*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG KeyboardMethod::AddRef()
{
    return (ULONG)InterlockedIncrement(&m_refs);
}

ULONG KeyboardMethod::Release()
{
    LONG left = InterlockedDecrement(&m_refs);
    if (left == 0)
        delete this;
    return (ULONG)left;
}

// Any host window will do, in any process: the keyboard fills its top-left
// 240 x 80 pixels.
HRESULT KeyboardMethod::Select(HWND hwndSip)
{
    if (!IsWindow(hwndSip))
        return E_INVALIDARG;
    if (m_wnd)
        DestroyWindow(m_wnd);
    m_state.shift = false;
    m_state.pressed = -1;
    m_wnd = CreateKeyboardWindow(hwndSip, &m_state);
    return m_wnd ? S_OK : E_FAIL;
}

HRESULT KeyboardMethod::Deselect()
{
    if (m_wnd && IsWindow(m_wnd))
        DestroyWindow(m_wnd);
    m_wnd = nullptr;
    return S_OK;
}

HRESULT KeyboardMethod::Showing()
{
    return S_OK;
}

HRESULT KeyboardMethod::Hiding()
{
    // A held key is let go when the panel goes down.
    m_state.pressed = -1;
    return S_OK;
}

void KeyboardMethod::MakeImages()
{
    if (!m_narrow)
        m_narrow = LoadImages(IDB_KEYBOARD_NARROW, 16);
    if (!m_wide)
        m_wide = LoadImages(IDB_KEYBOARD_WIDE, 32);
}

HRESULT KeyboardMethod::GetInfo(IMINFO* pimi)
{
    if (!pimi)
        return E_POINTER;
    MakeImages();
    pimi->cbSize = sizeof(IMINFO);
    pimi->hImageNarrow = m_narrow;
    pimi->hImageWide = m_wide;
    pimi->iNarrow = 0;
    pimi->iWide = 0;
    pimi->fdwFlags = SIPF_DOCKED;
    pimi->rcSipRect = kSipKeyboardPanel;
    return S_OK;
}

HRESULT KeyboardMethod::ReceiveSipInfo(SIPINFO* /*psi*/)
{
    return S_OK;
}

void KeyboardMethod::DropCallback()
{
    if (m_state.callback)
        m_state.callback->Release();
    m_state.callback = nullptr;
}

HRESULT KeyboardMethod::RegisterCallback(IIMCallback* callback)
{
    if (callback)
        callback->AddRef();
    DropCallback();
    m_state.callback = callback;
    return S_OK;
}

HRESULT KeyboardMethod::GetImData(DWORD /*size*/, void* /*data*/)
{
    return E_NOTIMPL;
}

HRESULT KeyboardMethod::SetImData(DWORD /*size*/, void* /*data*/)
{
    return E_NOTIMPL;
}

HRESULT KeyboardMethod::UserOptionsDlg(HWND /*parent*/)
{
    return E_NOTIMPL;
}
