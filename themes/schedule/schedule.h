// Theme schedules: which themes the rotator applies, in what order and how
// often.  Schedules 0 to 3 live in "Schedule1.tsc" to "Schedule4.tsc" beside
// the programs.  The editor writes the plain-text form (UTF-16LE without a
// byte-order mark, CR LF lines: interval in minutes, "random" or
// "sequential", the count, then one theme path a line); both programs also
// read an XML form (a file whose first byte is "<"): <rotateinfo> with
// <count>, <delay>, <type> and <theme000>, <theme001>, ...
#pragma once

#include <windows.h>

#include <string>
#include <vector>

enum { kScheduleCount = 4 };

struct CSchedule {
    enum Order { kSequential = 1, kRandom = 2 };
    // More themes than this are not kept, whatever a file says.
    static constexpr size_t kMaxThemes = 1000;

    long interval = 0;  // minutes
    int order = kSequential;
    std::vector<std::wstring> themes;  // full paths, each under MAX_PATH characters
};

// The two readers differ in their defaults: the rotator takes a plain-text
// interval below 1 as 0 and an XML delay that is missing or below 1 as 5;
// the editor takes any interval below 0 as 0 and a missing delay as 0.
enum class ScheduleReader { Rotator, Editor };

// Reads a schedule file; false for a missing, empty or unreadable file
// (then `schedule` is untouched).
bool ReadScheduleFile(const wchar_t* path, ScheduleReader reader, CSchedule* schedule);
// The same for the file's bytes.
bool ParseSchedule(const BYTE* data, DWORD size, ScheduleReader reader, CSchedule* schedule);
// Writes the plain-text form, whole or not at all.
bool WriteScheduleFile(const wchar_t* path, const CSchedule& schedule);

// Valid schedule numbers are 0 to 3.
inline bool IsScheduleNumber(long n)
{
    return n >= 0 && n < kScheduleCount;
}
// "<folder of the running program>\ScheduleN.tsc" for schedule n.
bool ScheduleFilePath(int schedule, wchar_t* path, size_t cch);
// A one-digit command line "0" to "3" (blanks around it allowed); -1 for
// anything else, including an empty one.
int ScheduleFromCommandLine(const wchar_t* commandLine);

// The rotator's registry: HKLM "SOFTWARE\ZARQ\Rotator" `CurrentSchedule`
// (0 when absent or out of range) and "...\ScheduleN" `CurrentTsk`.
int ReadCurrentSchedule();
bool WriteCurrentSchedule(int schedule);
DWORD ReadCurrentTsk(int schedule);
bool WriteCurrentTsk(int schedule, DWORD position);
