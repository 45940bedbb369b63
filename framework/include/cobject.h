// CObject: the root of the framework's polymorphic classes.
#pragma once

#include "corvane_api.h"

// Carries no data; its one virtual operation, the destructor, lets lists of
// CObject pointers delete derived objects through the base.
class CORVANE_API CObject {
public:
    virtual ~CObject();
};
