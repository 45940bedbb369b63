// Resource identifiers of the power panel.  Safe to include from the
// resource script.
#pragma once

#define IDI_RESTART         101   // the program's icon, also its notification icon
#define IDR_PANEL_PICTURE   109   // the panel, resource type "IMAGE"
#define IDI_RESIDENT_TICK   113   // the tick beside "stay resident"
