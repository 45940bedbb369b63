#include "program_driver.h"

#include "input.h"
#include "pump.h"
#include "window_find.h"

namespace testkit {

namespace {

struct ControlQuery {
    int id;
    HWND visible;
    HWND any;
};

BOOL CALLBACK MatchControl(HWND child, LPARAM param)
{
    auto* query = reinterpret_cast<ControlQuery*>(param);
    if (GetDlgCtrlID(child) != query->id)
        return TRUE;
    if (!query->any)
        query->any = child;
    // Visible means its page is visible, too.
    if (IsWindowVisible(child)) {
        query->visible = child;
        return FALSE;
    }
    return TRUE;
}

HWND ProcessMainWindow(DWORD pid, const wchar_t* className)
{
    for (HWND w = FindWindowW(className, nullptr); w; w = FindWindowExW(nullptr, w, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid)
            return w;
    }
    return nullptr;
}

}  // namespace

ProgramDriver::ProgramDriver(const std::wstring& path, const wchar_t* mainClass, const std::wstring& args)
    : program_(path, args)
{
    if (!program_.Started())
        return;
    PumpUntil([&] { return (main_ = ProcessMainWindow(program_.Id(), mainClass)) != nullptr; }, 15000);
    if (main_)
        WaitUntilIdle(main_);
}

ProgramDriver::~ProgramDriver()
{
    program_.Kill();
}

HWND ProgramDriver::Control(int id, DWORD ms) const
{
    ControlQuery query = {id, nullptr, nullptr};
    PumpUntil(
        [&] {
            query = {id, nullptr, nullptr};
            if (main_)
                EnumChildWindows(main_, MatchControl, reinterpret_cast<LPARAM>(&query));
            return query.any != nullptr;
        },
        ms);
    return query.visible ? query.visible : query.any;
}

bool ProgramDriver::Checked(int id) const
{
    return SendWaiting(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring ProgramDriver::Text(int id) const
{
    wchar_t text[512] = {};
    SendMessageTimeoutW(Control(id), WM_GETTEXT, ARRAYSIZE(text), (LPARAM)text, SMTO_NORMAL, 5000, nullptr);
    return text;
}

std::unique_ptr<RemoteListView> ProgramDriver::List(int id) const
{
    return std::make_unique<RemoteListView>(Control(id));
}

std::unique_ptr<RemoteTreeView> ProgramDriver::Tree(int id) const
{
    return std::make_unique<RemoteTreeView>(Control(id));
}

void ProgramDriver::Command(int id) const
{
    HWND control = Control(id);
    SendWaiting(GetParent(control), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)control);
}

void ProgramDriver::PostCommand(int id) const
{
    HWND control = Control(id);
    PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)control);
}

void ProgramDriver::MenuCommand(UINT id) const
{
    SendWaiting(main_, WM_COMMAND, id, 0);
}

bool ProgramDriver::Tap(int id) const
{
    const bool tapped = TapWindow(Control(id));
    PumpMessages(100);
    return tapped;
}

bool ProgramDriver::CloseWith(UINT command, DWORD ms, DWORD* exitCode)
{
    PostMessageW(main_, WM_COMMAND, command, 0);
    return WaitEnded(ms, exitCode);
}

bool ProgramDriver::CloseByOkCorner(DWORD ms, DWORD* exitCode)
{
    SetForegroundWindow(main_);
    PumpMessages(100);
    return testkit::Tap(230, 10) && WaitEnded(ms, exitCode);
}

bool ProgramDriver::CloseWindow(DWORD ms, DWORD* exitCode)
{
    PostMessageW(main_, WM_CLOSE, 0, 0);
    return WaitEnded(ms, exitCode);
}

bool ProgramDriver::WaitEnded(DWORD ms, DWORD* exitCode)
{
    const bool ended = program_.WaitExit(ms, exitCode);
    if (ended)
        main_ = nullptr;
    return ended;
}

}  // namespace testkit
