// A device program with windows, driven as its user drives it: started,
// its controls found by id across its pages, pressed, chosen from, read,
// and closed by its OK corner, a command or WM_CLOSE, with a check that
// the process really ended.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "programs.h"
#include "remote_controls.h"

namespace testkit {

class ProgramDriver {
public:
    // Starts the program and waits until its main window (of that class)
    // takes input.
    ProgramDriver(const std::wstring& path, const wchar_t* mainClass, const std::wstring& args = L"");
    ~ProgramDriver();  // a program still running is killed
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    bool Started() const { return main_ != nullptr; }
    HWND Main() const { return main_; }
    DWORD ProcessId() const { return program_.Id(); }
    bool Running() const { return program_.Running(); }

    // The control with this id in the main window or any of its pages (a
    // visible one first); null when there is none (after waiting up to ms).
    HWND Control(int id, DWORD ms = 0) const;
    // The page (dialog) that holds the control.
    HWND PageOf(int id) const { return GetParent(Control(id)); }
    bool Checked(int id) const;
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    std::wstring Text(int id) const;
    RemoteComboBox Combo(int id) const { return RemoteComboBox(Control(id)); }
    std::unique_ptr<RemoteListView> List(int id) const;
    std::unique_ptr<RemoteTreeView> Tree(int id) const;

    // A button's command as the button sends it to its page; returns once
    // handled.  Post it instead for a command that asks with a box first.
    void Command(int id) const;
    void PostCommand(int id) const;
    // A command to the main window (menu items, page switches), handled.
    void MenuCommand(UINT id) const;
    // A stylus tap in the middle of the control.
    bool Tap(int id) const;

    // Ending: each waits for the process to end and gives its exit code
    // (false when it still runs after ms).
    bool CloseWith(UINT command, DWORD ms = 15000, DWORD* exitCode = nullptr);
    bool CloseByOkCorner(DWORD ms = 15000, DWORD* exitCode = nullptr);
    bool CloseWindow(DWORD ms = 15000, DWORD* exitCode = nullptr);
    bool WaitEnded(DWORD ms, DWORD* exitCode = nullptr);

private:
    DeviceProgram program_;
    HWND main_ = nullptr;
};

}  // namespace testkit
