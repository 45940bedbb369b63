// Resource ids of KtSIP.dll.
#pragma once

#define IDB_KTIM_NARROW 201  // 16 x 16, light grey (0xC0C0C0) transparent
#define IDB_KTIM_WIDE 202    // 32 x 16
