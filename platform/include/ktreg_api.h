// Import and export of KtReg's classes.
#pragma once

#ifdef KTREG_BUILD
#define KTREG_API __declspec(dllexport)
#else
#define KTREG_API __declspec(dllimport)
#endif
