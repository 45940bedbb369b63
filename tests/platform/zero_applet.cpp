// A test applet whose window has no height and which reports none when the
// side bar asks (query-refresh answers 0): the bar must still give it room.
#include <applet_module.h>

namespace {

class CZeroWnd : public CApplet {};

}  // namespace

COR_APPLET(CZeroWnd, L"KETRA_ZERO_PROBE", 240, 0)
