// The keyboard as an input method: its information record (also before
// Select), its window in the host's window, and the host's callback.
#pragma once
#include "sipkbd_private.h"

#include <commctrl.h>

class KeyboardMethod : public IInputMethod {
public:
    KeyboardMethod();
    virtual ~KeyboardMethod();
    KeyboardMethod(const KeyboardMethod&) = delete;
    KeyboardMethod& operator=(const KeyboardMethod&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE Select(HWND hwndSip) override;
    HRESULT STDMETHODCALLTYPE Deselect() override;
    HRESULT STDMETHODCALLTYPE Showing() override;
    HRESULT STDMETHODCALLTYPE Hiding() override;
    HRESULT STDMETHODCALLTYPE GetInfo(IMINFO* pimi) override;
    HRESULT STDMETHODCALLTYPE ReceiveSipInfo(SIPINFO* psi) override;
    HRESULT STDMETHODCALLTYPE RegisterCallback(IIMCallback* callback) override;
    HRESULT STDMETHODCALLTYPE GetImData(DWORD size, void* data) override;
    HRESULT STDMETHODCALLTYPE SetImData(DWORD size, void* data) override;
    HRESULT STDMETHODCALLTYPE UserOptionsDlg(HWND parent) override;

private:
    void MakeImages();
    void DropCallback();

    LONG m_refs = 1;
    HWND m_wnd = nullptr;
    KeyboardState m_state;
    HIMAGELIST m_narrow = nullptr;
    HIMAGELIST m_wide = nullptr;
};
