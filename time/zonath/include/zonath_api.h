// Export marker of Zonath, the city and time-zone library: built with
// ZONATH_BUILD, it exports its functions, classes and tables by name.
#pragma once

#ifdef ZONATH_BUILD
#define ZONATH_API __declspec(dllexport)
#else
#define ZONATH_API __declspec(dllimport)
#endif
