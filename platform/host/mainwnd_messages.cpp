// The host's window messages and commands, and what it does when its
// window goes away.
#include "mainwnd.h"

#include <strsafe.h>

#include <axreg.h>

namespace {

const DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE |
                        PAGE_EXECUTE_WRITECOPY;

// The end of the committed, readable memory that address lies in; null when
// nothing there can be read.
const BYTE* ReadableEnd(const void* address)
{
    MEMORY_BASIC_INFORMATION memory = {};
    if (!address || !::VirtualQuery(address, &memory, sizeof(memory)) || memory.State != MEM_COMMIT ||
        !(memory.Protect & kReadable) || (memory.Protect & PAGE_GUARD))
        return nullptr;
    return static_cast<const BYTE*>(memory.BaseAddress) + memory.RegionSize;
}

// Copies a name from an address of this process, reading no further than
// the committed, readable memory it lies in.  0 when nothing can be read.
int CopyLocalName(const wchar_t* source, wchar_t* out, size_t capacity)
{
    const BYTE* endByte = ReadableEnd(source);
    if (!endByte)
        return 0;
    const wchar_t* end = reinterpret_cast<const wchar_t*>(endByte);
    size_t i = 0;
    for (; i + 1 < capacity && source + i < end && source[i]; ++i)
        out[i] = source[i];
    out[i] = 0;
    return i > 0;
}

// A message sent from another thread (of this or another program) may carry
// an address that means nothing here.
bool SentFromAnotherThread()
{
    return (::InSendMessageEx(nullptr) & ISMEX_SEND) != 0;
}

}  // namespace

// 1030.  A name pointer is only meaningful inside this process: a message
// sent from another thread (another process, or any thread that could pass
// a foreign address) is handled as if it had no name, and the name comes
// from the CurrentApplet setting, which such senders write first.
//
// A request made by the current applet's own code (as a contacts add-in
// does) would free the applet's library under that code: such a switch is
// carried out once the code has returned, from the message loop.  The
// applet asking is seen on the stack, as the thread's test for another
// thread's message also answers "yes" for a message sent on this thread
// while it handles another thread's message.
LRESULT CKetraWnd::OnShowAppletMessage(WPARAM wParam, LPARAM lParam)
{
    wchar_t name[CKetraSettings::kNameLength] = {};
    const bool appletRunning = m_pApplet && m_pApplet->IsRunningOnThisThread();
    const bool localPointer = appletRunning || !SentFromAnotherThread();
    if (!lParam && (!wParam || !localPointer ||
                    !CopyLocalName(reinterpret_cast<const wchar_t*>(wParam), name, CKetraSettings::kNameLength)))
        CKetraSettings::ReadCurrentApplet(name, CKetraSettings::kNameLength);
    if (appletRunning) {
        StringCchCopyW(m_szPendingApplet, CKetraSettings::kNameLength, name);
        m_bPendingReload = lParam != 0;
        if (!m_bPendingPosted)
            m_bPendingPosted = PostMessageW(kMsgShowPending) ? 1 : 0;
        return 1;
    }
    CarryOutShowApplet(name, lParam != 0);
    return 1;
}

// The switch asked for by the applet's code, once that code has returned
// (later still when the applet runs a loop of its own, a dialog or a menu).
void CKetraWnd::CarryOutPendingShow()
{
    m_bPendingPosted = 0;
    if (m_pApplet && m_pApplet->IsRunningOnThisThread()) {
        SetTimer(kTimerPendingShow, kPendingRetryMs);
        return;
    }
    CarryOutShowApplet(m_szPendingApplet, m_bPendingReload);
}

void CKetraWnd::CarryOutShowApplet(LPCWSTR requested, int reload)
{
    wchar_t name[CKetraSettings::kNameLength] = {};
    if (reload) {
        if (m_pApplet && m_szAppletName[0])
            StringCchCopyW(name, CKetraSettings::kNameLength, m_szAppletName);
        else
            CKetraSettings::ReadCurrentApplet(name, CKetraSettings::kNameLength);
        m_bForceReload = 1;
        ShowApplet(name, 1);
        return;
    }
    StringCchCopyW(name, CKetraSettings::kNameLength, requested);
    if (name[0])
        ShowApplet(name, 1);
}

// 1125 from an applet: paint the background into the record it passes.  The
// record must lie in readable memory of this process, name a drawing
// context, and come from a window of this thread: another program's address
// is not read beyond that, so it cannot make the bar read or draw where it
// chooses.  A record without a window is taken from this thread only.
void CKetraWnd::OnDrawBackgroundMessage(LPARAM lParam)
{
    const auto* info = reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam);
    const BYTE* end = ReadableEnd(info);
    if (!end || reinterpret_cast<const BYTE*>(info + 1) > end)
        return;
    const DWORD type = ::GetObjectType(info->hdc);
    if (type != OBJ_DC && type != OBJ_MEMDC)
        return;
    const bool ownWindow = info->hwnd && ::IsWindow(info->hwnd) &&
                           ::GetWindowThreadProcessId(info->hwnd, nullptr) == ::GetCurrentThreadId();
    if (!ownWindow && (info->hwnd || SentFromAnotherThread()))
        return;
    DrawAppletBackground(info);
}

