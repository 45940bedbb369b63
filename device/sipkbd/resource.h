// Resource ids of the built-in keyboard.
#pragma once

#define IDB_KEYBOARD_NARROW 101  // 16 x 16, light grey (0xC0C0C0) transparent
#define IDB_KEYBOARD_WIDE 102    // 32 x 16
