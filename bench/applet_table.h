// The applet table of `./ketra bench`: every applet the bar's menu lists,
// found in the device's registry when the benchmark runs, switched to and
// started with, each against About measured the same way in the same run.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "figures.h"

struct MenuApplet {
    std::wstring name;
    int position = -1;  // in the freshly loaded list: menu command 1200 + position
};

// The applets the bar's menu shows (enabled, not hidden), in menu order,
// from the registry branch; names in leaveOut (the benchmark's own) skipped.
std::vector<MenuApplet> ListMenuApplets(LPCWSTR branch, const std::vector<std::wstring>& leaveOut);

struct AppletRow {
    std::wstring name;
    bool ok = false;
    std::string problem;      // why it could not be measured
    double switchMs = 0;      // median, menu command to painted, from a trivial applet
    SIZE_T privateBytes = 0;  // median, a fresh bar showing the applet
    long maxGdi = -1;         // the largest counts seen with the applet shown
    long maxUser = -1;
};

// The ratios of a row against About's and whether both goals are met
// (switch <= 2x, memory <= 1.2x).
struct AppletVerdict {
    double switchRatio = 0;
    double memoryRatio = 0;
    bool met = false;
};
AppletVerdict JudgeApplet(const AppletRow& row, const AppletRow& about);

// Measures each applet: runs switches in one bar session, and runs fresh
// starts of the bar with the applet on its command line.
std::vector<AppletRow> MeasureApplets(const BenchPlaces& places, const std::vector<MenuApplet>& applets, int runs);

// The table, About's row first; rows over a goal are marked.
void PrintAppletTable(const std::vector<AppletRow>& rows, LPCWSTR aboutName);
