// Export marker for the classes and functions of Skivel, the skin library.
//
// Skivel is built with SKIVEL_BUILD defined and exports its classes by class
// and member name; everything that links it imports the same names.  The XML
// access classes are not part of this: every deliverable that reads XML links
// its own copy of them (the static library ketraxml, header xmlaccess.h).
#pragma once

#ifdef SKIVEL_BUILD
#define SKIVEL_API __declspec(dllexport)
#else
#define SKIVEL_API __declspec(dllimport)
#endif
