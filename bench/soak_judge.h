// The endurance run's records and its judge: one sample a minute of what
// the side bar and the shell hold, and whether any of it kept growing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What one process held at one moment.
struct SoakSample {
    int minute = 0;           // 0 is the start, before any work
    std::wstring who;         // "bar" or "shell"
    DWORD processId = 0;
    bool alive = false;       // false: the process was not found
    SIZE_T privateBytes = 0;
    long gdi = -1;            // -1: could not be counted
    long user = -1;
    long handles = -1;        // -1: could not be counted
};

// How much a process may gain between its first sample after the warm-up
// minute and its last one before the growth counts as a leak. Heaps grow in
// blocks and Wine's caches fill lazily, so memory gets a block's worth plus
// a share of what the process holds; objects get a few (a tool tip, a font
// an applet makes on its first use).
struct SoakNoise {
    SIZE_T memoryBytes = 1024 * 1024;
    double memoryShare = 0.05;
    long gdi = 8;
    long user = 4;
    long handles = 16;
};

struct SoakVerdict {
    bool passed = false;
    std::vector<std::wstring> problems;  // one line each, for the report
};

// Samples of one process by minute, grouped by process id: the settings
// program restarts the bar, and each bar process is judged on its own.
// A process seen only once after the warm-up has nothing to compare and
// passes; a sample with alive false at the end fails.
SoakVerdict JudgeGrowth(const std::vector<SoakSample>& samples, const SoakNoise& noise = SoakNoise());

// Device log lines that report a fault: a failure, an error, a refusal.
std::vector<std::wstring> UnexpectedLogLines(const std::vector<std::wstring>& lines);

// "minute,who,pid,alive,private_kb,gdi,user,handles" and one line a sample.
std::string SoakCsv(const std::vector<SoakSample>& samples);

// The series as a small table for the console, one row a minute.
std::string SoakTable(const std::vector<SoakSample>& samples);
