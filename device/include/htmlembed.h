// Controls the device's HTML view embeds for <object> (the Flash player of
// animated themes, for one).
//
// A page's <object classid="clsid:{...}" width=.. height=..> names a COM
// class.  When HKLM "SOFTWARE\Classes\CLSID\{...}\InprocServer32" names its
// library, the view loads that library, asks its DllGetClassObject for the
// class factory, creates the object and asks it for IHtmlEmbed.  The object
// then makes its window as a child of the view over the object's box, with
// the page's <param name value> pairs.  The view moves the window as the
// page scrolls or is laid out again, destroys it when the page goes away,
// and then releases the object.  Without a registration, or when any step
// fails, the box stays an empty frame.
#pragma once
#include <windows.h>
#include <unknwn.h>

// {3EAA7964-A4E7-4A83-A46F-FF0FF22F43EC}
static const IID IID_IHtmlEmbed = {0x3eaa7964, 0xa4e7, 0x4a83, {0xa4, 0x6f, 0xff, 0x0f, 0xf2, 0x2f, 0x43, 0xec}};

struct IHtmlEmbed : public IUnknown {
    // Creates the control's window, a visible child of parent at box (in
    // parent's client coordinates), given the <param> pairs in page order
    // (names as written, entities decoded).  S_OK with *window set, or a
    // failure code.
    virtual HRESULT STDMETHODCALLTYPE CreateEmbedWindow(HWND parent, const RECT* box, UINT paramCount,
                                                        const LPCWSTR* names, const LPCWSTR* values,
                                                        HWND* window) = 0;
};
