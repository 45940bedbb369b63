// Export marker for the classes and functions of Corvane.
//
// Corvane is built with CORVANE_BUILD defined and exports its classes by class
// and member name; everything that links it imports the same names.
#pragma once

#ifdef CORVANE_BUILD
#define CORVANE_API __declspec(dllexport)
#else
#define CORVANE_API __declspec(dllimport)
#endif
