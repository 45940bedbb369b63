// Corvane-internal: the shell's activation and setting-change handlers, with
// the one activation record the process's windows share.
#pragma once

#include <windows.h>

void ShellHandleActivate(HWND hWnd, WPARAM wParam, LPARAM lParam);
void ShellHandleSettingChange(HWND hWnd, WPARAM wParam, LPARAM lParam);