LRESULT CKetraWnd::ForwardToApplet(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_pApplet || !m_pApplet->GetHWnd())
        return 0;
    return ::SendMessageW(m_pApplet->GetHWnd(), message, wParam, lParam);
}

LRESULT CKetraWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KETRA_OPEN:
        if (!m_bMaxWin)
            Maximize();
        return 1;
    case WM_KETRA_CLOSE:
        if (m_bMaxWin)
            Minimize();
        return 1;
    case WM_KETRA_CONTROL:
        switch (wParam) {
        case KETRA_CONTROL_RELOAD: {
            CKetraSettings settings;
            if (settings.Load()) {
                m_settings = settings;
                CKetraSettings::ReadColors(m_colors);
                if (m_pApplet)
                    m_pApplet->Invalidate();
                Invalidate(FALSE);
            }
            return 1;
        }
        case KETRA_CONTROL_FOCUS_ON:
            SendMessageW(WM_SKIN_FOCUSON);
            return 1;
        case KETRA_CONTROL_FOCUS_OFF:
            SendMessageW(WM_SKIN_FOCUSOFF);
            return 1;
        case KETRA_CONTROL_IS_HOOKED:
            return IsHooked() ? 1 : 0;
        case KETRA_CONTROL_HOOK:
            SetHook(1);
            return 0;
        case KETRA_CONTROL_UNHOOK:
            SetHook(0);
            return 0;
        }
        return 0;
    case WM_KETRA_WINDOW:
        switch (wParam) {
        case KETRA_WINDOW_OPEN:
            SendMessageW(WM_SKIN_MAXIMIZE);
            return 1;
        case KETRA_WINDOW_CLOSE:
            SendMessageW(WM_SKIN_MINIMIZE);
            return 1;
        case KETRA_WINDOW_AUTO_CLOSE:
            if (m_bAutoClose)
                SendMessageW(WM_SKIN_MINIMIZE);
            return 1;
        case KETRA_WINDOW_TOGGLE:
            SendMessageW(m_bMaxWin ? WM_SKIN_MINIMIZE : WM_SKIN_MAXIMIZE);
            return 1;
        case KETRA_WINDOW_IS_OPEN:
            return m_bMaxWin ? 1 : 0;
        }
        return 1;
    case WM_KETRA_SHOWAPPLET:
        return OnShowAppletMessage(wParam, lParam);
    case WM_KETRA_SETHEIGHT:
        if (static_cast<int>(lParam) > 0) {
            SetAppletHeight(static_cast<int>(lParam));
            return 1;
        }
        break;
    case WM_KETRA_VERSION: {
        DWORD version = kVersion;
        CRegistry reg;
        if (reg.Open(HKEY_LOCAL_MACHINE, KETRA_KEY, TRUE))
            reg.ReadDWORD(L"Version", &version);
        return version & 0xFFFF;
    }
    case WM_KETRA_COLOR:
        return m_colors[wParam < 3 ? wParam : 0];
    case WM_KETRA_APPLETSHOWN:  // from an applet: paint the background
        OnDrawBackgroundMessage(lParam);
        break;
    case kMsgShowPending:
        CarryOutPendingShow();
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_KETRA_RELAY:
        return ForwardToApplet(message, wParam, lParam);
    case WM_SIZE: {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        ForwardToApplet(WM_KETRA_APPLETSIZE, 0, MAKELPARAM(client.right - client.left, client.bottom - client.top));
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_CLOSE:
        // Closing under the applet's own code (a dialog or menu of its own
        // runs a loop that hands this message on) would free its library
        // before that code returns into it: the bar closes once it has.
        if (m_pApplet && m_pApplet->IsRunningOnThisThread()) {
            SetTimer(kTimerPendingExit, kPendingRetryMs);
            return 0;
        }
        break;
    case WM_DESTROY:
        OnShutdown();
        break;
    }
    return CMMSkinWnd::OnMessage(message, wParam, lParam);
}

LRESULT CKetraWnd::OnCommand(UINT id, UINT code)
{
    if (id == IDM_KETRA_EXIT) {
        SendMessageW(WM_ACTIVATE, WA_INACTIVE, 0);
        SendMessageW(WM_CLOSE);
        return 0;
    }
    if (id >= IDM_KETRA_APPLET && id < IDM_KETRA_APPLET + kMaxMenuApplets) {
        ChooseApplet(static_cast<int>(id - IDM_KETRA_APPLET));
        return 0;
    }
    if (id == IDM_KETRA_OPTIONS) {
        StartOptionProgram();
        return 0;
    }
    if (id == IDM_KETRA_GROUP) {
        ShowGroupMenu();
        return 0;
    }
    return CMMSkinWnd::OnCommand(id, code);
}

void CKetraWnd::OnShutdown()
{
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        KillTimer(kTimerPoll);
        KillTimer(kTimerPendingShow);
        KillTimer(kTimerPendingExit);
        CRect window = GetWindowRect();
        CKetraSettings::WritePosition(window.left, window.top);
    }
    UnloadApplet();
    delete m_pBkImage;
    m_pBkImage = nullptr;
    m_history.Clear();
    delete m_pAxList;
    m_pAxList = nullptr;
}
