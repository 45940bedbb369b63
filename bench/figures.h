// The benchmark figures. Each is measured on the device against a baseline
// measured in the same run, repeated, and kept as the median.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "footprint.h"

class CAxRegList;

struct BenchPlaces {
    std::wstring hostCommand;     // the installed side bar
    std::wstring blankProgram;    // the baseline program beside ketrabench
    std::wstring trivialApplet;   // the library the applet baseline loads
    int aboutPosition = -1;       // positions in the applet list (menu command 1200 + position)
    int appletAPosition = -1;
    int appletBPosition = -1;
    int converterPosition = -1;   // the unit converter; -1 when it is not installed
    int keyboardPosition = -1;    // the keyboard applet "Keyboard"
    int loanPosition = -1;        // the loan calculator "Loan Calc"
};

// A median time and the median time of its baseline.
struct Timing {
    bool ok = false;
    double measuredMs = 0;
    double baselineMs = 0;
    std::string problem;  // why it could not be measured
};

// The measured time against its baseline; false when the baseline measured
// nothing (a processor time below what the clock resolves), for a ratio to
// zero judges nothing.
bool TimingRatio(const Timing& timing, double* ratio);

struct StartFigures {
    Timing start;            // start to first painted bar / empty program
    bool memoryOk = false;
    MemoryUse host;          // medians, the bar showing About
    MemoryUse blank;
    RECT barRect = {};       // where the open bar stood
};

struct HostFigures {
    Timing switching;        // menu command to the new applet painted
    Timing converterSwitch;  // the same to the unit converter (baseline: switching)
    Timing repaint;          // full bar repaint (baseline filled in later)
    Timing slide;            // open or close, against the nominal animation
    bool objectsOk = false;
    ObjectCounts objectsBefore;
    ObjectCounts objectsAfter;
    int switches = 0;
};

struct InputFigures {
    Timing keyboardSwitch;   // menu command to the keyboard applet painted; baseline: to About
    Timing typing;           // stylus down on a key to its character in an edit box, on the bar;
                             // baseline: the same key on the device's input panel
};

const double kNominalSlideMs = 160.0;  // 8 outline frames of 20 ms

// Starts the bar and the empty program in turn, runs times each.
StartFigures MeasureStart(const BenchPlaces& places, int runs);

// One session of the bar: applet switches, repaints, slides, and the object
// counts over objectSwitches switches.
HostFigures MeasureHost(const BenchPlaces& places, int runs, int objectSwitches);

// Baselines measured without the bar: the trivial applet loaded and shown
// by hand, and the empty program's window of the bar's size redrawn.
// Menu command 1200 + position to the bar, then everything painted; false
// when the bar did not answer.
bool SwitchApplet(HWND bar, int position);
// Whether the bar is open (maximised).
bool IsBarOpen(HWND bar);

bool MeasureAppletBaseline(const BenchPlaces& places, const RECT& area, int runs, double* medianMs);
bool MeasureRepaintBaseline(const BenchPlaces& places, const RECT& area, int runs, double* medianMs);

// Helpers the other packs' figures share.
// The median of the values (0 for none).
double MedianOf(std::vector<double> values);
// The position of the applet called name in the list, as the bar numbers its
// menu commands; -1 when it is not there. The second reads the list now.
int AppletPosition(const CAxRegList& list, LPCWSTR name);
int AppletPosition(LPCWSTR name);
// Until nothing is left to paint in the window and its children.
void PaintNow(HWND window);
// The bar's menu command for the applet at position, then the bar painted.
bool SwitchTo(HWND bar, int position);
// A program's processor time in milliseconds so far, found by the end of
// its command line on this device (e.g. "\\Ketra.exe"); -1 when unknown.
double ProcessorMsOf(const char* program);
// The keyboard applet and the device's input panel, with the note pad in front.
InputFigures MeasureInput(const BenchPlaces& places, int runs);
