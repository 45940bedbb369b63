// Corvane, the application framework library: the chief headers.
#pragma once

#include "applet.h"
#include "coretypes.h"
#include "drawing.h"
#include "registry.h"
#include "shell.h"
#include "widgets.h"
#include "wndframe.h"
