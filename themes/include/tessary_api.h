// Export marker for the functions and classes of Tessary, the theme library.
//
// Tessary is built with TESSARY_BUILD defined and exports by name; IsAniTsk
// is also exported under its plain C name, since programs look it up with
// GetProcAddress.
#pragma once

#ifdef TESSARY_BUILD
#define TESSARY_API __declspec(dllexport)
#else
#define TESSARY_API __declspec(dllimport)
#endif
