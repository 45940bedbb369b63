#include "cobject.h"

// Defined out of line so that the vtable lives in Corvane alone.
CObject::~CObject() = default;
