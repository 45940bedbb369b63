// Watching another program's window from outside.
#include "watch.h"

namespace {

BOOL CALLBACK FindDirtyChild(HWND child, LPARAM dirty)
{
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(dirty) = true;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the class that belongs to the process.
HWND FindProcessWindow(LPCWSTR windowClass, DWORD processId)
{
    for (HWND window = FindWindowExW(nullptr, nullptr, windowClass, nullptr); window;
         window = FindWindowExW(nullptr, window, windowClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return nullptr;
}

}  // namespace

double NowMs()
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The window manager marks what a window newly shows dirty in the same step
// that shows or sizes it, so "visible, not empty and clean" means it was
// painted at least once. (A skinned window is created visible but empty.)
bool IsPainted(HWND window)
{
    RECT rect;
    if (!IsWindowVisible(window) || !GetWindowRect(window, &rect) || IsRectEmpty(&rect) ||
        GetUpdateRect(window, nullptr, FALSE))
        return false;
    bool dirty = false;
    EnumChildWindows(window, FindDirtyChild, reinterpret_cast<LPARAM>(&dirty));
    return !dirty;
}

bool StartAndWaitPainted(const std::wstring& commandLine, LPCWSTR windowClass, DWORD timeoutMs,
                         WatchedProgram* out)
{
    *out = WatchedProgram();
    std::wstring line = commandLine;  // CreateProcessW may write into it
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    out->startMs = NowMs();
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &out->process))
        return false;
    const double deadline = out->startMs + timeoutMs;
    while (NowMs() < deadline) {
        if (!out->window)
            out->window = FindProcessWindow(windowClass, out->process.dwProcessId);
        if (out->window && IsPainted(out->window)) {
            out->paintedMs = NowMs();
            return true;
        }
        if (WaitForSingleObject(out->process.hProcess, 0) == WAIT_OBJECT_0)
            break;  // ended before showing anything
        Sleep(1);
    }
    EndProgram(out, WM_CLOSE, 0, 2000);
    return false;
}

void EndProgram(WatchedProgram* program, UINT message, WPARAM wParam, DWORD timeoutMs)
{
    if (!program->process.hProcess)
        return;
    if (program->window && IsWindow(program->window))
        PostMessageW(program->window, message, wParam, 0);
    if (WaitForSingleObject(program->process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(program->process.hProcess, 1);
        WaitForSingleObject(program->process.hProcess, 5000);
    }
    CloseHandle(program->process.hThread);
    CloseHandle(program->process.hProcess);
    program->process = PROCESS_INFORMATION();
    program->window = nullptr;
}
