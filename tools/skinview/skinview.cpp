// skinview: shows the side bar of a skin file on the device, so that a skin
// can be looked at (and photographed) without the host and its applets.
//
//     skinview [SKIN_FILE]
//
// The default is the installed Default skin.  The bar is a sliding skin
// window of class "SkinViewWnd": its buttons, menus and messages (2128
// minimise, 2129 maximise, 2130 toggle) work as on the host; the skin's
// text area shows the skin's folder name.
#include <windows.h>

#include <strsafe.h>

#include "corvane.h"
#include "mmskinwnd.h"

namespace {

const wchar_t kDefaultSkin[] = L"\\Program Files\\ZARQ\\Ketra\\Skins\\Default\\skin.xml";
const wchar_t kWindowClass[] = L"SkinViewWnd";

// The argument without surrounding blanks and quotes.
void TakeSkinPath(LPCWSTR commandLine, wchar_t* path, size_t capacity)
{
    while (commandLine && (*commandLine == L' ' || *commandLine == L'"'))
        ++commandLine;
    if (!commandLine || !*commandLine) {
        StringCchCopyW(path, capacity, kDefaultSkin);
        return;
    }
    StringCchCopyW(path, capacity, commandLine);
    size_t length = wcslen(path);
    while (length > 0 && (path[length - 1] == L' ' || path[length - 1] == L'"'))
        path[--length] = L'\0';
}

// The name of the folder holding the skin file.
void SkinName(LPCWSTR path, wchar_t* name, size_t capacity)
{
    name[0] = L'\0';
    const wchar_t* last = wcsrchr(path, L'\\');
    if (!last)
        return;
    const wchar_t* first = last;
    while (first > path && first[-1] != L'\\')
        --first;
    StringCchCopyNW(name, capacity, first, static_cast<size_t>(last - first));
}

class CSkinViewWnd : public CMMSkinWnd {
public:
    explicit CSkinViewWnd(LPCWSTR skinPath) { SkinName(skinPath, m_name, 64); }

    // The skin's name where the host writes the applet's: at the top-left of
    // the last text area.
    void OnDraw(CDC* dc) override
    {
        if (!IsMaxWin())
            return;
        const CCtrl* text = nullptr;
        for (POSITION pos = GetCtrlList()->GetHeadPosition(); pos;) {
            const CCtrl* ctrl = static_cast<const CCtrl*>(GetCtrlList()->GetNext(pos));
            if (ctrl->IsType(L"text"))
                text = ctrl;
        }
        if (text)
            dc->ShadowTextOut(text->GetRect().left, text->GetRect().top, m_name, 11, RGB(0, 0, 0),
                              RGB(255, 255, 255));
    }

private:
    wchar_t m_name[64];
};

class CSkinViewApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        wchar_t path[MAX_PATH];
        TakeSkinPath(m_lpCmdLine, path, MAX_PATH);
        CSkinViewWnd* wnd = new CSkinViewWnd(path);
        m_pMainWnd = wnd;
        if (!wnd->Create(nullptr, kWindowClass, TRUE))
            return FALSE;
        wnd->SetHold(TRUE);
        if (!wnd->LoadSkin(path)) {
            CWnd::TRACE(L"skinview: cannot load %ls", path);
            return FALSE;
        }
        wnd->ShowWindow();
        return TRUE;
    }
};

CSkinViewApp g_skinViewApp;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow)
{
    return CorWinMain(instance, prevInstance, cmdLine, cmdShow);
}
