// The benchmark applet: the least an applet can be. Its window is a white
// child 240 x 40 that paints nothing of its own, so that timing a switch to
// it measures the side bar, not the applet.
#include <applet_module.h>

namespace {

class CBenchWnd : public CApplet {};

}  // namespace

COR_APPLET(CBenchWnd, L"KETRA_BENCH_APPLET", 240, 40)
