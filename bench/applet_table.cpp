// Measuring every registered applet from outside the bar, as the user
// reaches it: through the menu command, and by starting the bar with it.
#include "applet_table.h"

#include <cstdio>

#include <axreg.h>
#include <ketra_host.h>

#include "footprint.h"
#include "watch.h"

namespace {

const DWORD kStartTimeoutMs = 20000;
const DWORD kSettleMs = 300;  // lets an applet finish what follows its first paint
const double kSwitchGoal = 2.0;
const double kMemoryGoal = 1.2;
const wchar_t kOptionsKey[] = L"SOFTWARE\\ZARQ\\KETRA\\OPTIONS";

SIZE_T MedianSize(std::vector<SIZE_T> values)
{
    std::vector<double> asDouble(values.begin(), values.end());
    return static_cast<SIZE_T>(MedianOf(asDouble));
}

void KeepLargest(const ObjectCounts& counts, AppletRow* row)
{
    if (counts.gdi > row->maxGdi)
        row->maxGdi = counts.gdi;
    if (counts.user > row->maxUser)
        row->maxUser = counts.user;
}

// The applet the bar shows, as it records it: a failed load falls back to About.
std::wstring CurrentApplet()
{
    wchar_t name[128] = L"";
    DWORD bytes = sizeof(name);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kOptionsKey, L"CurrentApplet", RRF_RT_REG_SZ, nullptr, name, &bytes) !=
        ERROR_SUCCESS)
        return std::wstring();
    return name;
}

void MeasureSwitches(const WatchedProgram& host, const BenchPlaces& places, const MenuApplet& applet, int runs,
                     AppletRow* row)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (!SwitchApplet(host.window, places.appletAPosition)) {
            row->problem = "the bar did not answer a menu command";
            return;
        }
        const double start = NowMs();
        if (!SwitchApplet(host.window, applet.position)) {
            row->problem = "the bar did not answer a menu command";
            return;
        }
        times.push_back(NowMs() - start);
        if (CurrentApplet() != applet.name) {
            row->problem = "the bar could not show it";
            return;
        }
        KeepLargest(CountObjects(host.process.hProcess, host.process.dwProcessId), row);
    }
    row->switchMs = MedianOf(times);
}

void MeasureFreshStarts(const BenchPlaces& places, const MenuApplet& applet, int runs, AppletRow* row)
{
    std::vector<SIZE_T> sizes;
    for (int i = 0; i < runs; ++i) {
        WatchedProgram host;
        if (!StartAndWaitPainted(places.hostCommand + L" \"" + applet.name + L"\"", KETRA_CLASS, kStartTimeoutMs,
                                 &host)) {
            row->problem = "the bar did not come up with it";
            return;
        }
        Sleep(kSettleMs);
        MemoryUse memory;
        if (ReadMemoryUse(host.process.hProcess, &memory))
            sizes.push_back(memory.privateBytes);
        KeepLargest(CountObjects(host.process.hProcess, host.process.dwProcessId), row);
        EndProgram(&host, WM_COMMAND, IDM_KETRA_EXIT);
    }
    row->privateBytes = MedianSize(sizes);
}

}  // namespace

std::vector<MenuApplet> ListMenuApplets(LPCWSTR branch, const std::vector<std::wstring>& leaveOut)
{
    std::vector<MenuApplet> applets;
    CAxRegList list;
    if (!list.LoadList(branch))
        return applets;
    for (int i = 0; i < list.GetCount(); ++i) {
        if (!list.IsEnabled(i))
            continue;
        const std::wstring name = list.GetDllInfo(i)->szName;
        bool skip = false;
        for (const std::wstring& own : leaveOut)
            skip = skip || own == name;
        if (!skip)
            applets.push_back(MenuApplet{name, i});
    }
    return applets;
}

AppletVerdict JudgeApplet(const AppletRow& row, const AppletRow& about)
{
    AppletVerdict verdict;
    if (!row.ok || !about.ok || about.switchMs <= 0 || about.privateBytes == 0)
        return verdict;
    verdict.switchRatio = row.switchMs / about.switchMs;
    verdict.memoryRatio = static_cast<double>(row.privateBytes) / static_cast<double>(about.privateBytes);
    verdict.met = verdict.switchRatio <= kSwitchGoal && verdict.memoryRatio <= kMemoryGoal;
    return verdict;
}

std::vector<AppletRow> MeasureApplets(const BenchPlaces& places, const std::vector<MenuApplet>& applets, int runs)
{
    std::vector<AppletRow> rows;
    for (const MenuApplet& applet : applets) {
        AppletRow row;
        row.name = applet.name;
        rows.push_back(row);
    }
    // One bar session for all switches, open throughout.
    WatchedProgram host;
    if (!StartAndWaitPainted(places.hostCommand, KETRA_CLASS, kStartTimeoutMs, &host)) {
        for (AppletRow& row : rows)
            row.problem = "the side bar did not come up";
        return rows;
    }
    if (!IsBarOpen(host.window))
        SendMessageTimeoutW(host.window, WM_KETRA_OPEN, 0, 0, SMTO_NORMAL, kStartTimeoutMs, nullptr);
    for (size_t i = 0; i < applets.size(); ++i)
        MeasureSwitches(host, places, applets[i], runs, &rows[i]);
    EndProgram(&host, WM_COMMAND, IDM_KETRA_EXIT);

    for (size_t i = 0; i < applets.size(); ++i) {
        if (!rows[i].problem.empty())
            continue;
        MeasureFreshStarts(places, applets[i], runs, &rows[i]);
        rows[i].ok = rows[i].problem.empty() && rows[i].privateBytes > 0;
    }
    return rows;
}

void PrintAppletTable(const std::vector<AppletRow>& rows, LPCWSTR aboutName)
{
    const AppletRow* about = nullptr;
    for (const AppletRow& row : rows)
        if (row.name == aboutName)
            about = &row;
    std::printf("\nApplets: menu command to applet painted, and private memory of a bar started with the applet,\n"
                "each against About (goals: switch <= %gx, memory <= %gx); largest GDI and USER object counts\n",
                kSwitchGoal, kMemoryGoal);
    std::printf("%-26s %9s %6s %9s %6s %5s %5s  %s\n", "applet", "switch", "ratio", "private", "ratio", "GDI", "USER",
                "goals");
    for (const AppletRow& row : rows) {
        if (!row.ok) {
            std::printf("%-26ls not measured (%s)\n", row.name.c_str(), row.problem.c_str());
            continue;
        }
        const AppletVerdict verdict = about ? JudgeApplet(row, *about) : AppletVerdict();
        std::printf("%-26ls %6.2f ms %5.2fx %6.2f MB %5.2fx %5ld %5ld  %s\n", row.name.c_str(), row.switchMs,
                    verdict.switchRatio, static_cast<double>(row.privateBytes) / (1024.0 * 1024.0),
                    verdict.memoryRatio, row.maxGdi, row.maxUser, verdict.met ? "met" : "missed");
    }
    if (!about || !about->ok)
        std::printf("(About could not be measured: no ratios)\n");
}
