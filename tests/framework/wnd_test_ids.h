// Resource ids of the window-framework tests' templates.
#pragma once

#define IDD_PROBE   100   // modal pop-up with OK and Cancel
#define IDD_PAGE    101   // child page for modeless dialogs
#define IDD_MISSING 199   // no such template
