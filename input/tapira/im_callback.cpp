#include "im_callback.h"

HRESULT CImCallback::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    // Only what it is: a method asking for a later callback interface must
    // not be handed this one's table.
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IIMCallback)) {
        *object = static_cast<IIMCallback*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CImCallback::AddRef()
{
    return 2;
}

ULONG CImCallback::Release()
{
    return 1;
}

// The applet keeps the height it was made with.
HRESULT CImCallback::SetImInfo(IMINFO* /*info*/)
{
    return S_OK;
}

HRESULT CImCallback::SendVirtualKey(BYTE vk, DWORD flags)
{
    // The device's keybd_event (coredll) keeps the flags the desktop reads
    // alike and drops the device's "silent".
    keybd_event(vk, (BYTE)(MapVirtualKeyW(vk & 0xFF, MAPVK_VK_TO_VSC) & 0xFF), flags, 0);
    return S_OK;
}

HRESULT CImCallback::SendCharEvents(UINT vk, UINT keyFlags, UINT count, UINT* shift, UINT* chars)
{
    if (count && !chars)
        return E_INVALIDARG;
    return PostKeybdMessage((HWND)-1, vk, keyFlags, count, shift, chars) ? S_OK : E_FAIL;
}

HRESULT CImCallback::SendString(BSTR /*text*/, DWORD /*count*/)
{
    return S_OK;
}
