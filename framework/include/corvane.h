// Corvane, the application framework library: the chief headers.
#pragma once

#include "coretypes.h"
#include "registry.h"
