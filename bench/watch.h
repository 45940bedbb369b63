// Watching another program from outside: starting it, finding its window,
// waiting until everything in that window has been painted, ending it.
#pragma once

#include <windows.h>

#include <string>

// Milliseconds from a fixed point, at the performance counter's resolution.
double NowMs();

struct WatchedProgram {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    double startMs = 0;    // just before CreateProcess
    double paintedMs = 0;  // when its window first had nothing left to paint
};

// The window and each of its visible descendants have no update region.
bool IsPainted(HWND window);

// Starts the command line and waits up to timeoutMs for a top-level window
// of windowClass, owned by the new process, to be visible and painted.
// On failure the process (when started) is ended.
bool StartAndWaitPainted(const std::wstring& commandLine, LPCWSTR windowClass, DWORD timeoutMs,
                         WatchedProgram* out);

// Posts message (WM_CLOSE, or the host's exit command) to the program's
// window and waits for the process to end; terminates it after timeoutMs.
void EndProgram(WatchedProgram* program, UINT message, WPARAM wParam, DWORD timeoutMs = 10000);
