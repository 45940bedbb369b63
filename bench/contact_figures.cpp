#include "contact_figures.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include <axreg.h>
#include <ketra_host.h>

#include "watch.h"

namespace {
const wchar_t kStore[] = L"D:\\Windows\\PIM\\contacts.txt";
const wchar_t kAppletName[] = L"Contacts";
const wchar_t kAppletClass[] = L"Contact";
const wchar_t kBareClass[] = L"KETRA_BENCH_CONTACTS";
const int kListId = 1300;
const DWORD kStartTimeoutMs = 20000;
const DWORD kSendTimeoutMs = 20000;
const double kLoadTimeoutMs = 60000;

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* answer = nullptr)
{
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs,
                               answer ? answer : &ignored) != 0;
}

// ---- The store --------------------------------------------------------------

bool ReadBytes(const wchar_t* path, std::string* bytes, bool* exists)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    *exists = file != INVALID_HANDLE_VALUE;
    bytes->clear();
    if (!*exists)
        return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
    char chunk[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, chunk, sizeof(chunk), &got, nullptr) != 0) && got)
        bytes->append(chunk, got);
    CloseHandle(file);
    return ok;
}

bool WriteBytes(const wchar_t* path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD wrote = 0;
    const bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &wrote, nullptr) && wrote == bytes.size();
    CloseHandle(file);
    return ok;
}

// count contacts in file-as order, each with a mobile, a work and a home number.
std::string StoreOf(int count)
{
    std::string text = "Oid\tFileAs\tMobileTelephoneNumber\tBusinessTelephoneNumber\tHomeTelephoneNumber\r\n";
    char line[160];
    for (int i = 0; i < count; ++i) {
        snprintf(line, sizeof(line), "%d\tPerson %05d\t+1 (425) 555-%04d\t(206) 555-%04d\t(360) 555-%04d\r\n",
                 5001 + i, i, i, i, i);
        text += line;
    }
    return text;
}

// The store file replaced for the figures and put back afterwards.
class StoreReplaced {
public:
    explicit StoreReplaced(int contacts)
    {
        saved_ = ReadBytes(kStore, &before_, &existed_) && WriteBytes(kStore, StoreOf(contacts));
    }
    ~StoreReplaced()
    {
        if (!saved_)
            return;
        if (existed_)
            WriteBytes(kStore, before_);
        else
            DeleteFileW(kStore);
    }
    bool Ok() const { return saved_; }

private:
    std::string before_;
    bool existed_ = false;
    bool saved_ = false;
};

// ---- The baseline: a bare program filling the same list ----------------------

// Its start to its list filled and painted, with every contact in it.
bool TimeBareProgram(const std::wstring& command, double* ms)
{
    WatchedProgram program;
    if (!StartAndWaitPainted(command, kBareClass, kStartTimeoutMs, &program))
        return false;
    *ms = program.paintedMs - program.startMs;
    DWORD_PTR rows = 0;
    const bool whole = Send(GetDlgItem(program.window, kListId), LVM_GETITEMCOUNT, 0, 0, &rows) &&
                       (int)rows == ContactFigures::kContacts;
    EndProgram(&program, WM_CLOSE, 0);
    return whole;
}

// ---- The applet -------------------------------------------------------------

struct LoadTimes {
    double firstMs = 0;
    double allMs = 0;
    double stallMs = 0;
};

