// The keyboard's figures: switching the bar to the keyboard applet, and a
// tap on a key until its character is in the note pad's edit box, through
// the bar and through the device's input panel.
#include "figures.h"

#include <algorithm>
#include <vector>

#include <ketra_host.h>
#include <sip.h>
#include <sipkbd_layout.h>

#include "watch.h"

namespace {

const wchar_t kNotesCommand[] = L"\"\\Windows\\notes.exe\"";
const DWORD kStartTimeoutMs = 20000;
const double kCharacterTimeoutMs = 3000;

// The menu command, then everything painted (as the host figures time it).
bool Switch(HWND bar, int position, double* ms = nullptr)
{
    const double start = NowMs();
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(bar, WM_COMMAND, IDM_KETRA_APPLET + position, 0, SMTO_NORMAL, 20000, &answer))
        return false;
    RedrawWindow(bar, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (ms)
        *ms = NowMs() - start;
    return true;
}

void Stylus(int x, int y, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (LONG)(((2LL * x + 1) * 65536) / (2LL * GetSystemMetrics(SM_CXSCREEN)));
    input.mi.dy = (LONG)(((2LL * y + 1) * 65536) / (2LL * GetSystemMetrics(SM_CYSCREEN)));
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    SendInput(1, &input, sizeof(input));
}

LRESULT TextLength(HWND edit)
{
    DWORD_PTR length = 0;
    SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 1000, &length);
    return (LRESULT)length;
}

// Taps the screen point runs times; the time from the stylus going down to
// the edit box holding one character more.
bool TimeTaps(HWND notes, HWND edit, POINT at, int runs, double* medianMs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        SetForegroundWindow(notes);
        Stylus(at.x, at.y, 0);
        Sleep(60);
        const LRESULT before = TextLength(edit);
        const double start = NowMs();
        Stylus(at.x, at.y, MOUSEEVENTF_LEFTDOWN);
        while (TextLength(edit) == before && NowMs() - start < kCharacterTimeoutMs)
            Sleep(0);
        const double took = NowMs() - start;
        Stylus(at.x, at.y, MOUSEEVENTF_LEFTUP);
        Sleep(60);
        if (TextLength(edit) == before)
            return false;
        times.push_back(took);
    }
    *medianMs = MedianOf(times);
    return true;
}

POINT KeyOnScreen(POINT origin)
{
    return SipKeyCentre(*SipKeyForCharacter(L'a'), origin);
}

void MeasureSwitching(HWND bar, const BenchPlaces& places, int runs, InputFigures* out)
{
    // Each library once, untimed.
    Switch(bar, places.keyboardPosition);
    Switch(bar, places.appletAPosition);
    std::vector<double> keyboard, about;
    for (int i = 0; i < runs; ++i) {
        double ms = 0;
        if (!Switch(bar, places.keyboardPosition, &ms)) {
            out->keyboardSwitch.problem = "the bar did not answer a menu command";
            return;
        }
        keyboard.push_back(ms);
        Switch(bar, places.appletAPosition);
        if (!Switch(bar, places.aboutPosition, &ms)) {
            out->keyboardSwitch.problem = "the bar did not answer a menu command";
            return;
        }
        about.push_back(ms);
        Switch(bar, places.appletAPosition);
    }
    if (!FindWindowExW(bar, nullptr, L"Tapira", nullptr) && !Switch(bar, places.keyboardPosition)) {
        out->keyboardSwitch.problem = "the keyboard applet was not shown";
        return;
    }
    out->keyboardSwitch.ok = true;
    out->keyboardSwitch.measuredMs = MedianOf(keyboard);
    out->keyboardSwitch.baselineMs = MedianOf(about);
}

void MeasureTyping(HWND bar, HWND notes, const BenchPlaces& places, int runs, InputFigures* out)
{
    HWND edit = FindWindowExW(notes, nullptr, L"Edit", nullptr);
    if (!edit || !Switch(bar, places.keyboardPosition)) {
        out->typing.problem = "no note pad or no keyboard applet";
        return;
    }
    RECT applet = {};
    GetWindowRect(FindWindowExW(bar, nullptr, L"Tapira", nullptr), &applet);
    if (!TimeTaps(notes, edit, KeyOnScreen({applet.left, applet.top}), runs, &out->typing.measuredMs)) {
        out->typing.problem = "a tap on the bar's keyboard typed nothing";
        return;
    }
    // The device's panel with the built-in keyboard, the bar on another applet.
    Switch(bar, places.aboutPosition);
    CLSID keyboard = CLSID_SipKeyboard;
    if (!SipSetCurrentIM(&keyboard) || !SipShowIM(SIPF_ON)) {
        out->typing.problem = "the input panel did not come up";
        return;
    }
    const bool typed = TimeTaps(notes, edit, KeyOnScreen({kSipKeyboardPanel.left, kSipKeyboardPanel.top}), runs,
                                &out->typing.baselineMs);
    SipShowIM(SIPF_OFF);
    if (!typed) {
        out->typing.problem = "a tap on the panel's keyboard typed nothing";
        return;
    }
    out->typing.ok = true;
}

}  // namespace

InputFigures MeasureInput(const BenchPlaces& places, int runs)
{
    InputFigures out;
    WatchedProgram notes;
    if (!StartAndWaitPainted(kNotesCommand, L"Notes", kStartTimeoutMs, &notes)) {
        out.keyboardSwitch.problem = out.typing.problem = "the note pad did not come up";
        return out;
    }
    WatchedProgram host;
    if (!StartAndWaitPainted(places.hostCommand, KETRA_CLASS, kStartTimeoutMs, &host)) {
        out.keyboardSwitch.problem = out.typing.problem = "the side bar did not come up";
        EndProgram(&notes, WM_CLOSE, 0);
        return out;
    }
    DWORD_PTR open = 0;
    SendMessageTimeoutW(host.window, WM_KETRA_WINDOW, KETRA_WINDOW_OPEN, 0, SMTO_NORMAL, 20000, &open);
    MeasureSwitching(host.window, places, runs, &out);
    MeasureTyping(host.window, notes.window, places, runs, &out);
    EndProgram(&host, WM_COMMAND, IDM_KETRA_EXIT);
    EndProgram(&notes, WM_CLOSE, 0);
    return out;
}
