// The class object making KtIM objects.
#pragma once
#include "ktsip_private.h"

IClassFactory* KtIMFactory();