// The menu command to the contacts applet, then the list asked for its rows
// until all are in: each question is answered by the bar's thread, so the
// longest answer is its longest stall.  The list is painted when its first
// row is in, and the bar when the last is.
bool TimedLoad(HWND bar, int position, int contacts, LoadTimes* out)
{
    const double start = NowMs();
    if (!Send(bar, WM_COMMAND, IDM_KETRA_APPLET + position, 0))
        return false;
    HWND applet = FindWindowExW(bar, nullptr, kAppletClass, nullptr);
    HWND list = applet ? GetDlgItem(applet, kListId) : nullptr;
    if (!list)
        return false;
    // The switch's own painting is the switch's, not the load's.
    PaintNow(bar);
    bool firstSeen = false;
    for (;;) {
        const double asked = NowMs();
        DWORD_PTR count = 0;
        if (!Send(list, LVM_GETITEMCOUNT, 0, 0, &count))
            return false;
        const double answered = NowMs();
        out->stallMs = std::max(out->stallMs, answered - asked);
        if (!firstSeen && count >= 1) {
            PaintNow(list);
            out->firstMs = NowMs() - start;
            firstSeen = true;
        }
        if ((int)count >= contacts) {
            PaintNow(bar);
            out->allMs = NowMs() - start;
            return true;
        }
        if (answered - start > kLoadTimeoutMs)
            return false;
        Sleep(1);
    }
}

void Fail(ContactFigures* out, const char* problem)
{
    out->firstRow.problem = out->allRows.problem = out->stall.problem = problem;
}

}  // namespace

ContactFigures MeasureContacts(const BenchPlaces& places, int runs)
{
    ContactFigures out;
    const int position = AppletPosition(kAppletName);
    if (position < 0) {
        Fail(&out, "the contacts applet is not in the applet list");
        return out;
    }
    StoreReplaced store(ContactFigures::kContacts);
    if (!store.Ok()) {
        Fail(&out, "the contacts store could not be replaced");
        return out;
    }
    WatchedProgram host;
    if (!StartAndWaitPainted(places.hostCommand, KETRA_CLASS, kStartTimeoutMs, &host)) {
        Fail(&out, "the side bar did not come up");
        return out;
    }
    HWND bar = host.window;
    Send(bar, WM_KETRA_WINDOW, KETRA_WINDOW_OPEN, 0);

    // The library and the store once, untimed; its list's place for the baseline.
    RECT area = {};
    LoadTimes warm;
    const bool warmed =
        SwitchTo(bar, places.appletAPosition) && TimedLoad(bar, position, ContactFigures::kContacts, &warm);
    if (HWND applet = FindWindowExW(bar, nullptr, kAppletClass, nullptr))
        GetWindowRect(GetDlgItem(applet, kListId), &area);
    std::vector<double> first, all, stall;
    for (int i = 0; warmed && i < runs; ++i) {
        LoadTimes times;
        if (!SwitchTo(bar, places.appletAPosition) || !TimedLoad(bar, position, ContactFigures::kContacts, &times))
            break;
        first.push_back(times.firstMs);
        all.push_back(times.allMs);
        stall.push_back(times.stallMs);
    }
    SwitchTo(bar, places.aboutPosition);
    EndProgram(&host, WM_COMMAND, IDM_KETRA_EXIT);
    if (first.size() != (size_t)runs) {
        Fail(&out, "the contacts applet did not load every contact");
        return out;
    }

    if (area.right <= area.left || area.bottom <= area.top) {
        Fail(&out, "the contacts applet's list was not found");
        return out;
    }
    const std::wstring folder = places.blankProgram.substr(0, places.blankProgram.find_last_of(L'\\') + 1);
    wchar_t geometry[64];
    swprintf(geometry, 64, L" %ld %ld %ld %ld", area.left, area.top, area.right - area.left, area.bottom - area.top);
    const std::wstring command = L"\"" + folder + L"contactfill.exe\"" + geometry;
    std::vector<double> fills;
    double ms = 0;
    TimeBareProgram(command, &ms);  // its libraries once, untimed
    for (int i = 0; i < runs && TimeBareProgram(command, &ms); ++i)
        fills.push_back(ms);
    if (fills.size() != (size_t)runs) {
        Fail(&out, "the bare list could not be filled from the store");
        return out;
    }

    const double fill = MedianOf(fills);
    out.firstRow = {true, MedianOf(first), fill, ""};
    out.allRows = {true, MedianOf(all), fill, ""};
    out.stall = {true, MedianOf(stall), fill, ""};
    return out;
}
