// Resource ids of ownerdate.dll (shared by the resource script and the code).
#pragma once

#define IDC_SHOWDATE 1001
