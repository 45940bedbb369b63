// Corvane-internal: keeping the stylus with the window that captured it
// while its program is not the one in front.
#pragma once

#include <windows.h>

// Called when the stylus goes down on a window of this thread.
void FollowStylusWhileDown();
