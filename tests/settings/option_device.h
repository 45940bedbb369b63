// Helpers for tests that run the settings program on the test device: its
// paths, waiting for windows of other processes, closing the side bar, and
// keeping the system's registry as it was.
#pragma once
#include <windows.h>

#include <string>

extern const wchar_t kOptionProgram[];  // "\Program Files\ZARQ\Ketra\Option.exe"
extern const wchar_t kHostProgram[];    // "\Program Files\ZARQ\Ketra\Ketra.exe"
extern const wchar_t kOptionClass[];    // the settings program's main window
extern const wchar_t kHostClass[];      // the side bar

// The first window of the class; waits up to ms for one (other than
// `other` when given) to appear.
HWND WaitForWindowOf(const wchar_t* className, DWORD ms, HWND other = nullptr);
// Waits up to ms until no window of the class is left.
bool WaitNoWindowOf(const wchar_t* className, DWORD ms);
// Waits until the program owning the window has finished its start (waits
// for input in its message loop).
void WaitUntilIdle(HWND window);
// Top-level windows of the class.
int CountWindowsOf(const wchar_t* className);

// Starts the side bar and waits for its window; null when it did not show.
HWND StartHost();
// Closes the side bar with its exit command, as the user does, and waits
// until it is gone.
void CloseHost();

// Ends what an earlier test may have left running: a settings program
// (closed as the user closes it, so it starts the side bar) and the side bar.
void CloseSettingsAndHost();

// Copies an HKLM key with everything below it to another HKLM key.
bool CopyRegistryTree(const wchar_t* from, const wchar_t* to);

// A copy of HKLM\SOFTWARE\ZARQ taken at construction and put back on
// destruction, so that what the settings program saves on closing does
// not reach later tests.
class SystemRegistryBackup {
public:
    SystemRegistryBackup();
    ~SystemRegistryBackup();
    SystemRegistryBackup(const SystemRegistryBackup&) = delete;
    SystemRegistryBackup& operator=(const SystemRegistryBackup&) = delete;

    bool Saved() const { return saved_; }

private:
    bool saved_ = false;
};
