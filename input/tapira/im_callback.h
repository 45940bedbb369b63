// The callback the hosted input method types through: virtual keys to the
// device's keybd_event, characters to the window with the focus.  It lives
// as long as the applet window object, so its reference counting is trivial.
#pragma once
#include "tapira_private.h"

class CImCallback : public IIMCallback {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE SetImInfo(IMINFO* info) override;
    HRESULT STDMETHODCALLTYPE SendVirtualKey(BYTE vk, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE SendCharEvents(UINT vk, UINT keyFlags, UINT count, UINT* shift, UINT* chars) override;
    HRESULT STDMETHODCALLTYPE SendString(BSTR text, DWORD count) override;
};
