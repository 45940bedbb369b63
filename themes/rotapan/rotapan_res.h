// Resource identifiers of Rotapan.cpl.  Safe to include from the resource
// script.
#pragma once

// The entry's icon; also the entry's lData.
#define IDI_ROTAPAN 102
