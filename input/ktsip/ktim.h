// KtIM: the empty input method.  Its panel has no height (0,294)-(239,294),
// so the device's panel takes no room while it is current.
#pragma once
#include "ktsip_private.h"

#include <commctrl.h>

class KtIM : public IInputMethod {
public:
    KtIM();
    virtual ~KtIM();
    KtIM(const KtIM&) = delete;
    KtIM& operator=(const KtIM&) = delete;

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
    // Fills the record, making the image lists on first use.
    void PrepareInfo();
    void DestroyImages();
    void SetCallback(IIMCallback* callback);

    LONG m_refs = 1;
    IMINFO m_info = {};
    HIMAGELIST m_narrow = nullptr;
    HIMAGELIST m_wide = nullptr;
    HWND m_wnd = nullptr;
    bool m_classRegistered = false;
    IIMCallback* m_callback = nullptr;
};

// The window class Select registers and Deselect unregisters.
#define KTIM_WINDOW_CLASS L"42429670-ae04-11d0-a4f8-00aa00a749b9 - KetraIMWndClass"

// Closes the side bar (1029 with 1, waiting at most 2 seconds) when it shows
// the keyboard applet: "LastIM" equals "CurrentApplet", ignoring case.
void CloseBarShowingKeyboard();
