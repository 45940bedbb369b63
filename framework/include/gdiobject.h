// Handle-owning wrappers of the platform's drawing objects.
//
// Classes in this file:
//   CGdiObject  one drawing-object handle and the handle it displaced in a CDC
//   CPen, CBrush, CFont, CBitmap  the typed objects; each deletes its handle
//   CIcon       one icon handle, destroyed with the object
//
// The wrappers own their handle: copying them is not allowed, since two
// copies would delete the same handle twice. Attach, Detach and assignment
// from a raw handle move ownership in and out explicitly.
#pragma once

#include <windows.h>

#include "cobject.h"
#include "corvane_api.h"
#include "geometry.h"

class CDC;

class CORVANE_API CGdiObject : public CObject {
public:
    CGdiObject() = default;
    ~CGdiObject() override;  // deletes the handle
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Takes ownership of the handle; 0 (nothing stored) for a null handle.
    BOOL Attach(HGDIOBJ object);
    // Gives the handle up without deleting it.
    HGDIOBJ Detach();
    // 0 when empty; else detaches the handle and deletes it. Shared platform
    // objects (stock objects, system-colour brushes) are detached only.
    BOOL DeleteObject();
    // Deletes the current handle and takes the new one.
    CGdiObject& operator=(HGDIOBJ object);

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }

    // The handle this object displaced when a CDC selected it.
    void SetOldHandle(HGDIOBJ old) { m_hOldObject = old; }
    HGDIOBJ GetOldHandle() const { return m_hOldObject; }

    bool operator==(const CGdiObject& other) const { return m_hObject == other.m_hObject; }
    bool operator!=(const CGdiObject& other) const { return m_hObject != other.m_hObject; }

    HGDIOBJ m_hObject = nullptr;
    HGDIOBJ m_hOldObject = nullptr;
};

class CORVANE_API CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    using CGdiObject::operator=;

    BOOL CreatePen(int style, int width, COLORREF colour);
    BOOL CreatePenIndirect(const LOGPEN* logPen);
    BOOL GetLogPen(LOGPEN* logPen) const;
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CORVANE_API CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    using CGdiObject::operator=;

    BOOL CreateSolidBrush(COLORREF colour);
    // Attaches the platform's shared brush for a system colour index. That
    // brush belongs to the platform and is never deleted by this object.
    BOOL CreateSysColorBrush(int colourIndex);
    BOOL GetLogBrush(LOGBRUSH* logBrush) const;
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CORVANE_API CFont : public CGdiObject {
public:
    CFont() = default;
    using CGdiObject::operator=;

    BOOL CreateFontIndirectW(const LOGFONTW* logFont);
    // Height, face and weight; every other field 0 except the default
    // character set. A face name longer than the platform's 31 characters
    // creates nothing and returns 0.
    BOOL CreateFont(int height, LPCWSTR faceName, int weight);
    // Not supported: creates nothing and returns 0 (use CreateFontIndirectW).
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCWSTR faceName);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CORVANE_API CBitmap : public CGdiObject {
public:
    CBitmap() = default;
    using CGdiObject::operator=;

    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL LoadBitmapW(HINSTANCE instance, LPCWSTR name);
    BOOL LoadBitmapW(HINSTANCE instance, UINT id) { return LoadBitmapW(instance, MAKEINTRESOURCEW(id)); }
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    int GetBitmap(BITMAP* bitmap) const;
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

    // An informational size the owner may record; the platform ignores it.
    CSize SetBitmapDimension(int width, int height);
    CSize GetBitmapDimension() const { return m_size; }

    CSize m_size{0, 0};
};

class CORVANE_API CIcon {
public:
    CIcon() = default;
    explicit CIcon(HICON icon) : m_hIcon(icon) {}
    CIcon(HINSTANCE instance, UINT id) { LoadIconW(instance, id); }
    ~CIcon();
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;

    // Replaces the icon held with the loaded one and returns it; on failure
    // returns 0 and keeps the icon held.
    HICON LoadIconW(HINSTANCE instance, UINT id);
    HICON GetSafeHandle() const { return m_hIcon; }
    operator HICON() const { return m_hIcon; }

    HICON m_hIcon = nullptr;
};
