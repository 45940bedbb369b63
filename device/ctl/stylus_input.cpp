// `tap`, `hold` and `drag`: stylus input at screen points through SendInput.
//
// The stylus is the left mouse button.  Absolute positions are normalised to
// 0..65535 over the device screen; each point aims at the centre of its pixel
// so that both the truncating and the rounding conversion back to pixels land
// on exactly that pixel.
#include "devctl.h"

namespace {

const DWORD kTapPressMs = 50;      // down time of a tap, well under a hold
const DWORD kDefaultHoldMs = 800;  // longer than the device's hold gesture
const int kDragSteps = 10;
const DWORD kDragStepMs = 15;
const DWORD kSettleMs = 30;        // lets the target process each event

struct ScreenPoint {
    int x;
    int y;
};

LONG Normalise(int pixel, int extent)
{
    return (LONG)(((2LL * pixel + 1) * 65536) / (2LL * extent));
}

bool SendStylus(ScreenPoint point, DWORD buttonFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalise(point.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalise(point.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | buttonFlags;
    if (SendInput(1, &input, sizeof(input)) != 1) {
        ErrLine(Format(L"devctl: SendInput failed: %ls", ErrorText(GetLastError()).c_str()));
        return false;
    }
    return true;
}

// Reads "X Y" at args[first]; the point must lie on the screen.
bool ReadPoint(const Args& args, size_t first, ScreenPoint* point)
{
    if (args.size() < first + 2 || !ParseInt(args[first], &point->x) || !ParseInt(args[first + 1], &point->y))
        return false;
    if (point->x < 0 || point->y < 0 || point->x >= GetSystemMetrics(SM_CXSCREEN) ||
        point->y >= GetSystemMetrics(SM_CYSCREEN)) {
        ErrLine(Format(L"devctl: point %d,%d is off the screen (%dx%d)", point->x, point->y,
                       GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
        return false;
    }
    return true;
}

// Presses at a point, keeps the stylus down for downMs, lifts it there.
int Press(ScreenPoint point, DWORD downMs)
{
    // Move there twice: the X server reports the pointer's move a little
    // late, and a report of the old place arriving after the press would
    // read as the stylus moving (a hold would become a tap).
    if (!SendStylus(point, 0))
        return kExitFailed;
    Sleep(kSettleMs * 4);
    if (!SendStylus(point, 0))
        return kExitFailed;
    Sleep(kSettleMs);
    if (!SendStylus(point, MOUSEEVENTF_LEFTDOWN))
        return kExitFailed;
    Sleep(downMs);
    bool lifted = SendStylus(point, MOUSEEVENTF_LEFTUP);
    Sleep(kSettleMs);
    return lifted ? kExitOk : kExitFailed;
}

} // namespace

int CmdTap(const Args& args)
{
    ScreenPoint point;
    if (args.size() != 2 || !ReadPoint(args, 0, &point))
        return kExitUsage;
    return Press(point, kTapPressMs);
}

int CmdHold(const Args& args)
{
    ScreenPoint point;
    DWORD holdMs = kDefaultHoldMs;
    if (args.size() < 2 || args.size() > 3 || !ReadPoint(args, 0, &point))
        return kExitUsage;
    if (args.size() == 3 && !ParseUInt32(args[2], &holdMs))
        return kExitUsage;
    return Press(point, holdMs);
}

int CmdDrag(const Args& args)
{
    ScreenPoint from, to;
    if (args.size() != 4 || !ReadPoint(args, 0, &from) || !ReadPoint(args, 2, &to))
        return kExitUsage;
    if (!SendStylus(from, 0))
        return kExitFailed;
    Sleep(kSettleMs);
    if (!SendStylus(from, MOUSEEVENTF_LEFTDOWN))
        return kExitFailed;
    // Several moves with pauses, so the target sees a motion, not a jump.
    bool ok = true;
    for (int step = 1; step <= kDragSteps && ok; ++step) {
        Sleep(kDragStepMs);
        ScreenPoint p = {from.x + (to.x - from.x) * step / kDragSteps, from.y + (to.y - from.y) * step / kDragSteps};
        ok = SendStylus(p, 0);
    }
    Sleep(kDragStepMs);
    // Lift even after a failed move: a stylus left down would confuse every later test.
    bool lifted = SendStylus(to, MOUSEEVENTF_LEFTUP);
    Sleep(kSettleMs);
    return ok && lifted ? kExitOk : kExitFailed;
}
