// The world clock measured: Zonath in this process, the program from outside
// through its window (messages sent and waited for), each against a baseline
// of the same run.
#include "clock_figures.h"

#include <algorithm>
#include <vector>

#include <zonath.h>

#include "watch.h"

namespace {

const wchar_t kProgram[] = L"\\Program Files\\ZARQ\\Ketra\\Globora.exe";
const wchar_t kProgramClass[] = L"GLOBORA_CLASS";
const wchar_t kBlankClass[] = L"KETRA_BENCH_BLANK";
const DWORD kStartTimeoutMs = 20000;
const int kSearches = 2000;
const int kMoves = 40;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Points spread over the map, some near cities, some in the oceans.
double PointLongitude(int i)
{
    return -180.0 + (i * 37) % 360;
}
double PointLatitude(int i)
{
    return -55.0 + (i * 23) % 135;
}

// Zonath's search, and a loop that only measures every distance.
void MeasureNearest(int runs, Timing* out)
{
    const CCityInfo* cities = CCityList::GetList();
    const int count = CCityList::GetCount();
    std::vector<double> searched, bare;
    volatile int sink = 0;
    for (int run = 0; run < runs; ++run) {
        double start = NowMs();
        for (int i = 0; i < kSearches; ++i) {
            const CCityInfo* found[kMaxNearCities];
            WORD n = 0;
            if (GetCityInfo(PointLongitude(i), PointLatitude(i), found, &n))
                sink = sink + n;
        }
        searched.push_back(NowMs() - start);
        start = NowMs();
        for (int i = 0; i < kSearches; ++i) {
            const double lon = PointLongitude(i), lat = PointLatitude(i);
            int within = 0;
            for (int c = 0; c < count; ++c) {
                const double dx = cities[c].dLongitude - lon, dy = cities[c].dLatitude - lat;
                within += dx * dx + dy * dy < 49.0;
            }
            sink = sink + within;
        }
        bare.push_back(NowMs() - start);
    }
    out->measuredMs = Median(searched);
    out->baselineMs = Median(bare);
    out->ok = true;
}

// Every city found by its name and country, in any case, and a loop that
// compares the texts exactly.
void MeasureLookup(int runs, Timing* out)
{
    const CCityInfo* cities = CCityList::GetList();
    const int count = CCityList::GetCount();
    std::vector<double> looked, bare;
    volatile int sink = 0;
    for (int run = 0; run < runs; ++run) {
        double start = NowMs();
        for (int i = 0; i < count; ++i) {
            const CCityInfo* city = nullptr;
            sink = sink + GetCityInfo(cities[i].szName, cities[i].szCountry, &city);
        }
        looked.push_back(NowMs() - start);
        start = NowMs();
        for (int i = 0; i < count; ++i) {
            for (int c = 0; c < count; ++c) {
                if (wcscmp(cities[c].szName, cities[i].szName) == 0 &&
                    wcscmp(cities[c].szCountry, cities[i].szCountry) == 0) {
                    sink = sink + 1;
                    break;
                }
            }
        }
        bare.push_back(NowMs() - start);
    }
    out->measuredMs = Median(looked);
    out->baselineMs = Median(bare);
    out->ok = true;
}

std::wstring BlankCommand(const BenchPlaces& places, const RECT& rect)
{
    wchar_t geometry[64];
    swprintf(geometry, 64, L" %ld %ld %ld %ld", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return L"\"" + places.blankProgram + L"\"" + geometry;
}

double SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const double start = NowMs();
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &answer);
    return NowMs() - start;
}

double RepaintTimed(HWND window)
{
    const double start = NowMs();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return NowMs() - start;
}

// The stylus down on the map, moved between two places near cities (each
// move searches, marks and redraws the header), lifted off the map.
double MedianMove(HWND window)
{
    std::vector<double> times;
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(119, 75));
    for (int i = 0; i < kMoves; ++i) {
        const LPARAM at = i % 2 ? MAKELPARAM(119, 75) : MAKELPARAM(213, 88);  // London, Tokyo
        times.push_back(SendTimed(window, WM_MOUSEMOVE, MK_LBUTTON, at));
    }
    SendTimed(window, WM_LBUTTONUP, 0, MAKELPARAM(120, 300));  // off the map: no menu
    return Median(times);
}

void MeasureProgram(const BenchPlaces& places, int runs, int starts, ClockFigures* out)
{
    std::vector<double> programStarts, blankStarts, repaints, blankRepaints, strips;
    RECT rect = {};
    for (int i = 0; i < starts; ++i) {
        WatchedProgram program;
        if (!StartAndWaitPainted(L"\"" + std::wstring(kProgram) + L"\"", kProgramClass, kStartTimeoutMs, &program)) {
            out->start.problem = out->repaint.problem = out->stylus.problem = "the world clock did not come up";
            return;
        }
        programStarts.push_back(program.paintedMs - program.startMs);
        GetWindowRect(program.window, &rect);
        if (i == 0) {
            for (int r = 0; r < runs; ++r)
                repaints.push_back(RepaintTimed(program.window));
            out->stylus.measuredMs = MedianMove(program.window);
        }
        EndProgram(&program, WM_CLOSE, 0);
    }
    // The empty program: at the world clock's place, then over its header and map.
    const RECT strip = {rect.left, rect.top, rect.right, rect.top + 162};
    for (int i = 0; i < starts; ++i) {
        WatchedProgram blank;
        if (!StartAndWaitPainted(BlankCommand(places, rect), kBlankClass, kStartTimeoutMs, &blank)) {
            out->start.problem = out->repaint.problem = out->stylus.problem = "the empty program did not come up";
            return;
        }
        blankStarts.push_back(blank.paintedMs - blank.startMs);
        if (i == 0)
            for (int r = 0; r < runs; ++r)
                blankRepaints.push_back(RepaintTimed(blank.window));
        EndProgram(&blank, WM_CLOSE, 0);
    }
    WatchedProgram blank;
    if (StartAndWaitPainted(BlankCommand(places, strip), kBlankClass, kStartTimeoutMs, &blank)) {
        for (int r = 0; r < runs; ++r)
            strips.push_back(RepaintTimed(blank.window));
        EndProgram(&blank, WM_CLOSE, 0);
    }
    out->start = {true, Median(programStarts), Median(blankStarts), ""};
    out->repaint = {true, Median(repaints), Median(blankRepaints), ""};
    out->stylus.ok = !strips.empty();
    out->stylus.baselineMs = Median(strips);
}

} // namespace

ClockFigures MeasureWorldClock(const BenchPlaces& places, int runs, int starts)
{
    ClockFigures figures;
    MeasureNearest(runs, &figures.nearest);
    MeasureLookup(runs, &figures.lookup);
    MeasureProgram(places, runs, starts, &figures);
    return figures;
}
