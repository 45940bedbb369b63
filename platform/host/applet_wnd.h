// CAppletWnd: the host's hold on one loaded applet: its library (with the
// item record handed to it) and the window it created (adopted, not
// subclassed).
#pragma once

#include <windows.h>

#include <applet_library.h>
#include <corvane.h>
#include <todaycmn.h>

class CAppletWnd : public CWnd {
public:
    CAppletWnd();
    // Unloads the applet when it is still loaded.
    ~CAppletWnd() override;

    // Loads the library, calls its export 240 with a fresh item record and
    // parent, adopts the window and asks it once for a height (1267).
    // 0 (nothing left loaded) on any failure.
    int Load(LPCWSTR dllPath, HWND parent);
    // Clear-cache (1266), destroys the window, frees the library.
    void Unload();

    // Sends query-refresh (1267); its answer.
    LRESULT QueryRefresh();
    // Whether the applet's code is running on this thread (on the stack).
    BOOL IsRunningOnThisThread() const { return m_library.IsRunningOnThisThread(); }
    // Export 243 of the applet; 0 when it has none.
    int CheckNotify();

    TODAYLISTITEM* GetItem() { return m_library.GetItem(); }
    int GetHeight() const { return m_nHeight; }
    void SetHeight(int height) { m_nHeight = height; }
    LPCWSTR GetPath() const { return m_library.GetPath(); }
    CRect GetItemRect() const;

private:
    CAppletLibrary m_library;
    HWND m_hParent;
    int m_nHeight;  // the height the applet asked for, 0 when none
};
